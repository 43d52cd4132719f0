// How one imported record enriches the records of the list.
//
// Import mode 1 (by file id), for each shown record with the imported record's FILE_ID:
// - style mode: a genre the importer set by hand (negative ANALYSER) replaces an analysed one
//   (STYLE_TYPE, STYLE_SUBTYPE, ANALYSER negated), then the songs are merged;
// - RANK takes a greater imported RANK, then a greater imported MY_RANK;
// - every other user field empty (text) or 0 (number) in the target takes the imported value.
// Import mode 2 (song real titles): every shown record's songs take the real title of an
// imported song with the same title.
// Every change marks the target changed.
#pragma once

#include "records/ZOLDataPacket.h"
#include "support/NUVStatus.h"

namespace kelvane {

// Mode 1 for one target. 0, or -10490 when a song record cannot be had.
StatusCode MergeImportedRecord(StyleDataPacket& target, const StyleDataPacket& imported);

// Mode 2 for one target.
void MergeSongRealTitles(StyleDataPacket& target, const StyleDataPacket& imported);

}  // namespace kelvane

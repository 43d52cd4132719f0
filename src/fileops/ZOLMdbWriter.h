// Writing Music Finder records into style files: the songs of a style record become a new
// "FNRc" section of "FNRP" records that replaces the file's old one. The file is rebuilt in a
// temporary file of its folder (head, new section, tail) and put in place by two renames; the
// original file survives every failure. Afterwards the file is analysed again into the record.
//
//   FNRc  total(32-bit BE)  { FNRP  L(32-bit BE)  tempo(24-bit BE, microseconds per quarter)
//                             numerator denominator  Mnam n title  Gnam n genre
//                             Kwd1 n keyword1  Kwd2 n keyword2 }
//   L = the four text lengths + 37; total = the sum of (L + 8).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "records/ZOLDataPacket.h"
#include "support/NUVFile.h"
#include "support/NUVStatus.h"

namespace kelvane {

// Microseconds per quarter written for a song without a tempo (120 beats per minute).
inline constexpr uint32_t kDefaultMicrosecondsPerQuarter = 500000;

// One song's record. The real title, when not empty, first becomes the song's title (also in
// size mode). Returns L + 8 (written, or only counted with `sizeOnly`), or -13823 when fewer
// bytes could be written.
int64_t WriteMdbRecord(SongDataPacket& song, FileHandle file, bool sizeOnly);

// The section of the songs in list order; nothing for no songs. 0 or -13820/-13821/-13822.
StatusCode WriteMdbSection(const SongList& songs, FileHandle file);

// Rebuilds the record's file with a section of its songs. 0; -10311 when the analysis cannot
// tell where the sections lie (damaged MIDI data or section chain: a new section could then
// not replace the old one); -10308 / -10307 the temporary file cannot be made / the file
// cannot be read; the status of a failing copy (-150, -151), section write (-13820..-13823),
// close (-152, -102) or rename. The file is left as it was on every failure, and no temporary
// file stays behind. On success the record is analysed again (changed flag set); when the new
// section was read back complete, its songs (with their user-only values) get status 1 and
// the record's mdbChanged is cleared.
StatusCode WriteMdbIntoFile(StyleDataPacket& record);

// One selected file: -10312 when nothing needs writing, -10309 / -10310 when it cannot be
// written, else WriteMdbIntoFile's status; after success the folder's data file is written.
StatusCode WriteMdbOfRecord(StyleDataPacket& record);

// The counters of one run of the command.
struct MdbWriteSummary {
    int processed = 0;
    int updated = 0;
    int upToDate = 0;
    int notUpdated = 0;
    int failed = 0;         // refused (damaged) or failed files; each was reported, the run went on
    StatusCode status = 0;  // the loop's status: -206 when aborted
    bool ran = false;       // false: refused or not confirmed
};

// The loop over the selected rows (worker side); `aborted` is polled before each file.
MdbWriteSummary WriteMdbOfSelectedRows(const std::function<bool()>& aborted);

// "%d %s\n\n%d %s\n%d %s\n%d %s", translated; with failed files a line "%d %s" more.
std::string MdbSummaryText(const MdbWriteSummary& summary);

// The command "Write MDB Records of selected Styles to Files": refusals, the Yes/No question
// (No default), the loop on the worker, the list redrawn and the summary box.
MdbWriteSummary WriteMdbRecordsOfSelectedStyles();

}  // namespace kelvane

// The statistics message: records walked, rows shown, records without a genre (style mode) or
// song title (midi mode), and identical files.
#pragma once

#include <string>

#include "support/NUVStatus.h"

namespace kelvane {

class CZOLListViewMgr;

struct RecordCounters {
    long walked = 0;        // records walked by the file list's last rebuild
    long shown = 0;         // rows of the file list
    long unidentified = 0;  // records whose field 6 is empty
    long duplicates = 0;    // records that follow an identical record in identity order
};

// Counts over the file list and the record store's list, which is reordered into identity
// order for the duplicates (and keeps that order).
RecordCounters CountRecords(CZOLListViewMgr& manager);

// The text of the information box; empty when nothing was walked.
std::string StatisticsText(const RecordCounters& counters, bool midiMode);

// The command: status texts, then the box with the statistics, or "No styles available for
// statistics" ("No midi files available for statistics") when nothing was walked. Nothing
// happens when the list on screen is not ready.
void ShowStatistics(CZOLListViewMgr& manager);

}  // namespace kelvane

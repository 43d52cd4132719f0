// The counts behind the charts of a collection, over the rows of the file list as shown:
// tempos in bins of ten beats per minute, time signatures, genres (the fifteen most frequent
// values of field 6, the column the search tags fill: "Style Type (Genre)" in style mode, the
// song title in midi mode), file dates by year, and how many rows are duplicates or have
// problems. The desktop draws these numbers; `kelvane-cli list --stats` prints them.
#pragma once

#include <string>
#include <vector>

#include "records/ZOLDataPacket.h"

namespace kelvane {

class CMyListCtrl;

struct ChartBar {
    std::string label;  // "(none)" for rows without a value, "(other)" for the genres beyond
    long count = 0;     // the fifteenth
};

struct CollectionCharts {
    long rows = 0;
    std::vector<ChartBar> tempos;          // "120-129", ... by tempo, then "(none)"
    std::vector<ChartBar> timeSignatures;  // most frequent first
    std::vector<ChartBar> genres;          // most frequent first, then "(other)"
    std::vector<ChartBar> years;           // by year, then "(none)"
    long duplicates = 0;  // rows that follow an identical row (same file id and size)
    long problems = 0;    // rows whose ERRORS text names a problem (not "-" or empty)
};

inline constexpr int kTempoBinWidth = 10;
inline constexpr std::size_t kChartGenres = 15;

CollectionCharts CountCharts(const std::vector<const StyleDataPacket*>& rows);
// Over the rows of a list.
CollectionCharts CountCharts(const CMyListCtrl& list);

// The counts as text for `kelvane-cli list --stats`: a heading per chart, then one
// "LABEL<TAB>COUNT" line per bar; the shares as "N of ROWS (P %)". Headings translated.
std::string ChartCountsText(const CollectionCharts& charts, bool midiMode);

}  // namespace kelvane

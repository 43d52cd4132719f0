// The extended information listing: one file analysed again and what the analyser found, as
// the lines of the information dialog's list box (labels translated). The dialog itself
// belongs to the desktop program; kelvane-cli prints the same lines.
#pragma once

#include <string>
#include <vector>

#include "analysis/ZOLAnalysisResult.h"
#include "records/ZOLDataPacket.h"

namespace kelvane {

enum class InfoMode {
    Extended,  // "Extended Info": the whole listing
    Ots,       // "OTS Info": the one-touch settings only
};

// Analyses `path` with a fresh analyser and lists the result; with `record` its fields of
// types 1 to 5 are listed too.
std::vector<std::string> ExtendedInfoLines(const std::string& path, const StyleDataPacket* record,
                                           InfoMode mode);

// The section list in listing order: from measure 0 on, each time the entry with the smallest
// start measure after the end of the last one listed (the first of equal ones); entries that
// start within a listed section are left out.
std::vector<const SectionEntry*> OrderedSections(const AnalysisResult& result);

}  // namespace kelvane

// The status line under the list: how many rows are shown out of how many records, the hidden
// duplicates or singles, the total size of the rows and the filter in force.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "list/ZOLListTypes.h"

namespace kelvane {

// The folder the lists show and whether it was read with its subfolders. Set by whoever loads
// a folder (the scan, the command-line tool); read by the status line.
struct ListFolderState {
    std::string folder;  // ends with "/"
    bool withSubfolders = false;
};
ListFolderState& ListScanFolder();

// "  (total 1.50 KB)" and its variants; empty below 1 byte.
std::string TotalSizeText(int64_t totalBytes);

struct StatusLineInputs {
    ListKind kind = ListKind::Files;
    bool midiMode = false;
    int duplicatesMode = 0;
    long rows = 0;
    long walked = 0;
    long hiddenInGroups = 0;
    long hiddenSingles = 0;
    int64_t totalSize = 0;
    std::string_view styleFilterDescription;
    std::string_view songFilterDescription;  // used by the song list in style mode
    std::string_view folder;
    bool withSubfolders = false;
};

// "Filter: ..." or "Filter: (no filter specified)".
std::string StatusFilterText(const StatusLineInputs& inputs);
// The whole line; `filterText` is what StatusFilterText gives for the same inputs.
std::string StatusLineText(const StatusLineInputs& inputs, const std::string& filterText);

}  // namespace kelvane

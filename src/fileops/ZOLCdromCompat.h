// The CD-ROM (Joliet) compatibility test: which rows of the file list hold files whose name,
// or any folder name below the start folder, is longer than Joliet allows.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "list/ZOLListTypes.h"

namespace kelvane {

inline constexpr size_t kJolietMaxNameLength = 64;

inline constexpr const char* kCdromWorkingText = "Working - please wait";

// The two check boxes of the test selection dialog, both unticked at start.
struct CdromCompatChoice {
    bool checkDirectoryLevel = false;  // "Check directory level limitation" (no test of its own)
    bool checkNameLength = false;      // "Check max. filename length"
};

// A row of the file list: the record's folder, ending with "/", and its file name.
using CdromCompatRow = FileRowName;

// The indexes of the incompatible rows, in row order. No value when neither box is ticked
// (the command ends without touching the list); an empty list when only the directory box is
// ticked. Lengths count characters as shown (UTF-8 when valid, else one per byte).
std::optional<std::vector<size_t>> FindCdromIncompatibleRows(std::string_view startFolder,
                                                             const CdromCompatChoice& choice,
                                                             std::span<const CdromCompatRow> rows);

// "Compatibility test done - %ld incompatibilities found          (Use 'F5'-Key ...)".
std::string CdromCompatStatusText(long incompatibleCount);

}  // namespace kelvane

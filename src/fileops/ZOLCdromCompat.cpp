#include "fileops/ZOLCdromCompat.h"

#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVTranslateFormat.h"
#include "support/ZOLDisplayText.h"

namespace kelvane {
namespace {

bool IsTooLong(std::string_view name) {
    // A byte count at or below the limit can never hold more characters than the limit.
    return name.size() > kJolietMaxNameLength && DisplayLength(name) > kJolietMaxNameLength;
}

// Only the folders below the start folder are examined: the start folder itself is not
// part of the burnt tree.
bool HasTooLongFolder(std::string_view startFolder, std::string_view folder) {
    std::string_view relative =
        folder.size() > startFolder.size() ? folder.substr(startFolder.size()) : std::string_view();
    while (!relative.empty()) {
        const size_t slash = relative.find('/');
        if (IsTooLong(relative.substr(0, slash))) {
            return true;
        }
        relative =
            slash == std::string_view::npos ? std::string_view() : relative.substr(slash + 1);
    }
    return false;
}

}  // namespace

std::optional<std::vector<size_t>> FindCdromIncompatibleRows(std::string_view startFolder,
                                                             const CdromCompatChoice& choice,
                                                             std::span<const CdromCompatRow> rows) {
    if (!choice.checkNameLength) {
        if (!choice.checkDirectoryLevel) {
            return std::nullopt;
        }
        return std::vector<size_t>{};
    }
    std::vector<size_t> incompatible;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (IsTooLong(rows[i].fileName) || HasTooLongFolder(startFolder, rows[i].folder)) {
            incompatible.push_back(i);
        }
    }
    return incompatible;
}

std::string CdromCompatStatusText(long incompatibleCount) {
    return StrFormat(
        TranslateFormat("Compatibility test done - %ld incompatibilities found          "
                        "(Use 'F5'-Key to redraw the original list)")
            .c_str(),
        incompatibleCount);
}

}  // namespace kelvane

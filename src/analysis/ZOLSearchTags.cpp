#include "analysis/ZOLSearchTags.h"

#include <algorithm>

#include "support/NUVConfig.h"

namespace kelvane {
namespace {

std::vector<SearchTag>& Table() {
    static std::vector<SearchTag> table;
    return table;
}

}  // namespace

const std::vector<SearchTag>& SearchTags() {
    return Table();
}

void ClearSearchTags() {
    Table().clear();
}

StatusCode AddSearchTag(SearchTag row) {
    std::vector<SearchTag>& table = Table();
    if (table.size() >= kMaxSearchTags) {
        return status::kTooManySearchTags;
    }
    row.tag = UpperCased(row.tag);
    row.typeKey = UpperCased(row.typeText);
    if (row.subtypeText.empty()) {
        row.subtypeText = row.typeText;
    }
    row.subtypeKey = UpperCased(row.subtypeText);
    // After every row of the same priority, so that equal priorities keep the file order.
    const auto at = std::upper_bound(
        table.begin(), table.end(), row.priority,
        [](int priority, const SearchTag& existing) { return priority > existing.priority; });
    table.insert(at, std::move(row));
    return status::kOk;
}

StatusCode ParseSearchTagLine(std::string_view value, char separator, bool styleMode,
                              int defaultPriority, SearchTag& row) {
    if (Trimmed(value).empty()) {
        return status::kIncompleteDataLine;
    }
    std::string field;
    std::size_t pos = GetNextField(value, 0, field, separator);
    row.tag = Trimmed(field);
    if (row.tag.empty()) {
        return status::kSearchTagMissing;
    }
    pos = GetNextField(value, pos, field, separator);
    row.typeText = Trimmed(field);
    if (styleMode && row.typeText.empty()) {
        return status::kSearchTagTypeMissing;
    }
    if (row.typeText == "@") {
        row.typeText.clear();
    }
    pos = GetNextField(value, pos, field, separator);
    // Trailing blanks before the next separator would show in the list and defeat the
    // duplicate test of the classifier.
    row.subtypeText = Trimmed(field);
    GetNextField(value, pos, field, separator);
    row.priority = defaultPriority;
    if (!Trimmed(field).empty()) {
        if (!ParseLeadingInt(field, row.priority) || row.priority == 0) {
            return status::kSearchTagBadPriority;
        }
    }
    return status::kOk;
}

}  // namespace kelvane

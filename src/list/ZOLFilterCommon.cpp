#include "list/ZOLFilterCommon.h"

#include <string>

#include "list/ZOLFilterInput.h"
#include "list/ZOLFilterParser.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"

namespace kelvane {
namespace {

bool ValueKindOf(int32_t fieldId, FilterFieldType fieldType, FilterValueKind& kind) {
    if (fieldId == kQuickSearchFieldId) {
        kind = FilterValueKind::Text;
        return true;
    }
    switch (fieldType) {
        case FT_OWN_TEXT:
        case FT_SHARED_TEXT:
        case FT_LETTER:
            kind = FilterValueKind::Text;
            return true;
        case FT_NUMBER:
            kind = FilterValueKind::Number;
            return true;
        case FT_DATE:
            kind = FilterValueKind::Date;
            return true;
        default:
            return false;
    }
}

}  // namespace

void CZOLFilterCommon::Reset() {
    for (int i = 0; i < entryCount_; ++i) {
        pool_.ReleaseList(entries_[i].conditions);
    }
    entryCount_ = 0;
}

StatusCode CZOLFilterCommon::AddFieldFilter(int32_t fieldId, FilterFieldType fieldType,
                                            std::string_view inputText,
                                            std::string_view fieldNameForMessages) {
    if (entryCount_ >= kMaxEntries) {
        return status::kFilterTableFull;
    }
    FilterValueKind kind = FilterValueKind::Text;
    if (!ValueKindOf(fieldId, fieldType, kind)) {
        return status::kOk;
    }
    const std::string prepared = PrepareFilterInput(inputText, kind != FilterValueKind::Text);
    if (prepared.empty()) {
        return status::kOk;
    }
    FilterEntry& entry = entries_[entryCount_++];
    entry.fieldId = fieldId;
    entry.fieldType = fieldType;
    entry.conditions.clear();
    FilterParser parser(pool_, kind, fieldNameForMessages);
    const StatusCode result = parser.Parse(prepared, entry.conditions);
    if (result == status::kFilterIllegalNumber || result == status::kFilterIllegalDate) {
        const std::string name(fieldNameForMessages);
        NUV_WARNING("%s '%s'", Translate("Illegal value for").c_str(), name.c_str());
    }
    return result;
}

bool CZOLFilterCommon::EntryPasses(int index, const FilterValue& value) const {
    return ConditionListPasses(entries_[index].conditions, value, evalStack_);
}

}  // namespace kelvane

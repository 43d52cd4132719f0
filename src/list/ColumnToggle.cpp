#include "list/ColumnToggle.h"

#include "list/MyListCtrl.h"
#include "list/ZOLColumnChoice.h"

namespace kelvane {

std::vector<ColumnToggle> ColumnToggles(const CMyListCtrl& list) {
    const CZOLColumnChoice choice(list);
    std::vector<ColumnToggle> toggles;
    for (std::size_t index = 1; index < choice.Offered().size(); ++index) {  // after "(none)"
        const int fieldId = choice.OfferedField(index);
        toggles.push_back({fieldId, choice.Offered()[index], list.IsFieldShown(fieldId)});
    }
    return toggles;
}

StatusCode ToggleColumn(CMyListCtrl& list, int fieldId) {
    const bool hide = list.IsFieldShown(fieldId);
    std::vector<ColumnDefinition> kept;
    for (int position = 0; position < list.ColumnCount(); ++position) {
        const ListColumn* column = list.Column(position);
        if (column->fieldId != kFieldRowNumber && !(hide && column->fieldId == fieldId)) {
            kept.push_back({column->fieldId, column->width});
        }
    }
    if (!hide) {
        kept.push_back({fieldId, -1});
    }
    if (kept.size() > static_cast<std::size_t>(kDefinitionSlotCount)) {
        return status::kColumnDefinitionsFull;
    }
    list.ClearDefinitions();
    for (const ColumnDefinition& definition : kept) {
        list.AppendDefinition(definition.fieldId, definition.width);
    }
    return list.BuildColumns(true);
}

bool FollowDuplicatesView(CMyListCtrl& list, bool duplicatesOn, bool addedBefore) {
    if (duplicatesOn) {
        if (addedBefore || list.IsFieldShown(kFieldPath)) {
            return addedBefore;
        }
        return ToggleColumn(list, kFieldPath) == 0;
    }
    if (addedBefore && list.IsFieldShown(kFieldPath)) {
        ToggleColumn(list, kFieldPath);
    }
    return false;
}

}  // namespace kelvane

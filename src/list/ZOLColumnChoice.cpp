#include "list/ZOLColumnChoice.h"

#include <algorithm>

#include "list/MyListCtrl.h"
#include "list/ZOLColumnDefaults.h"
#include "support/NUVLang.h"

namespace kelvane {

CZOLColumnChoice::CZOLColumnChoice(const CMyListCtrl& list) {
    offered_.push_back(Translate("(none)"));
    offeredFields_.push_back(kFieldNone);
    for (const FieldDescriptor& row : CatalogueRows(list.Catalogue())) {
        if (row.offeredAsColumn == 0) {
            continue;
        }
        std::string header = Translate(row.header);
        if (std::find(offered_.begin(), offered_.end(), header) == offered_.end()) {
            offered_.push_back(std::move(header));
            offeredFields_.push_back(row.id);
        }
    }
    choices_.fill(kNothing);
    size_t next = 0;
    for (int position = 0; position < list.ColumnCount() && next < choices_.size(); ++position) {
        const int fieldId = list.FieldIdOfColumn(position);
        if (fieldId == kFieldRowNumber) {
            continue;
        }
        const auto found = std::find(offeredFields_.begin(), offeredFields_.end(), fieldId);
        choices_[next++] = found == offeredFields_.end()
                               ? kNothing
                               : static_cast<int>(found - offeredFields_.begin());
    }
}

void CZOLColumnChoice::SetChoice(int list, int offeredIndex) {
    if (list < 0 || list >= kListCount) {
        return;
    }
    const bool valid = offeredIndex >= 0 && offeredIndex < static_cast<int>(offered_.size());
    choices_[static_cast<size_t>(list)] = valid ? offeredIndex : kNothing;
}

std::vector<int> CZOLColumnChoice::ChosenFields() const {
    std::vector<int> fields;
    for (int choice : choices_) {
        if (choice > 0) {
            fields.push_back(offeredFields_[static_cast<size_t>(choice)]);
        }
    }
    return fields;
}

void CZOLColumnChoice::ApplyTo(CMyListCtrl& list) const {
    list.Suspend();
    list.ClearDefinitions();
    for (int fieldId : ChosenFields()) {
        list.AppendDefinition(fieldId, -1);
    }
}

StatusCode CZOLColumnChoice::SetAsDefault(const CMyListCtrl& list,
                                          IColumnSettingsStore& store) const {
    // Gaps stay as 99 so that each field is matched with the column at its own place.
    std::vector<int> fields;
    for (int choice : choices_) {
        fields.push_back(choice > 0 ? offeredFields_[static_cast<size_t>(choice)] : kFieldNone);
    }
    return StoreColumnDefaults(list, fields, storeSortOrder, store);
}

}  // namespace kelvane

#include "list/ZOLListTableView.h"

#include "list/ZOLListViewMgr.h"

namespace kelvane {

int CZOLListTableView::ColumnCount() const {
    const CMyListCtrl* list = manager_.CurrentList();
    return list != nullptr ? list->ColumnCount() : -1;
}

bool CZOLListTableView::Column(int column, TableColumn& out) const {
    const CMyListCtrl* list = manager_.CurrentList();
    const ListColumn* shown = list != nullptr ? list->Column(column) : nullptr;
    if (shown == nullptr) {
        return false;
    }
    out.header = shown->header;
    out.width = shown->width;
    out.alignment = shown->rightAligned ? ColumnAlignment::Right : ColumnAlignment::Left;
    out.fieldId = shown->fieldId;
    return true;
}

long CZOLListTableView::RowCount() const {
    return manager_.RowCount();
}

bool CZOLListTableView::CellText(long row, int column, std::string& out) const {
    const CMyListCtrl* list = manager_.CurrentList();
    if (list == nullptr || row < 0 || row >= list->RowCount() || list->Column(column) == nullptr) {
        return false;
    }
    out.assign(list->CellText(row, column, scratch_));
    return true;
}

}  // namespace kelvane

// The list on screen as the outputs (RTF document, printed pages, the command-line table) read
// it: the visible columns in on-screen order and the displayed text of each cell.
#pragma once

#include <string>

#include "list/ListTableView.h"

namespace kelvane {

class CZOLListViewMgr;

class CZOLListTableView final : public ListTableView {
  public:
    explicit CZOLListTableView(const CZOLListViewMgr& manager) : manager_(manager) {}

    int ColumnCount() const override;
    bool Column(int column, TableColumn& out) const override;
    long RowCount() const override;
    // A group-marker cell reads empty, as on screen.
    bool CellText(long row, int column, std::string& out) const override;

  private:
    const CZOLListViewMgr& manager_;
    mutable std::string scratch_;
};

}  // namespace kelvane

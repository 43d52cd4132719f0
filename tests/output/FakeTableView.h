// A list for the output tests: columns and cell texts held in memory, with switches that make
// single reads fail.
#pragma once

#include <string>
#include <vector>

#include "list/ListTableView.h"

namespace kelvane::test {

class FakeTableView final : public ListTableView {
  public:
    std::vector<TableColumn> columns;
    std::vector<std::vector<std::string>> rows;
    bool headerMissing = false;
    int unreadableColumn = -1;
    long unreadableRow = -1;

    void AddColumn(std::string header, int width, int fieldId,
                   ColumnAlignment alignment = ColumnAlignment::Left) {
        columns.push_back({std::move(header), width, alignment, fieldId});
    }

    int ColumnCount() const override {
        return headerMissing ? -1 : static_cast<int>(columns.size());
    }
    bool Column(int column, TableColumn& out) const override {
        if (column == unreadableColumn || column < 0 || column >= ColumnCount()) {
            return false;
        }
        out = columns[static_cast<size_t>(column)];
        return true;
    }
    long RowCount() const override { return static_cast<long>(rows.size()); }
    bool CellText(long row, int column, std::string& out) const override {
        if (row == unreadableRow || row < 0 || row >= RowCount()) {
            return false;
        }
        out = rows[static_cast<size_t>(row)].at(static_cast<size_t>(column));
        return true;
    }
};

}  // namespace kelvane::test

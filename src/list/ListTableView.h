// The list as shown on screen, seen by the outputs (RTF document, printed pages): its visible
// columns in on-screen order and the displayed text of each cell. The list model implements it;
// the outputs never touch records, so they print exactly what the user sees.
#pragma once

#include <string>

namespace kelvane {

enum class ColumnAlignment { Left, Right, Centre };

// Field id of the row-number column "Nr".
inline constexpr int kRowNumberFieldId = 98;

struct TableColumn {
    std::string header;  // displayed header text
    int width = 0;       // on-screen width in pixels
    ColumnAlignment alignment = ColumnAlignment::Left;
    int fieldId = 0;  // catalogue field id (song field id in the song list), 98 for "Nr"
};

class ListTableView {
  public:
    virtual ~ListTableView() = default;

    // Number of visible columns; negative when the header cannot be read.
    virtual int ColumnCount() const = 0;
    // The description of visible column `column` (0 = leftmost on screen); false when it
    // cannot be read.
    virtual bool Column(int column, TableColumn& out) const = 0;
    // Number of rows shown (after filter and visibility mode).
    virtual long RowCount() const = 0;
    // The displayed text of a cell, written into `out` (reused by the caller across cells so
    // that no allocation happens per cell); false when it cannot be read.
    virtual bool CellText(long row, int column, std::string& out) const = 0;
};

}  // namespace kelvane

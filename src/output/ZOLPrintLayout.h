// The geometry of a printed list page, computed once per print job from the settings, the
// printer's page, the list's columns and the font heights. The renderer (QPainter on a
// QPrinter with full-page coordinates: x and y in device units from the paper's top-left
// corner) draws what the plan says:
//
//   header lines (date and page, title, path, filter)  -- when shown
//   topRuleY:     horizontal line from `left` to `tableRight`
//   header row:   column heads in [headerRowTop, +rowHeight), vertical lines down to
//                 headerRuleY, where the second horizontal line is drawn
//   data rows:    row k of a page at RowTop(layout, k), a horizontal line below each,
//                 vertical lines at every column's lineX and at tableRight
//
// Texts are clipped to [textLeft, textRight] of their column and vertically centred in the
// row; the fonts are Arial at PrintFontPointSize.
#pragma once

#include <string>
#include <vector>

#include "list/ListTableView.h"
#include "output/ZOLPrintSettings.h"
#include "support/NUVStatus.h"

namespace kelvane {

enum class PrintFont { Title, Header, Body };

int PrintFontPointSize(const PrintSettings& settings, PrintFont font);

// Implemented by the renderer with the printer's fonts; tests use a fake.
class PrintFontMetrics {
  public:
    virtual ~PrintFontMetrics() = default;
    // One line of text in device units: text height with internal leading plus the
    // external leading.
    virtual int LineHeight(PrintFont font) const = 0;
};

// The printer's page, in device units.
struct PageMetrics {
    int paperWidth = 0;
    int paperHeight = 0;
    int dpiX = 0;  // printer resolution
    int dpiY = 0;
    int unprintableLeft = 0;  // parts of the paper the printer cannot reach
    int unprintableTop = 0;
    int unprintableRight = 0;
    int unprintableBottom = 0;
    int screenDpiX = 96;  // the screen's horizontal resolution (column widths are in pixels)
};

struct PrintTextBox {
    bool shown = false;
    int top = 0;
    int height = 0;
};

struct PrintColumn {
    int tableColumn = 0;  // index in the table view
    ColumnAlignment alignment = ColumnAlignment::Left;
    int width = 0;      // printed width
    int lineX = 0;      // vertical line left of the column
    int textLeft = 0;   // after 3 points of space
    int textRight = 0;  // the column's end, or the right margin when clipped
    bool clipped = false;
};

struct PrintLayout {
    // Margins as coordinates on the paper.
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int pointX = 0;  // one point in device units
    int pointY = 0;

    // Header lines, each spanning left..right; the first is right-aligned.
    PrintTextBox pageLine;  // date and page number (body font)
    PrintTextBox titleLine;
    PrintTextBox pathLine;
    PrintTextBox filterLine;

    int topRuleY = 0;
    int headerRowTop = 0;
    int headerRuleY = 0;
    int tableRight = 0;  // right end of the horizontal lines and the closing vertical line
    std::vector<PrintColumn> columns;  // the printed columns, in on-screen order
    int leftOutColumns = 0;            // columns that start beyond the right margin

    int firstRowTop = 0;
    int rowHeight = 0;
    long rowCount = 0;
    long rowsPerPage = 0;
    long pageCount = 0;
};

// Fails (WARNING, nothing to print) when the list or its header is not available or has
// more than 21 columns. A column that cannot be read is reported and skipped.
StatusCode ComputePrintLayout(const PrintSettings& settings, const PageMetrics& page,
                              const ListTableView* table, const PrintFontMetrics& fonts,
                              PrintLayout& layout);

// Page numbers count from 1.
long FirstRowOfPage(const PrintLayout& layout, long page);
long RowsOnPage(const PrintLayout& layout, long page);
// Top of the `index`-th row printed on a page.
int RowTop(const PrintLayout& layout, long index);

}  // namespace kelvane

#include "output/ZOLPrintLayout.h"

#include <algorithm>
#include <cstdint>

#include "output/OutputLimits.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "support/NUVStatus.h"

namespace kelvane {
namespace {

// Columns wider than this many pixels are treated as this wide (keeps the arithmetic sane).
constexpr int64_t kMaxScreenColumnWidth = 100000;

int MillimetresToDevice(int millimetres, int dpi) {
    return static_cast<int>(static_cast<int64_t>(millimetres) * dpi * 10 / 254);
}

void ComputeMargins(const PrintSettings& settings, const PageMetrics& page, PrintLayout& layout) {
    const int left = MillimetresToDevice(settings.printLeftMargin, page.dpiX);
    const int right = MillimetresToDevice(settings.printRightMargin, page.dpiX);
    const int top = MillimetresToDevice(settings.printTopMargin, page.dpiY);
    const int bottom = MillimetresToDevice(settings.printBottomMargin, page.dpiY);
    layout.left = std::max(left, page.unprintableLeft);
    layout.right = page.paperWidth - std::max(right, page.unprintableRight);
    layout.top = std::max(top, page.unprintableTop);
    layout.bottom = page.paperHeight - std::max(bottom, page.unprintableBottom);
    layout.pointX = std::max(1, page.dpiX / 72);
    layout.pointY = std::max(1, page.dpiY / 72);
}

PrintTextBox TakeLine(int& y, int height) {
    PrintTextBox box{true, y, height};
    y += height;
    return box;
}

// Lays out the page header lines; returns the y where the table starts.
int ComputeHeaderLines(const PrintSettings& settings, const PrintFontMetrics& fonts,
                       PrintLayout& layout) {
    int y = layout.top;
    if (!settings.printHeader) {
        return y;
    }
    const int bodyHeight = fonts.LineHeight(PrintFont::Body);
    const int gap = 5 * layout.pointY;
    layout.pageLine = TakeLine(y, bodyHeight);
    if (settings.printTitle) {
        layout.titleLine = TakeLine(y, fonts.LineHeight(PrintFont::Title));
        y += gap;
    }
    if (settings.printPath) {
        layout.pathLine = TakeLine(y, bodyHeight);
    }
    if (settings.printFilterInfo) {
        layout.filterLine = TakeLine(y, bodyHeight);
    }
    if (settings.printPath || settings.printFilterInfo) {
        y += gap;
    }
    return y;
}

int PrintedWidth(int screenWidth, const PrintSettings& settings, const PageMetrics& page) {
    const int64_t screenDpi = page.screenDpiX > 0 ? page.screenDpiX : 96;
    const int64_t width = std::clamp<int64_t>(screenWidth, 0, kMaxScreenColumnWidth);
    return static_cast<int>(width * page.dpiX / screenDpi * settings.pageBodyFontSize / 8);
}

// Places the columns from the left margin: each one starts with a one-unit vertical line.
// Columns starting at or beyond the right margin are left out; one reaching past it is
// clipped there.
void PlaceColumns(const ListTableView& table, int count, const PrintSettings& settings,
                  const PageMetrics& page, PrintLayout& layout) {
    int64_t x = layout.left;
    int64_t tableWidth = 6 * layout.pointX;
    TableColumn desc;
    for (int i = 0; i < count; ++i) {
        if (!table.Column(i, desc)) {
            NUV_WARNING("%s", Translate("Internal Error - Cannot get column info").c_str());
            continue;
        }
        const int width = PrintedWidth(desc.width, settings, page);
        tableWidth += width + 1;
        if (x >= layout.right) {
            ++layout.leftOutColumns;
            continue;
        }
        PrintColumn column;
        column.tableColumn = i;
        column.alignment = desc.alignment;
        column.width = width;
        column.lineX = static_cast<int>(x);
        const int64_t end = x + 1 + width;
        column.clipped = end > layout.right;
        column.textRight = static_cast<int>(std::min<int64_t>(end, layout.right));
        column.textLeft =
            static_cast<int>(std::min<int64_t>(x + 1 + 3 * layout.pointX, column.textRight));
        layout.columns.push_back(column);
        x = end;
    }
    layout.tableRight = static_cast<int>(std::min<int64_t>(layout.left + tableWidth, layout.right));
}

StatusCode CheckPrintList(const ListTableView* table) {
    if (table == nullptr) {
        NUV_WARNING("%s", Translate("Internal Error - No ptr to listctrl - Cannot print").c_str());
        return status::kPrintNoList;
    }
    if (table->ColumnCount() < 0) {
        NUV_WARNING("%s", Translate("Internal Error - Cannot get ptr to listctrl header").c_str());
        return status::kPrintNoHeader;
    }
    if (table->ColumnCount() > kMaxOutputColumns) {
        // Refused cleanly: the column selection normally keeps the list within the bound.
        NUV_WARNING("%s", Translate("Internal Error - Illegal nr of columns").c_str());
        return status::kPrintTooManyColumns;
    }
    return status::kOk;
}

}  // namespace

int PrintFontPointSize(const PrintSettings& givenSettings, PrintFont font) {
    const PrintSettings settings = ClampedPrintSettings(givenSettings);
    return font == PrintFont::Title ? settings.pageTitleFontSize : settings.pageBodyFontSize;
}

StatusCode ComputePrintLayout(const PrintSettings& givenSettings, const PageMetrics& page,
                              const ListTableView* table, const PrintFontMetrics& fonts,
                              PrintLayout& layout) {
    layout = PrintLayout{};
    const PrintSettings settings = ClampedPrintSettings(givenSettings);
    if (StatusCode status = CheckPrintList(table); status != status::kOk) {
        return status;
    }
    ComputeMargins(settings, page, layout);
    layout.topRuleY = ComputeHeaderLines(settings, fonts, layout);
    PlaceColumns(*table, table->ColumnCount(), settings, page, layout);

    layout.headerRowTop = layout.topRuleY;
    layout.headerRuleY =
        layout.headerRowTop + fonts.LineHeight(PrintFont::Header) + 5 * layout.pointY;
    layout.firstRowTop = layout.headerRuleY;
    layout.rowHeight = std::max(1, fonts.LineHeight(PrintFont::Body));
    layout.rowCount = std::max(0L, table->RowCount());
    // Fixed on the first page and the same on every page, since every page has the same
    // header. At least one row per page, so that a page too small for the header and a row
    // still ends the job.
    layout.rowsPerPage =
        std::max(1L, static_cast<long>(layout.bottom - layout.firstRowTop) / layout.rowHeight);
    layout.pageCount =
        std::max(1L, (layout.rowCount + layout.rowsPerPage - 1) / layout.rowsPerPage);
    return status::kOk;
}

long FirstRowOfPage(const PrintLayout& layout, long page) {
    return std::max(0L, page - 1) * layout.rowsPerPage;
}

long RowsOnPage(const PrintLayout& layout, long page) {
    const long first = FirstRowOfPage(layout, page);
    return std::clamp(layout.rowCount - first, 0L, layout.rowsPerPage);
}

int RowTop(const PrintLayout& layout, long index) {
    return layout.firstRowTop + static_cast<int>(index) * layout.rowHeight;
}

}  // namespace kelvane

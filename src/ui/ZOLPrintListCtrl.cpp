#include "ui/ZOLPrintListCtrl.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "ui/NuvQtText.h"

namespace kelvane {
namespace {

QFont PrinterFont(const PrintSettings& settings, PrintFont which, QPaintDevice* device) {
    QFont font(QString::fromLatin1(kPrintFontFamily));
    font.setPointSize(PrintFontPointSize(settings, which));
    return QFont(font, device);
}

// Line heights of the printer's fonts: the text height plus the external leading.
class QtPrintFontMetrics final : public PrintFontMetrics {
  public:
    QtPrintFontMetrics(const PrintSettings& settings, QPaintDevice* device)
        : settings_(settings), device_(device) {}
    int LineHeight(PrintFont font) const override {
        return QFontMetrics(PrinterFont(settings_, font, device_), device_).lineSpacing();
    }

  private:
    const PrintSettings& settings_;
    QPaintDevice* device_;
};

Qt::Alignment AlignmentOf(ColumnAlignment alignment) {
    switch (alignment) {
        case ColumnAlignment::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case ColumnAlignment::Centre:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case ColumnAlignment::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

class PageDrawer {
  public:
    PageDrawer(QPainter& painter, const PrintLayout& layout, const ListTableView& table,
               const PrintSettings& settings, const PrintJobText& text, QPaintDevice* device)
        : painter_(painter),
          layout_(layout),
          table_(table),
          settings_(settings),
          text_(text),
          title_(PrinterFont(settings, PrintFont::Title, device)),
          body_(PrinterFont(settings, PrintFont::Body, device)) {}

    void DrawPage(long page) {
        DrawHeaderLines(page);
        painter_.setFont(body_);
        HorizontalLine(layout_.topRuleY);
        std::string header;
        for (const PrintColumn& column : layout_.columns) {
            TableColumn desc;
            header = table_.Column(column.tableColumn, desc) ? desc.header : std::string();
            Cell(column, layout_.headerRowTop, layout_.headerRuleY, header);
        }
        VerticalLine(layout_.tableRight, layout_.headerRowTop, layout_.headerRuleY);
        HorizontalLine(layout_.headerRuleY);
        const long first = FirstRowOfPage(layout_, page);
        const long count = RowsOnPage(layout_, page);
        for (long i = 0; i < count; ++i) {
            const int top = RowTop(layout_, i);
            const int bottom = top + layout_.rowHeight;
            for (const PrintColumn& column : layout_.columns) {
                if (!table_.CellText(first + i, column.tableColumn, cell_)) {
                    cell_.clear();
                }
                Cell(column, top, bottom, cell_);
            }
            VerticalLine(layout_.tableRight, top, bottom);
            HorizontalLine(bottom);
        }
    }

  private:
    void DrawHeaderLines(long page) {
        const auto line = [this](const PrintTextBox& box, const QFont& font,
                                 const std::string& text, Qt::Alignment alignment) {
            if (!box.shown) {
                return;
            }
            painter_.setFont(font);
            const QRect rect(layout_.left, box.top, layout_.right - layout_.left, box.height);
            painter_.drawText(rect, alignment | Qt::AlignVCenter | Qt::TextSingleLine, ToQt(text));
        };
        const PrintHeaderTexts texts = PrintHeaderLines(settings_, text_, page);
        line(layout_.pageLine, body_, texts.pageLine, Qt::AlignRight);
        line(layout_.titleLine, title_, texts.titleLine, Qt::AlignLeft);
        line(layout_.pathLine, body_, texts.pathLine, Qt::AlignLeft);
        line(layout_.filterLine, body_, texts.filterLine, Qt::AlignLeft);
    }

    void Cell(const PrintColumn& column, int top, int bottom, const std::string& text) {
        VerticalLine(column.lineX, top, bottom);
        const QRect rect(column.textLeft, top, std::max(0, column.textRight - column.textLeft),
                         bottom - top);
        painter_.save();
        painter_.setClipRect(rect);
        painter_.drawText(rect, AlignmentOf(column.alignment) | Qt::TextSingleLine, ToQtView(text));
        painter_.restore();
    }

    void HorizontalLine(int y) { painter_.drawLine(layout_.left, y, layout_.tableRight, y); }
    void VerticalLine(int x, int top, int bottom) { painter_.drawLine(x, top, x, bottom); }

    QPainter& painter_;
    const PrintLayout& layout_;
    const ListTableView& table_;
    const PrintSettings& settings_;
    const PrintJobText& text_;
    QFont title_;
    QFont body_;
    std::string cell_;
};

int ScreenDpiX() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? static_cast<int>(screen->logicalDotsPerInchX()) : 96;
}

}  // namespace

PageMetrics PrinterPageMetrics(const QPrinter& printer) {
    PageMetrics page;
    const QRect paper = printer.pageLayout().fullRectPixels(printer.resolution());
    page.paperWidth = paper.width();
    page.paperHeight = paper.height();
    page.dpiX = printer.logicalDpiX();
    page.dpiY = printer.logicalDpiY();
    // The printer's unprintable border is its page layout's minimum margins.
    QPageLayout minimum = printer.pageLayout();
    minimum.setMargins(minimum.minimumMargins());
    const QMargins border = minimum.marginsPixels(printer.resolution());
    page.unprintableLeft = border.left();
    page.unprintableTop = border.top();
    page.unprintableRight = border.right();
    page.unprintableBottom = border.bottom();
    page.screenDpiX = ScreenDpiX();
    return page;
}

StatusCode PrintListPages(QPrinter& printer, const ListTableView& table,
                          const PrintSettings& settings, const PrintJobText& text) {
    // Coordinates from the paper's corner: the plan places the margins itself.
    printer.setFullPage(true);
    PrintLayout layout;
    const QtPrintFontMetrics fonts(settings, &printer);
    const StatusCode planned =
        ComputePrintLayout(settings, PrinterPageMetrics(printer), &table, fonts, layout);
    if (planned != status::kOk) {
        return planned;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        NUV_WARNING("%s %s",
                    Translate("Error\nUnable to write file\nDevice write protected or "
                              "full ?\nFile: ")
                        .c_str(),
                    PathFromQt(printer.outputFileName()).c_str());
        return status::kPrintCannotPaint;
    }
    QPen pen(Qt::black);
    pen.setWidth(1);
    painter.setPen(pen);
    PageDrawer drawer(painter, layout, table, settings, text, &printer);
    const PrintPageRange pages = PagesToPrint(layout, printer.printRange() == QPrinter::PageRange,
                                              printer.fromPage(), printer.toPage());
    for (long page = pages.first; page <= pages.last; ++page) {
        if (page != pages.first) {
            printer.newPage();
        }
        drawer.DrawPage(page);
    }
    painter.end();
    return status::kOk;
}

}  // namespace kelvane

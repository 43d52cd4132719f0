// CPrintListCtrl: prints the list as shown (visible columns in on-screen order, the displayed
// texts) through a QPrinter, with the page header of date and page number, title, start folder
// and filter. The page plan, the header texts and the pages to print come from the core
// (ComputePrintLayout, PrintListJob.h); this file only draws them. The object
// lives for the whole run with the printer, the print settings and the page title.
#pragma once

#include <QPrinter>
#include <memory>
#include <string>

#include "list/ListTableView.h"
#include "output/PrintListJob.h"
#include "platform/NonCopyable.h"

class QPainter;
class QWidget;

namespace kelvane {

// The printer's page as the plan needs it: paper and resolution in device units, the printer's
// unprintable border (a PDF printer has none).
PageMetrics PrinterPageMetrics(const QPrinter& printer);

// Plans and draws every page of the printer's page range (all when none is chosen). Returns
// the planner's status (nothing printed on failure), or -13745 when the printer cannot be
// painted on.
StatusCode PrintListPages(QPrinter& printer, const ListTableView& table,
                          const PrintSettings& settings, const PrintJobText& text);

class CPrintListCtrl : NonCopyable {
  public:
    CPrintListCtrl();
    ~CPrintListCtrl();

    // The printer used by every job (made on first use); its orientation follows the settings.
    QPrinter& Printer();
    PrintSettings& Settings() { return settings_; }
    // The page title of the last print (empty at start).
    const std::string& PageTitle() const { return pageTitle_; }

    // The commands: print dialog and print; the preview window; the page setup (which stores
    // the settings). `parent` parents the dialogs.
    void Print(QWidget* parent, const ListTableView& table);
    void PrintPreview(QWidget* parent, const ListTableView& table);
    void PageSetup(QWidget* parent);

    // Prints without a dialog (title given), e.g. to a PDF file; the planner's status.
    StatusCode PrintTo(QPrinter& printer, const ListTableView& table, const std::string& title,
                       bool preview);

  private:
    void ApplyOrientation(QPrinter& printer) const;

    std::unique_ptr<QPrinter> printer_;
    PrintSettings settings_;
    std::string pageTitle_;
};

}  // namespace kelvane

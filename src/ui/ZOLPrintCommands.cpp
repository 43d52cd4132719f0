// The print commands of CPrintListCtrl: print with the print dialog, the preview window and the
// page setup. The settings are read when the object is made and written at OK of the page setup.
#include <QDateTime>
#include <QPrintPreviewDialog>

#include "app/ZOLPrintSettingsStore.h"
#include "list/ZOLListViewMgr.h"
#include "ui/ZOLMyPageSetupDlg.h"
#include "ui/ZOLMyPrintDlg.h"
#include "ui/ZOLPrintListCtrl.h"

namespace kelvane {

CPrintListCtrl::CPrintListCtrl() : settings_(ReadPrintSettings()) {}

CPrintListCtrl::~CPrintListCtrl() = default;

QPrinter& CPrintListCtrl::Printer() {
    if (printer_ == nullptr) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setDocName(QStringLiteral("Kelvane"));
        ApplyOrientation(*printer_);
    }
    return *printer_;
}

void CPrintListCtrl::ApplyOrientation(QPrinter& printer) const {
    printer.setPageOrientation(settings_.paperOrientation == kPaperLandscape
                                   ? QPageLayout::Landscape
                                   : QPageLayout::Portrait);
}

StatusCode CPrintListCtrl::PrintTo(QPrinter& printer, const ListTableView& table,
                                   const std::string& title, bool preview) {
    return PrintListPages(printer, table, settings_,
                          ListPrintJobText(ShownListText(ListViewMgr()), title, preview));
}

void CPrintListCtrl::Print(QWidget* parent, const ListTableView& table) {
    QPrinter& printer = Printer();
    ApplyOrientation(printer);
    CZOLMyPrintDlg dialog(&printer, parent, settings_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (dialog.TitleEnabled()) {
        pageTitle_ = dialog.Title();
        settings_.lastTitle = pageTitle_;
        StoreLastPrintTitle(pageTitle_);
    }
    PrintTo(printer, table, pageTitle_, false);
}

void CPrintListCtrl::PrintPreview(QWidget* parent, const ListTableView& table) {
    QPrinter& printer = Printer();
    ApplyOrientation(printer);
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(
        &preview, &QPrintPreviewDialog::paintRequested, &preview,
        [this, &table](QPrinter* target) { PrintTo(*target, table, pageTitle_, true); });
    preview.resize(900, 700);
    preview.exec();
}

void CPrintListCtrl::PageSetup(QWidget* parent) {
    CZOLMyPageSetupDlg dialog(parent, Printer(), settings_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const std::string lastTitle = settings_.lastTitle;
    settings_ = dialog.Settings();
    settings_.lastTitle = lastTitle;
    dialog.ApplyToPrinter();
    StorePrintSettings(settings_);
}

}  // namespace kelvane

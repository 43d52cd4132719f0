// CZOLMyPrintDlg: the platform's print dialog (printer, print to PDF, range, copies) with a
// tab "Page header" that asks for the title. The title box is enabled only when the page
// header and its title are printed; otherwise it shows where to switch them on.
#pragma once

#include <QPrintDialog>
#include <string>

#include "output/ZOLPrintSettings.h"

class QLineEdit;

namespace kelvane {

class CZOLMyPrintDlg : public QPrintDialog {
    Q_OBJECT

  public:
    CZOLMyPrintDlg(QPrinter* printer, QWidget* parent, const PrintSettings& settings);

    // The title typed (the last title when left alone).
    std::string Title() const;
    bool TitleEnabled() const { return titleEnabled_; }
    QLineEdit* TitleEdit() const { return title_; }

  private:
    QLineEdit* title_ = nullptr;
    std::string lastTitle_;
    bool titleEnabled_ = false;
};

}  // namespace kelvane

// CZOLMyPrintDlg: the platform's print dialog (printer, print to PDF, range, copies) with a
// tab "Page header" that asks for the title. The title box is enabled only when the page
// header and its title are printed; otherwise it shows where to switch them on.
#pragma once

#include <QPrintDialog>
#include <string>

#include "output/ZOLPrintSettings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

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

// CZOLMyPageSetupDlg: paper size and orientation, margins in millimetres, the font sizes of
// title and body, the six page header switches, and "Printer..." to choose the printer.
class CZOLMyPageSetupDlg : public QDialog {
    Q_OBJECT

  public:
    CZOLMyPageSetupDlg(QWidget* parent, QPrinter& printer, const PrintSettings& settings);

    // The settings as the dialog shows them (read after OK).
    PrintSettings Settings() const;
    // Applies the chosen paper size and orientation to the printer.
    void ApplyToPrinter() const;

  private:
    QPrinter& printer_;
    PrintSettings settings_;
    QComboBox* paper_ = nullptr;
    QRadioButton* portrait_ = nullptr;
    QSpinBox* margins_[4] = {};  // left, top, right, bottom
    QSpinBox* titleSize_ = nullptr;
    QSpinBox* bodySize_ = nullptr;
    QCheckBox* switches_[6] = {};
};

}  // namespace kelvane

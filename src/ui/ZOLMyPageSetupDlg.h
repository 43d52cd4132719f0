// CZOLMyPageSetupDlg: paper size and orientation, margins in millimetres, the font sizes of
// title and body, the six page header switches, and "Printer..." to choose the printer.
#pragma once

#include <QDialog>

#include "output/ZOLPrintSettings.h"

class QCheckBox;
class QComboBox;
class QPrinter;
class QRadioButton;
class QSpinBox;

namespace kelvane {

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

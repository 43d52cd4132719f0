// CZOLRtfOutputDlg: the page header text of the RTF document and its paper orientation.
#pragma once

#include <QDialog>
#include <string>

#include "output/ZOLRtfDocument.h"

class QLineEdit;
class QRadioButton;

namespace kelvane {

class CZOLRtfOutputDlg : public QDialog {
    Q_OBJECT

  public:
    CZOLRtfOutputDlg(QWidget* parent, const std::string& pageHeader, PaperOrientation orientation);

    std::string PageHeader() const;
    PaperOrientation Orientation() const;
    QLineEdit* HeaderEdit() const { return header_; }
    QRadioButton* PortraitButton() const { return portrait_; }

  private:
    QLineEdit* header_ = nullptr;
    QRadioButton* landscape_ = nullptr;
    QRadioButton* portrait_ = nullptr;
    std::string initialHeader_;
};

}  // namespace kelvane

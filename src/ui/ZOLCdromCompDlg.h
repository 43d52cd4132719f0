// CZOLCdromCompDlg: the test selection of the CD-ROM (Joliet) compatibility test, with its two
// check boxes (both unticked when it opens) and a Help button.
#pragma once

#include <QDialog>
#include <optional>

#include "fileops/ZOLCdromCompat.h"

class QCheckBox;

namespace kelvane {

class CZOLCdromCompDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CZOLCdromCompDlg(QWidget* parent);

    CdromCompatChoice Choice() const;
    QCheckBox* DirectoryLevelBox() const { return level_; }
    QCheckBox* NameLengthBox() const { return length_; }

  private:
    QCheckBox* level_ = nullptr;
    QCheckBox* length_ = nullptr;
};

// Shows the dialog; the selection, or none for Cancel.
std::optional<CdromCompatChoice> AskCdromTestChoice();

}  // namespace kelvane

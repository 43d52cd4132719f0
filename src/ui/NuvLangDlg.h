// The language dialog: the installed languages by their full names; OK loads the chosen one.
// The caller stores the short name under "Global"/"Language"; texts on screen keep their
// language until the restart.
#pragma once

#include <QDialog>

class QComboBox;

namespace kelvane {

class CNuvLangDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CNuvLangDlg(QWidget* parent);
    QComboBox* Languages() const { return languages_; }
    void accept() override;

  private:
    QComboBox* languages_ = nullptr;
};

// Runs the dialog; on OK stores the language. True when confirmed.
bool RunLanguageDialog(QWidget* parent);

}  // namespace kelvane

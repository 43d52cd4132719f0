// "Go to line nr": one input "Line Number"; OK with input that does not start with an integer
// shows "Wrong value" and the dialog stays open.
#pragma once

#include <QDialog>

class QLineEdit;

namespace kelvane {

class CZOLGotoLineNrDlg final : public QDialog {
    Q_OBJECT

  public:
    explicit CZOLGotoLineNrDlg(QWidget* parent);

    QLineEdit* Input() const { return input_; }
    // The number after OK.
    long LineNumber() const { return lineNumber_; }

    void accept() override;

  private:
    QLineEdit* input_ = nullptr;
    long lineNumber_ = 0;
};

}  // namespace kelvane

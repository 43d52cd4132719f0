// The conflict and media prompts of the file operations (CFileExistsDlg, CZOLFileWPDlg,
// CZOLDeviceFullDlg, COutputFileExistsDlg), each shown from its layout: title, text lines and
// the buttons with their answer codes, enabled states and default. A button closes the prompt
// with its answer; Escape and the window's close button give the layout's escape answer.
#pragma once

#include <QDialog>
#include <vector>

#include "fileops/ZOLFileOpPrompts.h"

class QPushButton;

namespace kelvane {

class CZOLPromptDlg : public QDialog {
    Q_OBJECT

  public:
    CZOLPromptDlg(QWidget* parent, const PromptLayout& layout);

    // The answer code of the button that closed the prompt (the escape answer otherwise).
    int Answer() const { return answer_; }
    // The buttons in the layout's order.
    const std::vector<QPushButton*>& Buttons() const { return buttons_; }
    // The button of an answer code; nullptr when the prompt has none.
    QPushButton* ButtonOf(int answer) const;

    void reject() override;

  private:
    std::vector<QPushButton*> buttons_;
    std::vector<int> answers_;
    int escapeAnswer_ = 0;
    int answer_ = 0;
};

// Shows the prompt modally over the program's window and returns its answer.
int AskPrompt(const PromptLayout& layout);

}  // namespace kelvane

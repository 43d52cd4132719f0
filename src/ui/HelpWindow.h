// The help window: the program's HTML help pages (help/<book>/html/, the language in force) in a
// text browser with the help style sheet, Back, Forward, Contents and Close. Links between the
// pages stay in the window; links to the web (http, https, mailto) go to the web browser.
#pragma once

#include <QWidget>
#include <string>

class QTextBrowser;
class QPushButton;

namespace kelvane {

class HelpWindow final : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent);

    // Shows the page file and brings the window to the front.
    void ShowPage(const std::string& file);
    QTextBrowser* Browser() const { return browser_; }

  private:
    void UpdateButtons();

    QTextBrowser* browser_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
    std::string contents_;  // the book's contents page
};

// F1 in the dialog of `helpButton` presses that button.
void HelpOnF1(QPushButton* helpButton);

// The help window of the moment, made on first use: a child of the modal dialog that is open
// (so it takes input beside it), else of the main window. Shows `file`.
HelpWindow* ShowHelpWindow(const std::string& file);

}  // namespace kelvane

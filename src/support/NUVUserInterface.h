// How the core talks to the user besides messages: the status bar panes and the plain message
// boxes of commands (refusals, questions). The desktop program and the command-line tool each
// install an implementation; tests install fakes. Both may be called from the worker thread:
// implementations marshal to their user-interface thread.
#pragma once

#include <string>

namespace kelvane {

// Status bar: pane 0 carries the status line, pane 1 the counter and speed texts.
class IStatusPanes {
  public:
    virtual ~IStatusPanes() = default;
    virtual void SetPaneText(int pane, const std::string& text) = 0;
};

enum class BoxIcon { Exclamation, Information, Question, Stop };
enum class BoxButtons { Ok, OkCancel, YesNo };
enum class BoxAnswer { Ok, Cancel, Yes, No };

class IUserDialogs {
  public:
    virtual ~IUserDialogs() = default;
    // A modal message box; `defaultAnswer` is the preselected button (and what a
    // non-interactive front end answers).
    virtual BoxAnswer MessageBox(const std::string& text, BoxIcon icon, BoxButtons buttons,
                                 BoxAnswer defaultAnswer) = 0;
};

// Installed implementations; nullptr restores the defaults (panes: ignored; boxes: the text
// goes to standard error and the default answer is returned).
void SetStatusPanes(IStatusPanes* panes);
void SetUserDialogs(IUserDialogs* dialogs);
IStatusPanes& StatusPanes();
IUserDialogs& UserDialogs();

// Shortcuts used throughout the commands.
void SetStatusPaneText(int pane, const std::string& text);
BoxAnswer ShowBox(const std::string& text, BoxIcon icon = BoxIcon::Exclamation,
                  BoxButtons buttons = BoxButtons::Ok, BoxAnswer defaultAnswer = BoxAnswer::Ok);

}  // namespace kelvane

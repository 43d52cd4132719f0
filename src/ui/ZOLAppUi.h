// The desktop program's side of the core's user interfaces: message boxes, the end of the
// program, the status bar panes and the plain message boxes of commands. All may be used from
// the worker thread; they run on the user-interface thread and the worker waits.
#pragma once

#include <string>

#include "platform/NonCopyable.h"
#include "support/NUVDbg.h"
#include "support/NUVUserInterface.h"
#include "ui/ZOLFileOpPromptsUi.h"
#include "ui/ZOLProgressHost.h"

class QDialog;
class QWidget;

namespace kelvane {

class CMainFrame;

// Message facility: boxes as warnings, ExitProgram ends the event loop (or, before it runs,
// makes the start stop).
class CQtMessageSink final : public IMessageSink {
  public:
    void ShowBox(Severity severity, const std::string& text) override;
    void ConsoleText(const std::string& text) override;
    // Warnings and errors go to standard error; the other messages reach the terminal only
    // when the trace level was raised above its default (they are in the trace file anyway).
    void ConsoleMessage(Severity severity, const std::string& text) override;
    void ExitProgram(int exitCode) override;

    bool ExitRequested() const { return exitRequested_; }
    int ExitCode() const { return exitCode_; }

  private:
    bool exitRequested_ = false;
    int exitCode_ = 0;
};

class CQtStatusPanes final : public IStatusPanes {
  public:
    void SetFrame(CMainFrame* frame) { frame_ = frame; }
    void SetPaneText(int pane, const std::string& text) override;

  private:
    CMainFrame* frame_ = nullptr;  // owned by CZOLAppUi, cleared before it goes
};

class CQtUserDialogs final : public IUserDialogs {
  public:
    BoxAnswer MessageBox(const std::string& text, BoxIcon icon, BoxButtons buttons,
                         BoxAnswer defaultAnswer) override;
};

// The program: installs the five implementations, runs the start, creates the frame.
class CZOLAppUi : NonCopyable {
  public:
    CZOLAppUi();
    ~CZOLAppUi();

    // The start up to the visible window; a non-zero result ends the program with it.
    int Start(int argc, char** argv);
    CMainFrame* Frame() const { return frame_; }

  private:
    CQtMessageSink sink_;
    CQtStatusPanes panes_;
    CQtUserDialogs dialogs_;
    CQtProgressHost progress_;
    CQtFileOpPrompts prompts_;
    CMainFrame* frame_ = nullptr;
};

// The window that parents the program's boxes (the main frame when it exists).
QWidget* BoxParent();

// Runs a modal dialog with the normal cursor, also while a command shows its wait cursor.
int ExecWithNormalCursor(QDialog& dialog);

// At start: a settings file that exists but cannot be read gives a warning (the program goes on
// with the default values). True when it was reported.
bool ReportUnreadableSettingsFile();

// Opens a page of the help folder in the help window; a missing page gives a message.
void OpenHelpPage(const std::string& page);

}  // namespace kelvane

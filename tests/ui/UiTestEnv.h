// Shared by the widget tests: a program folder with the supplied data files and a settings file
// of its own (both temporary), a program start in a chosen mode, and a fake of the message
// boxes that records them and answers as told, so no test waits on a modal box; the worker
// jobs show the program's progress window.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "support/NUVUserInterface.h"
#include "support/TestEnv.h"
#include "ui/ZOLProgressHost.h"

namespace kelvane {
class CMainFrame;
}

namespace kelvane::test {

class RecordingDialogs final : public IUserDialogs {
  public:
    BoxAnswer MessageBox(const std::string& text, BoxIcon icon, BoxButtons buttons,
                         BoxAnswer defaultAnswer) override;
    bool Contains(const std::string& fragment) const;
    std::vector<std::string> boxes;
    BoxAnswer answer = BoxAnswer::Ok;
};

class RecordingPanes final : public IStatusPanes {
  public:
    void SetPaneText(int pane, const std::string& text) override;
    std::vector<std::string> Texts() const;

  private:
    mutable std::mutex lock_;
    std::vector<std::string> texts_;
};

class UiEnv {
  public:
    UiEnv();
    ~UiEnv();
    UiEnv(const UiEnv&) = delete;
    UiEnv& operator=(const UiEnv&) = delete;

    // The program folder (with "/") and a file written into it.
    std::string Home() const;
    void WriteHomeFile(const std::string& name, const std::string& bytes) const;
    // A temporary folder for the test's own files (with "/").
    std::string Work() const;

    // Runs the start (args without the program name); false when it did not start.
    bool Start(const std::vector<std::string>& args = {});
    // A main frame over the started program (panes then go to the frame).
    std::unique_ptr<CMainFrame> StartFrame(const std::vector<std::string>& args = {});

    RecordingDialogs dialogs;
    RecordingPanes panes;
    CapturingSink sink;
    CQtProgressHost progress;

  private:
    QTemporaryDir home_;
    QTemporaryDir work_;
    QByteArray oldHome_, oldSettings_, oldUserHome_;
};

}  // namespace kelvane::test

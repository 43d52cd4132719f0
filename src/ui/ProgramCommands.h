// The program's own commands: the settings sheet, help and About, the status bar, Exit, the
// trace switches, the uppercase short names of the quick-copy folder and the developer menu.
#pragma once

#include <functional>

#include "ui/CommandGroup.h"

class QWidget;

namespace kelvane {

class CMainFrame;
class NavigationCommands;

class ProgramCommands final : public CommandGroup {
  public:
    // `parent` parents the dialogs; `settingsApplied` runs after the settings sheet's OK;
    // `run` routes a command as the view does (the developer commands run others).
    ProgramCommands(QWidget& parent, CMainFrame& frame, NavigationCommands& navigation,
                    std::function<void()> settingsApplied, std::function<void(ViewCommand)> run);

    bool Run(ViewCommand command, const CommandRow* row) override;

  private:
    void OnSettings();
    void OnAbout();
    void OnUppercaseShortNames();
    void OnDeveloperCommand(ViewCommand command);
    void OnTraceAllSysex();
    void OnSpecialInfo();

    QWidget& parent_;
    CMainFrame& frame_;
    NavigationCommands& navigation_;
    std::function<void()> settingsApplied_;
    std::function<void(ViewCommand)> run_;
};

}  // namespace kelvane

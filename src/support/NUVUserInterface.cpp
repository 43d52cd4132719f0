#include "support/NUVUserInterface.h"

#include <cstdio>

namespace kelvane {
namespace {

class SilentPanes final : public IStatusPanes {
  public:
    void SetPaneText(int, const std::string&) override {}
};

class StderrDialogs final : public IUserDialogs {
  public:
    BoxAnswer MessageBox(const std::string& text, BoxIcon, BoxButtons,
                         BoxAnswer defaultAnswer) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        return defaultAnswer;
    }
};

struct UserInterfaceState {
    SilentPanes silentPanes;
    StderrDialogs stderrDialogs;
    IStatusPanes* panes = &silentPanes;
    IUserDialogs* dialogs = &stderrDialogs;
};

UserInterfaceState& State() {
    static UserInterfaceState state;
    return state;
}

}  // namespace

void SetStatusPanes(IStatusPanes* panes) {
    State().panes = panes != nullptr ? panes : &State().silentPanes;
}
void SetUserDialogs(IUserDialogs* dialogs) {
    State().dialogs = dialogs != nullptr ? dialogs : &State().stderrDialogs;
}
IStatusPanes& StatusPanes() {
    return *State().panes;
}
IUserDialogs& UserDialogs() {
    return *State().dialogs;
}

void SetStatusPaneText(int pane, const std::string& text) {
    State().panes->SetPaneText(pane, text);
}

BoxAnswer ShowBox(const std::string& text, BoxIcon icon, BoxButtons buttons,
                  BoxAnswer defaultAnswer) {
    return State().dialogs->MessageBox(text, icon, buttons, defaultAnswer);
}

}  // namespace kelvane

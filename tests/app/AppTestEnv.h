// Shared by the main-view command tests: a program folder and settings file of their own, a
// start of the program in a chosen mode, and fakes of the status panes and message boxes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ZOLMain.h"
#include "platform/SettingsStore.h"
#include "support/NUVUserInterface.h"
#include "support/ScopedEnv.h"
#include "support/TestEnv.h"

namespace kelvane::test {

class FakePanes final : public IStatusPanes {
  public:
    FakePanes() { SetStatusPanes(this); }
    ~FakePanes() override { SetStatusPanes(nullptr); }
    void SetPaneText(int pane, const std::string& text) override {
        texts.push_back(std::to_string(pane) + ":" + text);
    }
    std::vector<std::string> texts;
};

class FakeDialogs final : public IUserDialogs {
  public:
    FakeDialogs() { SetUserDialogs(this); }
    ~FakeDialogs() override { SetUserDialogs(nullptr); }
    BoxAnswer MessageBox(const std::string& text, BoxIcon icon, BoxButtons,
                         BoxAnswer defaultAnswer) override {
        boxes.push_back(text);
        icons.push_back(icon);
        defaults.push_back(defaultAnswer);
        return answer;
    }
    BoxAnswer answer = BoxAnswer::Ok;
    std::vector<std::string> boxes;
    std::vector<BoxIcon> icons;
    std::vector<BoxAnswer> defaults;
};

class AppFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.Write("kelvane.CFG", "! nothing set\n");
        dir.Write("kelvane.CFA", "SEARCH_TAG = ROCK, Rock\n");
        dir.Write("kelvane.CFM", "MODE = MIDI\n");
    }
    void TearDown() override {
        ResetStartState();
        SettingsStore().Open(settings::kCompany);
    }
    // A program start in style mode, or midi mode with "-m".
    void Start(std::vector<std::string> args = {}) {
        args.insert(args.begin(), "kelvane");
        ASSERT_EQ(CZOLApp().InitInstance(args).status, 0);
    }

    TempDir dir;
    ScopedEnv home{"KELVANE_HOME", dir.Folder()};
    ScopedEnv settingsFile{"KELVANE_SETTINGS", dir.Folder() + "settings.ini"};
    ScopedEnv userHome{"HOME", "/home/tester"};
    ScopedEnv posix{"POSIXLY_CORRECT", nullptr};
    CapturingSink sink;
    FakePanes panes;
    FakeDialogs dialogs;
};

}  // namespace kelvane::test

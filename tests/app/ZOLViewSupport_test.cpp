// Work jobs, recent folders, help pages and the About text, and the refresh checks.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "AppTestEnv.h"
#include "app/ZOLHelpTopics.h"
#include "app/ZOLRecentFolders.h"
#include "app/ZOLRefresh.h"
#include "app/ZOLWorkJob.h"
#include "support/NUVLang.h"
#include "support/ScopedEnv.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

class ViewSupport : public test::AppFixture {};

TEST_F(ViewSupport, WorkJobShowsWorkingThenTheFinalTextByStatus) {
    WorkJobTexts given;
    given.aborted = "Stopped by you";
    const WorkJobTexts texts = ResolvedTexts(given);
    EXPECT_EQ(texts.working, "Working...");
    EXPECT_EQ(texts.title, "Working");
    EXPECT_EQ(texts.aborting, "Aborting...");
    std::atomic<int> abort{0};
    for (const auto& [status, final] : {std::pair<StatusCode, std::string>{0, "Finished"},
                                        {-206, "Stopped by you"},
                                        {-10020, "Finished with error"}}) {
        panes.texts.clear();
        const StatusCode result =
            RunWorkJobBody([status](const std::atomic<int>&) { return status; }, texts, abort);
        EXPECT_EQ(result, status);
        EXPECT_EQ(panes.texts, (std::vector<std::string>{"0:Working...", "0:" + final}));
    }
}

TEST_F(ViewSupport, WorkJobSeesTheAbortFlag) {
    std::atomic<int> abort{1};
    const auto job = [](const std::atomic<int>& flag) {
        return flag.load() != 0 ? status::kAbortedByUser : status::kOk;
    };
    EXPECT_EQ(RunWorkJobBody(job, ResolvedTexts({}), abort), status::kAbortedByUser);
    EXPECT_EQ(panes.texts.back(), "0:Aborted");
}

TEST_F(ViewSupport, WorkJobDefaultsAreTranslated) {
    dir.Write("ZOL_deu.lan",
              "LANGUAGE_SHORT_NAME = deu\nLANGUAGE_FULL_NAME = Deutsch\n"
              "ORIG = Finished\nTRNS = Fertig\n");
    ASSERT_EQ(Lang().SetLanguage("deu"), 0);
    WorkJobTexts given;
    given.working = "Finished";  // given texts are shown as they are
    const WorkJobTexts texts = ResolvedTexts(given);
    EXPECT_EQ(texts.finished, "Fertig");
    EXPECT_EQ(texts.working, "Finished");
}

TEST_F(ViewSupport, RecentFoldersNewestFirstWithoutDoublesAtMostSixteen) {
    Start();
    CZOLRecentFolders recent;
    recent.Load(kRunModeStyle);
    EXPECT_TRUE(recent.Folders().empty());
    for (int i = 1; i <= 17; ++i) {
        ASSERT_EQ(recent.Add("/music/f" + std::to_string(i) + "/"), 0);
    }
    ASSERT_EQ(recent.Add("/music/f10/"), 0);
    ASSERT_EQ(recent.Folders().size(), 16u);
    EXPECT_EQ(recent.Folders()[0], "/music/f10/");
    EXPECT_EQ(recent.Folders()[1], "/music/f17/");
    EXPECT_EQ(recent.Folders().back(), "/music/f2/");
    // Case differs: another folder on this file system.
    ASSERT_EQ(recent.Add("/music/F10/"), 0);
    EXPECT_EQ(recent.Folders()[1], "/music/f10/");

    CZOLRecentFolders reloaded;
    reloaded.Load(kRunModeStyle);
    EXPECT_EQ(reloaded.Folders(), recent.Folders());
    EXPECT_EQ(SettingsStore().ReadText("Recent File List", "File1", ""), "/music/F10/");
    CZOLRecentFolders midi;
    midi.Load(kRunModeMidi);
    EXPECT_TRUE(midi.Folders().empty());
    ASSERT_EQ(midi.Add("/midi/"), 0);
    EXPECT_EQ(SettingsStore().ReadText("Recent File List Midi", "File1", ""), "/midi/");
    // Overlong entries are not kept.
    EXPECT_EQ(midi.Add("/" + std::string(kRecentFolderMaxLength, 'x')), 0);
    EXPECT_EQ(midi.Folders().size(), 1u);
}

TEST_F(ViewSupport, HelpPagesComeFromTheLanguageFolderWithEnglishFallback) {
    dir.Write("ZOL_deu.lan", "LANGUAGE_SHORT_NAME = deu\nLANGUAGE_FULL_NAME = Deutsch\n");
    Start();
    EXPECT_EQ(HelpPageFile(help::kQuickStart),
              dir.Folder() + "help/kelvane_eng/html/quick_start.htm");
    ASSERT_EQ(Lang().SetLanguage("deu"), 0);
    EXPECT_EQ(HelpPageFile("x.htm"), dir.Folder() + "help/kelvane_eng/html/x.htm");
    std::filesystem::create_directories(dir.Path() / "help/kelvane_deu");
    EXPECT_EQ(HelpPageFile("x.htm"), dir.Folder() + "help/kelvane_deu/html/x.htm");
    Start({"-m"});
    EXPECT_EQ(HelpPageFile("x.htm"), dir.Folder() + "help/kelvaneMIDI_eng/html/x.htm");
    EXPECT_NE(MissingHelpPageMessage("/h/x.htm").find("/h/x.htm"), std::string::npos);
}

TEST_F(ViewSupport, AboutLinesAndTheHiddenText) {
    Start({"-m"});
    EXPECT_EQ(AboutProductLine(), "Morvane  V 4.5");
    EXPECT_EQ(AboutAuthorLine(), "by Tessary");
    const std::string hidden = HiddenAboutText();
    EXPECT_GT(hidden.size(), 10u);
    EXPECT_EQ(DecodeHiddenText(EncodeHiddenText(hidden)), hidden);
    // Stored offset, so the plain text is not in the program file.
    EXPECT_NE(EncodeHiddenText(hidden), hidden);
    for (const char c : hidden) {
        EXPECT_TRUE(c >= ' ' && c < 127) << static_cast<int>(c);
    }
}

TEST_F(ViewSupport, RefreshTakesThePathBoxAndRefusesMissingFolders) {
    Start();
    EXPECT_EQ(PrepareRefresh("  " + dir.Path().string() + " ", true), 0);
    EXPECT_EQ(Config().startPath, dir.Folder());
    EXPECT_EQ(Config().effectiveStartPath, dir.Folder());
    EXPECT_EQ(Config().includeSubfolders, 1);
    EXPECT_TRUE(dialogs.boxes.empty());

    EXPECT_EQ(PrepareRefresh(dir.Folder() + "gone", false), status::kRefreshFolderMissing);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0], "Folder does not exist.\n(Or drive is not ready)");
    EXPECT_EQ(Config().includeSubfolders, 0);
    // A file is no folder either.
    EXPECT_EQ(PrepareRefresh(dir.Write("plain", "x"), false), status::kRefreshFolderMissing);
}

TEST_F(ViewSupport, PathBoxShowsTheHomeFolderAsTildeAndReadsItBack) {
    Start();
    test::ScopedEnv homeFolder("HOME", dir.Path().string());
    std::filesystem::create_directories(dir.Path() / "Music/Styles");
    const std::string styles = dir.Folder() + "Music/Styles/";
    EXPECT_EQ(ShownFolderText(styles), "~/Music/Styles/");
    EXPECT_EQ(ShownFolderText(dir.Folder()), dir.Folder());  // the home folder itself stays
    EXPECT_EQ(ShownFolderText("/usr/share/"), "/usr/share/");
    EXPECT_EQ(ShownFolderText(dir.Path().string() + "x/"), dir.Path().string() + "x/");
    EXPECT_EQ(ExpandHomeFolder("~/Music/Styles"), dir.Folder() + "Music/Styles");
    EXPECT_EQ(ExpandHomeFolder("~"), dir.Path().string());
    EXPECT_EQ(ExpandHomeFolder("~other/x"), "~other/x");
    EXPECT_EQ(PrepareRefresh("~/Music/Styles", false), 0);
    EXPECT_EQ(Config().startPath, styles);
}

TEST_F(ViewSupport, ReadTextsByModeAndTheRate) {
    Start();
    EXPECT_EQ(ReadingStatusText(), "Reading style data...");
    EXPECT_EQ(ReadRateText(1500, 0.5), "3000 files/sec");
    EXPECT_EQ(ReadRateText(7, 0.0), "7 files/sec");
    EXPECT_NE(HardRefreshQuestion().find("Do you really want to execute it?"), std::string::npos);
    Start({"-m"});
    EXPECT_EQ(ReadingStatusText(), "Reading midi data...");
}

}  // namespace
}  // namespace kelvane

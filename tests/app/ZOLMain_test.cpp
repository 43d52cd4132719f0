#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/ZOLSearchTags.h"
#include "app/ZOLMain.h"
#include "platform/SettingsStore.h"
#include "support/NUVLang.h"
#include "support/NUVTrace.h"
#include "support/ScopedEnv.h"
#include "support/TestEnv.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

// A program folder and a settings file of its own for every test.
class Start : public ::testing::Test {
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
    StartResult Run(std::vector<std::string> args = {}) {
        args.insert(args.begin(), "kelvane");
        return CZOLApp().InitInstance(args);
    }
    void Setting(const char* section, const char* key, const std::string& value) {
        SettingsStore().Open(settings::kCompany);
        ASSERT_EQ(SettingsStore().WriteText(section, key, value), 0);
    }

    test::TempDir dir;
    test::ScopedEnv home{"KELVANE_HOME", dir.Folder()};
    test::ScopedEnv settingsFile{"KELVANE_SETTINGS", dir.Folder() + "settings.ini"};
    test::ScopedEnv userHome{"HOME", "/home/tester"};
    test::ScopedEnv posix{"POSIXLY_CORRECT", nullptr};
    test::CapturingSink sink;
};

TEST_F(Start, PlainStartIsStyleModeWithEveryDefault) {
    const StartResult result = Run();
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(RunMode(), kRunModeStyle);
    EXPECT_EQ(CurrentModeNames().dataFile, "ZOL.SDB");
    const ConfigValues& config = Config();
    EXPECT_EQ(config.programConfigFile, dir.Folder() + "kelvane.CFG");
    EXPECT_EQ(config.analyserConfigFile, dir.Folder() + "kelvane.CFA");
    EXPECT_EQ(config.startPath, "/home/tester/");
    EXPECT_EQ(config.effectiveStartPath, "/home/tester/");
    EXPECT_EQ(config.includeSubfolders, 0);
    EXPECT_EQ(config.quickCopyPath, "/media/usb");
    EXPECT_EQ(config.trashFolder, "");
    EXPECT_EQ(config.changeBackgroundColorIfFilterIsActive, 1);
    EXPECT_EQ(config.sortSequence, "Default");
    EXPECT_EQ(config.columnAutoresize, 2);
    EXPECT_EQ(config.player1, "");
    EXPECT_EQ(config.functionKeys[4], 0);
    EXPECT_EQ(config.debugLevel, 1);
    EXPECT_EQ(config.helpFilePath, dir.Folder() + "help/kelvane_eng/");
    EXPECT_EQ(Lang().CurrentLanguageShortName(), "eng");
    EXPECT_EQ(result.windowTitle, "Kelvane  V 4.5        by Tessary");
    EXPECT_EQ(result.documentArgument, "");
    EXPECT_TRUE(sink.boxes.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "settings.ini"));
}

TEST_F(Start, MidiModeByOptionOrKeyword) {
    dir.Write("kelvane.CFG", "MODE = MIDI\n");
    ASSERT_EQ(Run({"-m"}).status, 0);
    EXPECT_EQ(RunMode(), kRunModeMidi);

    ASSERT_EQ(Run().status, 0);
    EXPECT_EQ(RunMode(), kRunModeMidi);
    EXPECT_EQ(CurrentModeNames().dataFile, "ZOLMIDI.SDB");
    EXPECT_EQ(Config().analyserConfigFile, dir.Folder() + "kelvane.CFM");
    EXPECT_EQ(Config().helpFilePath, dir.Folder() + "help/kelvaneMIDI_eng/");
    EXPECT_EQ(WindowTitle(), "Morvane  V 4.5        by Tessary");

    dir.Write("kelvane.CFG", "mode = Style\n");
    ASSERT_EQ(Run().status, 0);
    EXPECT_EQ(RunMode(), kRunModeStyle);
}

TEST_F(Start, EmptyModeValueStopsOnlyTheProgramConfigFile) {
    dir.Write("kelvane.CFG", "MODE = ,MIDI\nHARD_RESCAN_BUTTON = 1\n");
    ASSERT_EQ(Run().status, 0);
    EXPECT_TRUE(
        sink.BoxContains("Incomplete data line in analyser data file (Filename/Line Nr) :"));
    EXPECT_EQ(Config().hardRescanButton, 0);
    EXPECT_EQ(RunMode(), kRunModeStyle);
}

TEST_F(Start, OptionCNamesTheProgramConfigFile) {
    const std::string other = dir.Write("other/alt.cfg", "START_PATH = /from/alt\n");
    dir.Write("kelvane.CFG", "START_PATH = /from/default\n");
    ASSERT_EQ(Run({"-C", other}).status, 0);
    EXPECT_EQ(Config().programConfigFile, other);
    EXPECT_EQ(Config().startPath, "/from/alt/");
}

TEST_F(Start, StartFolderFromOptionKeywordAndSettingsInThatOrder) {
    dir.Write("kelvane.CFG", "START_PATH = /data/My Styles\nSTART_PATH = /second\n");
    ASSERT_EQ(Run().status, 0);
    EXPECT_EQ(Config().startPath, "/data/My/");  // only the first word, then "/"

    ASSERT_EQ(Run({"-p", "/music/My Styles"}).status, 0);
    EXPECT_EQ(Config().startPath, "/music/My Styles/");

    dir.Write("kelvane.CFG", "");
    Setting("General", "DefaultStartPath", "  /music/styles  ");
    ASSERT_EQ(Run().status, 0);
    EXPECT_EQ(Config().startPath, "/music/styles/");

    Setting("General", "DefaultStartPath", "   ");
    ASSERT_EQ(Run().status, 0);
    EXPECT_EQ(Config().startPath, "/home/tester/");
}

TEST_F(Start, IncludeSubfoldersKeywordOverridesTheSetting) {
    Setting("General", "DefaultIncludeSubdirectories", "1");
    ASSERT_EQ(Run().status, 0);
    EXPECT_EQ(Config().includeSubfolders, 1);

    dir.Write("kelvane.CFG", "INCLUDE_SUBFOLDERS = 0\n");
    ASSERT_EQ(Run().status, 0);
    EXPECT_EQ(Config().includeSubfolders, 0);

    Setting("General", "DefaultIncludeSubdirectories", "0");
    dir.Write("kelvane.CFG", "INCLUDE_SUBFOLDERS = 5\n");
    ASSERT_EQ(Run().status, 0);
    EXPECT_EQ(Config().includeSubfolders, 1);
}

TEST_F(Start, EveryIntegerKeywordReachesItsValue) {
    dir.Write("kelvane.CFG",
              "HARD_RESCAN_BUTTON = 1\nrescan_button = 1 ! lower case works\n"
              "NUV_SPECIAL_MENU = 3\nIGNORE_UNKNOWN_FIELDS = 1\n"
              "USE_SHORT_NAMES_FOR_MIDI_PLAYER = 1\nUSE_SHORT_NAMES_FOR_MIDI_EDITOR = 1\n"
              "SHOW_UNKNOWN_KEYBOARD_IDS = 2\nSHOW_UNKNOWN_STYLE_IDS = 4\n"
              "TRACE_TARGET_FILE_PROBLEMS = 1\nTRACE_TARGET_FILE_ANALYSIS = 7 files\n");
    ASSERT_EQ(Run().status, 0);
    const ConfigValues& config = Config();
    EXPECT_EQ(config.hardRescanButton, 1);
    EXPECT_EQ(config.rescanButton, 1);
    EXPECT_EQ(config.specialMenu, 3);
    EXPECT_EQ(config.specialMenuCopy, 3);
    EXPECT_EQ(config.ignoreUnknownFields, 1);
    EXPECT_EQ(config.useShortNamesForMidiPlayer, 1);
    EXPECT_EQ(config.useShortNamesForMidiEditor, 1);
    EXPECT_EQ(config.showUnknownKeyboardIds, 2);
    EXPECT_EQ(config.showUnknownStyleIds, 4);
    EXPECT_EQ(config.traceTargetFileProblems, 1);
    EXPECT_EQ(config.traceTargetFileAnalysis, 7);
    EXPECT_TRUE(sink.boxes.empty());
}

TEST_F(Start, IllegalNumberStopsTheProgramConfigFileButNotTheStart) {
    dir.Write("kelvane.CFG", "RESCAN_BUTTON = yes\nHARD_RESCAN_BUTTON = 1\n");
    ASSERT_EQ(Run().status, 0);
    EXPECT_TRUE(sink.BoxContains("Illegal data in configuration file"));
    EXPECT_EQ(Config().hardRescanButton, 0);
}

TEST_F(Start, UnknownKeywordIsWarnedAndReadingGoesOn) {
    dir.Write("kelvane.CFG", "COLOUR = blue\nRESCAN_BUTTON = 1\n");
    ASSERT_EQ(Run().status, 0);
    EXPECT_TRUE(sink.BoxContains("Unknown keyword in Cfg-File/Line Nr :  " + dir.Folder() +
                                 "kelvane.CFG 1"));
    EXPECT_EQ(Config().rescanButton, 1);
}

TEST_F(Start, DebugZeroKeepsTheProgramRunningAfterAnError) {
    dir.Write("kelvane.CFG", "DEBUG = 0\nNO EQUAL SIGN\n");
    ASSERT_EQ(Run().status, 0);
    EXPECT_EQ(DebugLevel(), 0);
    EXPECT_TRUE(sink.BoxContains("Missing equal sign"));
    EXPECT_TRUE(sink.exits.empty());

    dir.Write("kelvane.CFG", "NO EQUAL SIGN\n");
    Run();
    EXPECT_EQ(sink.exits, std::vector<int>{1});

    dir.Write("kelvane.CFG", "DEBUG = 70000\n");
    ASSERT_EQ(Run().status, 0);
    EXPECT_EQ(DebugLevel(), 1);
}

TEST_F(Start, MissingProgramConfigFileIsAnErrorMissingAnalyserFileStopsTheStart) {
    std::filesystem::remove(dir.Path() / "kelvane.CFG");
    EXPECT_EQ(Run().status, 0);
    EXPECT_TRUE(sink.BoxContains("Configuration file not found"));
    EXPECT_EQ(sink.exits, std::vector<int>{1});

    std::filesystem::remove(dir.Path() / "kelvane.CFA");
    EXPECT_EQ(Run().status, -220);
}

TEST_F(Start, FailingKeywordInTheAnalyserFileStopsTheStart) {
    dir.Write("kelvane.CFA", "TRACE = -1\n");
    EXPECT_EQ(Run().status, -222);
    dir.Write("kelvane.CFA", "SEARCH_TAG = ROCK\n");
    EXPECT_EQ(Run().status, -13601);
    EXPECT_TRUE(sink.BoxContains("Error in data line in analyser data file (Filename/Line Nr) :"));
    dir.Write("kelvane.CFA", "SEARCH_TAG = ROCK, Rock, , 0\n");
    EXPECT_EQ(Run().status, -13602);
    dir.Write("kelvane.CFA", "SEARCH_TAG = , Rock\n");
    EXPECT_EQ(Run().status, -13600);
    dir.Write("kelvane.CFA", "SEARCH_TAG =   ! nothing\n");
    EXPECT_EQ(Run().status, -10010);
    EXPECT_TRUE(sink.BoxContains(
        "Incomplete data line in analyser data file (Filename/Line Nr) : " + dir.Folder() +
        "kelvane.CFA 1"));
}

TEST_F(Start, SearchTagsFollowTheSeparatorAndTheModeDefault) {
    dir.Write("kelvane.CFA", "TERM_CHAR = ;\nSEARCH_TAG = jazzwaltz; Jazz; Jazz Waltz, slow; 90\n");
    dir.Write("kelvane.CFM", "MODE = MIDI\nSEARCH_TAG = yesterday, @, Traditional\n");
    ASSERT_EQ(Run().status, 0);
    ASSERT_EQ(SearchTags().size(), 1u);
    EXPECT_EQ(SearchTags()[0].tag, "JAZZWALTZ");
    EXPECT_EQ(SearchTags()[0].subtypeText, "Jazz Waltz, slow");
    EXPECT_EQ(SearchTags()[0].priority, 90);

    ASSERT_EQ(Run({"-m"}).status, 0);
    ASSERT_EQ(SearchTags().size(), 1u);  // a second start begins with an empty table
    EXPECT_EQ(SearchTags()[0].typeText, "");
    EXPECT_EQ(SearchTags()[0].priority, 101);
}

TEST_F(Start, TooManySearchTagsStopTheStart) {
    std::string lines;
    for (int i = 0; i <= 1000; ++i) {
        lines += "SEARCH_TAG = T" + std::to_string(i) + ", Type\n";
    }
    dir.Write("kelvane.CFA", lines);
    EXPECT_EQ(Run().status, -13620);
    EXPECT_EQ(SearchTags().size(), 1000u);
}

TEST_F(Start, TraceKeywordSwitchesTheTrace) {
    dir.Write("kelvane.CFG", "TRACE = 20\n");
    ASSERT_EQ(Run().status, 0);
    EXPECT_EQ(TraceLevel(), 20);
    dir.Write("kelvane.CFG", "TRACE = 20\nTRACE = 0\n");
    ASSERT_EQ(Run().status, 0);
    EXPECT_EQ(TraceLevel(), 0);
}

TEST_F(Start, StoredSortOrderReplacesTheKeyword) {
    dir.Write("kelvane.CFG", "SORT_SEQUENCE = modern\n");
    ASSERT_EQ(Run().status, 0);
    EXPECT_EQ(Config().sortSequence, "Modern");

    Setting("General", "DefaultSortOrder", "Classic");
    ASSERT_EQ(Run().status, 0);
    EXPECT_EQ(Config().sortSequence, "Classic");

    Setting("General", "DefaultSortOrder", "Alphabetic");
    ASSERT_EQ(Run().status, 0);
    EXPECT_EQ(Config().sortSequence, "Default");
}

TEST_F(Start, ModeSectionsAndProgramSectionsFollowTheRunMode) {
    Setting("General", "QuickCopyPath", "/media/stick");
    Setting("General", "DefaultRenameToStyOnCopyToA", "1");
    Setting("GeneralMidi", "DefaultRenameToStyOnCopyToA", "1");
    Setting("GeneralMidi", "DefaultStartPath", "/music/midi");
    Setting("GeneralMidi", "ChangeBackgroundColorIfFilterIsActive", "0");
    Setting("ExternalPrograms", "StylePlayer", " /usr/bin/styleplay ");
    Setting("ExternalProgramsMidi", "MidiPlayer", "/usr/bin/timidity");
    Setting("ExternalProgramsMidi", "KaraokePlayer", "/usr/bin/kar");
    Setting("ColumnsMidi", "DefaultColumnAutoresize", "1");
    Setting("FunctionKeysMidi", "FunctionKey12", "9");

    ASSERT_EQ(Run().status, 0);
    EXPECT_EQ(Config().player1, "/usr/bin/styleplay");
    EXPECT_EQ(Config().renameToStyOnCopyToA, 1);
    EXPECT_EQ(Config().columnAutoresize, 2);

    ASSERT_EQ(Run({"-M"}).status, 0);
    EXPECT_EQ(Config().quickCopyPath, "/media/stick");
    EXPECT_EQ(Config().startPath, "/music/midi/");
    EXPECT_EQ(Config().renameToStyOnCopyToA, 0);
    EXPECT_EQ(Config().changeBackgroundColorIfFilterIsActive, 0);
    EXPECT_EQ(Config().player1, "/usr/bin/timidity");
    EXPECT_EQ(Config().karaokePlayer, "/usr/bin/kar");
    EXPECT_EQ(Config().columnAutoresize, 1);
    EXPECT_EQ(Config().functionKeys[11], 9);
}

TEST_F(Start, OnePlainArgumentIsKeptASecondIsFatal) {
    StartResult result = Run({"/music/a.sty"});
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(result.documentArgument, "/music/a.sty");
    EXPECT_TRUE(sink.exits.empty());

    result = Run({"/music/a.sty", "-m", "/music/b.sty"});
    EXPECT_EQ(result.status, -1);
    EXPECT_TRUE(sink.BoxContains("Too many Parameters specified /music/b.sty"));
    EXPECT_EQ(sink.exits, std::vector<int>{1});
}

TEST_F(Start, OptionsAfterAPlainArgumentCountUnlessPosixlyCorrect) {
    ASSERT_EQ(Run({"/music/a.sty", "-m"}).status, 0);
    EXPECT_EQ(RunMode(), kRunModeMidi);

    test::ScopedEnv strict("POSIXLY_CORRECT", "1");
    EXPECT_EQ(Run({"/music/a.sty", "-m"}).status, -1);
    EXPECT_TRUE(sink.BoxContains("Too many Parameters specified -m"));
}

TEST_F(Start, UnknownOptionIsIgnored) {
    ASSERT_EQ(Run({"-x", "-p", "/tmp/styles"}).status, 0);
    EXPECT_EQ(Config().startPath, "/tmp/styles/");
}

TEST_F(Start, LanguageFromSettingsKeywordAndInstallerFile) {
    dir.Write("ZOL_deu.lan",
              "LANGUAGE_SHORT_NAME = deu\nLANGUAGE_FULL_NAME = Deutsch\nORIG = by\nTRNS = von\n");
    dir.Write("ZOL.ldf", "INITIAL_LANGUAGE = deu\n");
    std::filesystem::create_directories(dir.Path() / "help" / "kelvane_deu");
    ASSERT_EQ(Run().status, 0);
    EXPECT_EQ(Lang().CurrentLanguageShortName(), "deu");
    EXPECT_EQ(SettingsStore().ReadText("Global", "Language", ""), "deu");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "ZOL.ldf"));
    EXPECT_EQ(Config().helpFilePath, dir.Folder() + "help/kelvane_deu/");
    EXPECT_EQ(WindowTitle(), "Kelvane  V 4.5        von Tessary");

    ASSERT_EQ(Run().status, 0);  // the settings keep the choice
    EXPECT_EQ(Lang().CurrentLanguageShortName(), "deu");

    dir.Write("kelvane.CFG", "LANGUAGE = eng \n");
    ASSERT_EQ(Run().status, 0);
    EXPECT_EQ(Lang().CurrentLanguageShortName(), "eng");
    EXPECT_EQ(Config().helpFilePath, dir.Folder() + "help/kelvane_eng/");
}

TEST_F(Start, MissingLanguageStopsOnlyTheFileThatNamesIt) {
    dir.Write("kelvane.CFG", "LANGUAGE = xyz\nRESCAN_BUTTON = 1\n");
    ASSERT_EQ(Run().status, 0);
    EXPECT_TRUE(sink.BoxContains("Language file not found : "));
    EXPECT_EQ(Config().rescanButton, 0);
    EXPECT_EQ(Lang().CurrentLanguageShortName(), "eng");

    dir.Write("kelvane.CFA", "LANGUAGE = xyz\n");
    EXPECT_EQ(Run().status, -1105);
}

TEST_F(Start, SuppliedConfigurationFilesStartCleanlyInBothModes) {
    test::ScopedEnv supplied("KELVANE_HOME", (test::SourceDir() / "data").string());
    ASSERT_EQ(Run().status, 0);
    EXPECT_GE(SearchTags().size(), 150u);
    EXPECT_EQ(RunMode(), kRunModeStyle);

    ASSERT_EQ(Run({"-m"}).status, 0);
    EXPECT_GE(SearchTags().size(), 40u);
    for (const SearchTag& row : SearchTags()) {
        EXPECT_GT(row.priority, 100) << row.tag;
    }
    EXPECT_TRUE(sink.boxes.empty()) << sink.boxes.front().text;
}

}  // namespace
}  // namespace kelvane

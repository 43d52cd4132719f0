#include <gtest/gtest.h>

#include "AppTestEnv.h"
#include "app/ZOLSettingsValues.h"
#include "list/ZOLSortSequence.h"
#include "platform/SettingsStore.h"
#include "support/NUVLang.h"
#include "support/NUVTrace.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

class SettingsStore_ : public test::AppFixture {
  protected:
    std::string Stored(const char* section, const char* key) {
        return SettingsStore().ReadText(section, key, "<missing>");
    }
};

SettingsValues ChangedValues() {
    SettingsValues values = CurrentSettingsValues();
    values.defaultStartPath = "  /music/styles/  ";
    values.defaultIncludeSubdirectories = 1;
    values.trashFolder = "/music/trash/ ";
    values.player1 = "  /usr/bin/player one ";
    values.player2 = "/usr/bin/p2";
    values.karaokePlayer = "/usr/bin/karaoke";
    values.editor1 = "/usr/bin/ed1";
    values.editor2 = "/usr/bin/ed2";
    values.casmEditor = "/usr/bin/casm";
    values.dumpProgram = "/usr/bin/dump";
    values.functionKeys = {1, 6, 25, 4, 99, 8, 9, 10, 11, 12, 13, 32};
    values.listViewFontSize = 14;
    values.sortOrder = "Modern";
    values.quickCopyPath = " /mnt/stick ";
    values.uppercaseShortFilenamesOnCopyToA = 1;
    values.renameToStyOnCopyToA = 1;
    values.autoCorrectIllegalFileDates = 1;
    values.changeBackgroundColorIfFilterIsActive = 0;
    return values;
}

TEST_F(SettingsStore_, StyleModeValuesSurviveARestartTrimmed) {
    Start();
    ASSERT_EQ(StoreSettingsValues(ChangedValues()), 0);
    // At once: the program-wide values and the sort sequence.
    EXPECT_EQ(Config().player1, "/usr/bin/player one");
    EXPECT_EQ(CurrentSortSequence(), SortSequence::Modern);
    EXPECT_EQ(Config().functionKeys[1], 6);

    Start();
    const ConfigValues& config = Config();
    EXPECT_EQ(config.defaultStartPath, "/music/styles/");
    EXPECT_EQ(config.startPath, "/music/styles/");
    EXPECT_EQ(config.includeSubfolders, 1);
    EXPECT_EQ(config.trashFolder, "/music/trash/");
    EXPECT_EQ(config.player1, "/usr/bin/player one");
    EXPECT_EQ(config.player2, "/usr/bin/p2");
    EXPECT_EQ(config.editor1, "/usr/bin/ed1");
    EXPECT_EQ(config.editor2, "/usr/bin/ed2");
    EXPECT_EQ(config.casmEditor, "/usr/bin/casm");
    EXPECT_EQ(config.karaokePlayer, "");  // a midi-mode program
    EXPECT_EQ(config.dumpProgram, "/usr/bin/dump");
    EXPECT_EQ(config.listViewFontSize, 14);
    EXPECT_EQ(config.sortSequence, "Modern");
    EXPECT_EQ(config.quickCopyPath, "/mnt/stick");
    EXPECT_EQ(config.uppercaseShortFilenamesOnCopyToA, 1);
    EXPECT_EQ(config.renameToStyOnCopyToA, 1);
    EXPECT_EQ(config.autoCorrectIllegalFileDates, 1);
    EXPECT_EQ(config.changeBackgroundColorIfFilterIsActive, 0);
    // F1 and F5 are never written; the others keep their numbers, 25 included.
    const std::array<int, 12> keys = {0, 6, 25, 4, 0, 8, 9, 10, 11, 12, 13, 32};
    EXPECT_EQ(config.functionKeys, keys);
    EXPECT_EQ(Stored("FunctionKeys", "FunctionKey1"), "<missing>");
    EXPECT_EQ(Stored("FunctionKeys", "FunctionKey5"), "<missing>");
    EXPECT_EQ(Stored("ExternalPrograms", "KaraokePlayer"), "<missing>");
    EXPECT_TRUE(sink.boxes.empty());
}

TEST_F(SettingsStore_, MidiModeSharesTrashQuickPathAndSortOrderThroughGeneral) {
    Start({"-m"});
    ASSERT_EQ(StoreSettingsValues(ChangedValues()), 0);
    EXPECT_EQ(Stored("General", "TrashFolder"), "/music/trash/");
    EXPECT_EQ(Stored("General", "QuickCopyPath"), "/mnt/stick");
    EXPECT_EQ(Stored("General", "DefaultSortOrder"), "Modern");
    EXPECT_EQ(Stored("GeneralMidi", "DefaultStartPath"), "/music/styles/");
    EXPECT_EQ(Stored("General", "DefaultStartPath"), "<missing>");
    EXPECT_EQ(Stored("GeneralMidi", "DefaultRenameToStyOnCopyToA"), "<missing>");
    EXPECT_EQ(Stored("ExternalProgramsMidi", "MidiPlayer"), "/usr/bin/player one");
    EXPECT_EQ(Stored("ExternalProgramsMidi", "StyleCASMEditor"), "<missing>");
    EXPECT_EQ(Stored("FunctionKeysMidi", "FunctionKey2"), "6");

    Start({"-m"});
    EXPECT_EQ(Config().quickCopyPath, "/mnt/stick");
    EXPECT_EQ(Config().sortSequence, "Modern");
    EXPECT_EQ(Config().karaokePlayer, "/usr/bin/karaoke");
    EXPECT_EQ(Config().casmEditor, "");
    // Style mode sees the shared values but keeps its own start folder and programs.
    Start();
    EXPECT_EQ(Config().trashFolder, "/music/trash/");
    EXPECT_EQ(Config().quickCopyPath, "/mnt/stick");
    EXPECT_EQ(Config().startPath, "/home/tester/");
    EXPECT_EQ(Config().player1, "");
}

TEST_F(SettingsStore_, FontSizesOutsideTheListAreTheDefaultFont) {
    Start();
    SettingsValues values = CurrentSettingsValues();
    for (const auto& [given, stored] : {std::pair{2, 0}, {3, 3}, {99, 99}, {100, 0}, {-4, 0}}) {
        values.listViewFontSize = given;
        ASSERT_EQ(StoreSettingsValues(values), 0);
        EXPECT_EQ(Config().listViewFontSize, stored) << given;
    }
}

TEST_F(SettingsStore_, ScanWorkersFromZeroToSixtyFourSurviveARestart) {
    Start();
    EXPECT_EQ(Config().scanWorkers, 0);  // one per core
    SettingsValues values = CurrentSettingsValues();
    for (const auto& [given, kept] : {std::pair{64, 64}, {1, 1}, {65, 0}, {-1, 0}, {3, 3}}) {
        values.scanWorkers = given;
        ASSERT_EQ(StoreSettingsValues(values), 0);
        EXPECT_EQ(Config().scanWorkers, kept) << given;
        EXPECT_EQ(Stored("General", "ScanWorkers"), std::to_string(kept)) << given;
    }
    Config().scanWorkers = 0;
    Start();
    EXPECT_EQ(Config().scanWorkers, 3);
    EXPECT_EQ(CurrentSettingsValues().scanWorkers, 3);
}

TEST_F(SettingsStore_, ChangedLanguageIsStoredAndLoaded) {
    dir.Write("ZOL_deu.lan", "LANGUAGE_SHORT_NAME = deu\nLANGUAGE_FULL_NAME = Deutsch\n");
    Start();
    SettingsValues values = CurrentSettingsValues();
    ASSERT_EQ(StoreSettingsValues(values), 0);
    EXPECT_EQ(Stored("Global", "Language"), "<missing>");  // unchanged: not written

    values.languageFullName = "Deutsch";
    ASSERT_EQ(StoreSettingsValues(values), 0);
    EXPECT_EQ(Stored("Global", "Language"), "deu");
    Start();
    EXPECT_EQ(Lang().CurrentLanguageShortName(), "deu");
}

TEST_F(SettingsStore_, FailingWritesAreTracedNeverBoxedAndReportMinus10020) {
    Start();
    // The store's file lies below a plain file: no write can succeed.
    const std::string blocker = dir.Write("blocker", "x");
    test::ScopedEnv broken("KELVANE_SETTINGS", blocker + "/settings.ini");
    SettingsStore().Open(settings::kCompany);
    SetTraceFolder(dir.Folder());
    EXPECT_EQ(StoreSettingsValues(ChangedValues()), status::kCannotStoreSetting);
    // Every value was still tried and the program-wide values changed.
    EXPECT_EQ(Config().dumpProgram, "/usr/bin/dump");
    EXPECT_EQ(Config().quickCopyPath, "/mnt/stick");
    EXPECT_TRUE(sink.boxes.empty());
    EXPECT_TRUE(dialogs.boxes.empty());
    const std::string trace = test::ReadFileBytes(TraceFilePath());
    EXPECT_NE(trace.find("Error - Cannot store setting -  General DefaultStartPath"),
              std::string::npos);
    EXPECT_NE(trace.find("ExternalPrograms DumpProgram"), std::string::npos);
    TraceOff();
    SetTraceFolder("");
}

}  // namespace
}  // namespace kelvane

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QSettings>
#include <filesystem>

#include "platform/SettingsStore.h"
#include "support/ScopedEnv.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

ino_t InodeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

class Settings : public ::testing::Test {
  protected:
    void SetUp() override { SettingsStore().Open(settings::kCompany); }
    test::TempDir dir;
    std::string file = dir.Folder() + "settings.ini";
    test::ScopedEnv env{"KELVANE_SETTINGS", file};
};

TEST_F(Settings, MissingValuesGiveTheirDefaults) {
    EXPECT_EQ(SettingsStore().FileName(), file);
    EXPECT_EQ(SettingsStore().ReadText("General", "TrashFolder", "none"), "none");
    EXPECT_EQ(SettingsStore().ReadInt("GeneralMidi", "DefaultListViewFontSize", 7), 7);
    EXPECT_FALSE(SettingsStore().Contains("General", "TrashFolder"));
    EXPECT_FALSE(std::filesystem::exists(file));  // reading creates nothing
}

TEST_F(Settings, ValuesSurviveReopeningAndSectionsStaySeparate) {
    EXPECT_EQ(SettingsStore().WriteText("General", "DefaultStartPath", "/music/styles/"), 0);
    EXPECT_EQ(SettingsStore().WriteText("GeneralMidi", "DefaultStartPath", "/music/midi/"), 0);
    EXPECT_EQ(SettingsStore().WriteInt("FunctionKeysMidi", "FunctionKey3", 12), 0);
    SettingsStore().Open(settings::kCompany);
    EXPECT_EQ(SettingsStore().ReadText("General", "DefaultStartPath", ""), "/music/styles/");
    EXPECT_EQ(SettingsStore().ReadText("GeneralMidi", "DefaultStartPath", ""), "/music/midi/");
    EXPECT_EQ(SettingsStore().ReadInt("FunctionKeysMidi", "FunctionKey3", 0), 12);
    EXPECT_EQ(SettingsStore().ReadInt("FunctionKeys", "FunctionKey3", 0), 0);
    const std::string text = dir.Read("settings.ini");
    EXPECT_NE(text.find("[General]\nDefaultStartPath=/music/styles/"), std::string::npos);
    EXPECT_NE(text.find("[GeneralMidi]\nDefaultStartPath=/music/midi/"), std::string::npos);
    EXPECT_EQ(SettingsStore().Remove("GeneralMidi", "DefaultStartPath"), 0);
    EXPECT_EQ(SettingsStore().ReadText("GeneralMidi", "DefaultStartPath", "gone"), "gone");
}

TEST_F(Settings, StatusTellsAnUnreadableFileFromAGoodOne) {
    // Each case is a file of its own, as each program start reads its file once.
    const auto statusOf = [this](const std::string& name, const std::string* bytes) {
        const std::string path = dir.Folder() + name;
        if (bytes != nullptr) {
            dir.Write(name, *bytes);
        } else {
            std::filesystem::create_directory(path);
        }
        test::ScopedEnv other{"KELVANE_SETTINGS", path};
        SettingsStore().Open(settings::kCompany);
        const int status = SettingsStore().Status();
        EXPECT_EQ(SettingsStore().ReadText("General", "TrashFolder", "default"),
                  status == 0 ? "/trash/" : "default");
        return status;
    };
    const std::string good = "[General]\nTrashFolder=/trash/\n";
    EXPECT_EQ(statusOf("good.ini", &good), 0);
    EXPECT_EQ(statusOf("folder.ini", nullptr), settings::kAccessError);
    // Bytes that are no INI file are told only inside a Qt application (the desktop
    // program's widget tests check that case).
    SettingsStore().Open(settings::kCompany);
    EXPECT_EQ(SettingsStore().Status(), 0);  // missing: the defaults, no error
}

TEST_F(Settings, HandWrittenFileIsReadWithItsOddities) {
    dir.Write("settings.ini",
              "[General]\nTrashFolder=/trash, old\nDefaultSortOrder=Modern\n"
              "[GeneralMidi]\nDefaultListViewFontSize=12pt\nDefaultIncludeSubdirectories= 1\n");
    SettingsStore().Open(settings::kCompany);
    EXPECT_EQ(SettingsStore().ReadText("General", "TrashFolder", ""), "/trash, old");
    EXPECT_EQ(SettingsStore().ReadText("General", "DefaultSortOrder", ""), "Modern");
    EXPECT_EQ(SettingsStore().ReadInt("GeneralMidi", "DefaultListViewFontSize", 0), 0);
    EXPECT_EQ(SettingsStore().ReadInt("GeneralMidi", "DefaultIncludeSubdirectories", 0), 1);
}

TEST_F(Settings, TextsKeepEveryByte) {
    const std::string latin1 =
        "/musik/St\xfc"
        "cke, alt;=[x]/";
    EXPECT_EQ(SettingsStore().WriteText("ExternalPrograms", "StylePlayer", latin1), 0);
    EXPECT_EQ(SettingsStore().WriteText("ExternalPrograms", "DumpProgram", "/usr/bin/d\xc3\xbcmp"),
              0);
    SettingsStore().Open(settings::kCompany);
    EXPECT_EQ(SettingsStore().ReadText("ExternalPrograms", "StylePlayer", ""), latin1);
    EXPECT_EQ(SettingsStore().ReadText("ExternalPrograms", "DumpProgram", ""),
              "/usr/bin/d\xc3\xbcmp");
}

TEST_F(Settings, WritesReplaceTheFileAndLeaveNoTemporaryFiles) {
    ASSERT_EQ(SettingsStore().WriteInt("General", "DefaultIncludeSubdirectories", 1), 0);
    const ino_t before = InodeOf(file);
    ASSERT_EQ(SettingsStore().WriteInt("General", "DefaultIncludeSubdirectories", 0), 0);
    // A new inode: the data went to a temporary file renamed over the old one.
    EXPECT_NE(InodeOf(file), before);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
}

TEST_F(Settings, FailedWriteIsReportedAndTheNextGoodWriteSavesEverything) {
    dir.Write("blocker", "a file where a folder should be");
    const std::string blocked = dir.Folder() + "blocker/settings.ini";
    test::ScopedEnv bad("KELVANE_SETTINGS", blocked);
    SettingsStore().Open(settings::kCompany);
    EXPECT_EQ(SettingsStore().WriteText("General", "TrashFolder", "/t"), settings::kAccessError);
    EXPECT_EQ(SettingsStore().WriteInt("General", "DefaultIncludeSubdirectories", 1),
              settings::kAccessError);
    std::filesystem::remove(dir.Path() / "blocker");
    std::filesystem::create_directory(dir.Path() / "blocker");
    EXPECT_EQ(SettingsStore().WriteText("General", "QuickCopyPath", "/media/stick"), 0);
    const std::string text = test::ReadFileBytes(blocked);
    EXPECT_NE(text.find("TrashFolder=/t"), std::string::npos);
    EXPECT_NE(text.find("QuickCopyPath=/media/stick"), std::string::npos);
}

TEST(SettingsCompany, WizardStoreIsUsedOnlyWhenTheOwnOneIsMissing) {
    test::TempDir home;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(home.Folder()));
    EXPECT_EQ(SettingsFileOf(settings::kCompany), home.Folder() + "Tessary/ZOL.ini");
    EXPECT_EQ(ChooseSettingsCompany(), "Tessary");
    home.Write("Local AppWizard-Generated Applications/ZOL.ini", "[General]\nTrashFolder=/w\n");
    EXPECT_EQ(ChooseSettingsCompany(), "Local AppWizard-Generated Applications");
    {
        test::ScopedEnv none("KELVANE_SETTINGS", nullptr);
        SettingsStore().Open(ChooseSettingsCompany());
        EXPECT_EQ(SettingsStore().ReadText("General", "TrashFolder", ""), "/w");
        home.Write("Tessary/ZOL.ini", "");
        EXPECT_EQ(ChooseSettingsCompany(), "Tessary");
        SettingsStore().Open(settings::kCompany);
    }
}

}  // namespace
}  // namespace kelvane

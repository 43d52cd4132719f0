#include <gtest/gtest.h>

#include "fileops/FileOpsTestEnv.h"
#include "fileops/ZOLFileOpPrompts.h"
#include "fileops/ZOLFileSets.h"

namespace kelvane::test {
namespace {

using Strings = std::vector<std::string>;

class FileSetsTest : public FileOpsTest {};

TEST_F(FileSetsTest, SetMembersAreTheBaseWithShortExtensionsOnly) {
    for (const char* name : {"Song.sty", "Song.txt", "Song.prs", "Song", "Song.info", "Song.a.b",
                             "Songs.sty", "song.txt", "Song.SDE", "Other.sty"}) {
        File(std::string("tree/") + name);
    }
    EXPECT_EQ(SetMemberNames(tree, "Song"), (Strings{"Song", "Song.prs", "Song.sty", "Song.txt"}));
    // Rename takes every extension (program files still excluded).
    EXPECT_EQ(SameBaseNames(tree, "Song"),
              (Strings{"Song", "Song.info", "Song.prs", "Song.sty", "Song.txt"}));
}

TEST_F(FileSetsTest, WildcardCharactersInABaseNameMatchOnlyThemselves) {
    File("tree/S*.sty");
    File("tree/S*.txt");
    File("tree/Sx.txt");
    File("tree/S?.txt");
    EXPECT_EQ(SetMemberNames(tree, "S*"), (Strings{"S*.sty", "S*.txt"}));
    EXPECT_EQ(DeleteWithAllExtensions(tree, "S*.sty"), 0);
    EXPECT_EQ(Names("tree"), (Strings{"S?.txt", "Sx.txt"}));
}

TEST_F(FileSetsTest, DataFilesOfTheFolderNeverTravelWithAStyleOfTheSameName) {
    File("tree/ZOL.sty");
    File("tree/ZOL.SDB", "records");
    File("tree/ZOL.txt");
    std::filesystem::create_directories(dir.Path() / "out");
    EXPECT_EQ(CopyWithAllExtensions(tree, "ZOL.sty", Folder("out"), "ZOL.sty", {}), 0);
    EXPECT_EQ(Names("out"), (Strings{"ZOL.sty", "ZOL.txt"}));
    EXPECT_EQ(DeleteWithAllExtensions(tree, "ZOL.sty"), 0);
    EXPECT_EQ(RenameWithAllExtensions(Folder("out"), "ZOL.sty", "New.sty"), 0);
    EXPECT_EQ(Names("tree"), Strings{"ZOL.SDB"});
    EXPECT_EQ(Read("tree/ZOL.SDB"), "records");
}

TEST_F(FileSetsTest, CopyTakesCompanionsButLeavesOtherStyles) {
    File("tree/Song.sty", "style");
    File("tree/Song.txt", "notes");
    File("tree/Song.prs", "other style");
    std::filesystem::create_directories(dir.Path() / "out");
    ASSERT_EQ(CopyWithAllExtensions(tree, "Song.sty", Folder("out"), "Song-0.sty", {}), 0);
    EXPECT_EQ(Names("out"), (Strings{"Song-0.sty", "Song-0.txt"}));
    EXPECT_EQ(Read("out/Song-0.txt"), "notes");
    // The selected file is copied even though it has a style extension of another kind.
    ASSERT_EQ(CopyWithAllExtensions(tree, "Song.prs", Folder("out"), "Song.prs", {}), 0);
    EXPECT_TRUE(Exists("out/Song.prs"));
    EXPECT_FALSE(Exists("out/Song.sty"));
}

TEST_F(FileSetsTest, MidiModeHandlesOnlyTheOneFile) {
    Start(kRunModeMidi);
    File("tree/Tune.mid");
    File("tree/Tune.txt");
    std::filesystem::create_directories(dir.Path() / "out");
    ASSERT_EQ(CopyWithAllExtensions(tree, "Tune.mid", Folder("out"), "Tune.mid", {}), 0);
    EXPECT_EQ(Names("out"), Strings{"Tune.mid"});
    EXPECT_TRUE(IsStyleFileExtension("a.KAR"));
    EXPECT_FALSE(IsStyleFileExtension("a.sty"));
}

TEST_F(FileSetsTest, AFailingCopyLeavesNoneOfTheSetBehind) {
    File("tree/Song.sty");
    File("tree/Song.txt");
    std::filesystem::create_directories(dir.Path() / "out");
    File("out/Song.txt", "kept");
    std::filesystem::permissions(dir.Path() / "out/Song.txt", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    // The read-only target refuses the copy after the style went over.
    EXPECT_NE(CopyWithAllExtensions(tree, "Song.sty", Folder("out"), "Song.sty", {}), 0);
    EXPECT_EQ(Names("out"), Strings{"Song.txt"});
    EXPECT_EQ(Read("out/Song.txt"), "kept");
}

TEST_F(FileSetsTest, RenameFailureRenamesTheDoneFilesBack) {
    File("tree/Song.sty");
    File("tree/Song.txt");
    std::filesystem::create_directories(dir.Path() / "tree/New.txt");  // blocks the second rename
    EXPECT_NE(RenameWithAllExtensions(tree, "Song.sty", "New.sty"), 0);
    EXPECT_TRUE(Exists("tree/Song.sty"));
    EXPECT_TRUE(Exists("tree/Song.txt"));
    EXPECT_FALSE(Exists("tree/New.sty"));
}

TEST_F(FileSetsTest, AutoRenameFindsTheNextFreeNumberOverAllExtensions) {
    File("tree/Song.sty");
    EXPECT_EQ(AutoRenameTarget(tree, "Song.sty"), "Song-0.sty");
    File("tree/Song-0.sty");
    EXPECT_EQ(AutoRenameTarget(tree, "Song-0.sty"), "Song-1.sty");
    File("tree/Song-1.txt");  // any extension takes the number
    EXPECT_EQ(AutoRenameTarget(tree, "Song.sty"), "Song-2.sty");
    EXPECT_EQ(AutoRenameTarget(tree, "Beat-12.prs"), "Beat-0.prs");
    EXPECT_EQ(AutoRenameTarget(tree, "Beat-.prs"), "Beat-0.prs");
    EXPECT_EQ(AutoRenameTarget(tree, "Beat12.prs"), "Beat12-0.prs");
    EXPECT_EQ(AutoRenameTarget(tree, "A-b12.sty"), "A-b12-0.sty");
    // "Song-10.sty" is not a "Song-1" file.
    File("tree/Solo-10.sty");
    EXPECT_EQ(AutoRenameTarget(tree, "Solo.sty"), "Solo-0.sty");
}

TEST_F(FileSetsTest, QuickCopyNamesFollowBothSettingsOnTheQuickCopyPathOnly) {
    Config().quickCopyPath = "/Media/USB";
    Config().uppercaseShortFilenamesOnCopyToA = 1;
    Config().renameToStyOnCopyToA = 1;
    const QuickCopyRules rules = QuickCopyRulesFor("/media/usb/styles/");
    EXPECT_TRUE(rules.upperCaseShortNames);
    EXPECT_TRUE(rules.renameToSty);
    EXPECT_EQ(QuickCopyTargetName("abc.prs", rules), "ABC.STY");
    EXPECT_EQ(QuickCopyTargetName("longername.sty", rules), "longername.sty");
    EXPECT_EQ(QuickCopyTargetName("longername.prs", rules), "longername.STY");
    EXPECT_EQ(QuickCopyTargetName("noext", rules), "NOEXT");
    EXPECT_EQ(MemberTargetName("abc.txt", "abc.prs", "ABC.STY", rules), "ABC.TXT");
    EXPECT_FALSE(QuickCopyRulesFor("/media/usb2/").upperCaseShortNames);
    EXPECT_FALSE(QuickCopyRulesFor("/home/").renameToSty);
    Start(kRunModeMidi);
    Config().quickCopyPath = "/media/usb";
    Config().renameToStyOnCopyToA = 1;
    EXPECT_FALSE(QuickCopyRulesFor("/media/usb/").renameToSty);
}

TEST(FileOpPrompts, FileExistsDisablesReplaceForWriteProtectedAndSameFile) {
    const auto enabledReplace = [](const PromptLayout& layout) {
        return AnswerAllowed(layout, file_exists::kReplace) &&
               AnswerAllowed(layout, file_exists::kReplaceAll);
    };
    EXPECT_TRUE(enabledReplace(FileExistsPromptLayout({"/a", false, false})));
    const PromptLayout protectedLayout = FileExistsPromptLayout({"/a", true, false});
    EXPECT_FALSE(enabledReplace(protectedLayout));
    EXPECT_EQ(protectedLayout.lines.front(),
              "A WRITEPROTECTED file already exists in the destination directory");
    // The path is shown as it is, never looked up in the language file.
    EXPECT_TRUE(protectedLayout.lines.at(1).literal);
    EXPECT_EQ(protectedLayout.lines.at(1), std::string("/a"));
    EXPECT_FALSE(protectedLayout.lines.front().literal);
    EXPECT_FALSE(enabledReplace(FileExistsPromptLayout({"/a", false, true})));
    const PromptLayout layout = FileExistsPromptLayout({"/a", false, true});
    EXPECT_EQ(layout.escapeAnswer, file_exists::kAbort);
    for (const PromptButton& button : layout.buttons) {
        EXPECT_EQ(button.isDefault, button.answer == file_exists::kAbort) << button.text;
    }
}

}  // namespace
}  // namespace kelvane::test

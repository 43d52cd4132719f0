#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "AppTestEnv.h"
#include "app/ZOLPathCheck.h"

namespace kelvane {
namespace {

TEST(FolderPart, NamingRules) {
    EXPECT_TRUE(FolderPartValid("Styles"));
    EXPECT_TRUE(FolderPartValid("My Styles 2"));
    EXPECT_TRUE(FolderPartValid("a.b"));
    EXPECT_TRUE(FolderPartValid("x"));
    for (const char* bad : {"", " lead", "trail ", "\tlead", "trail\t", ".", ".."}) {
        EXPECT_FALSE(FolderPartValid(bad)) << '[' << bad << ']';
    }
    for (const char c : std::string("\"*/<>?|")) {
        EXPECT_FALSE(FolderPartValid(std::string("a") + c + "b")) << c;
    }
}

TEST(FolderPart, ColonBackslashAndDotsAreOrdinaryCharacters) {
    EXPECT_TRUE(FolderPartValid("Live: 2024"));
    EXPECT_TRUE(FolderPartValid("a\\b"));
    EXPECT_TRUE(FolderPartValid(".styles"));  // hidden folders, ~/.local/share among them
    EXPECT_TRUE(FolderPartValid("Vol. 2."));
    test::TempDir dir;
    const std::string typed = dir.Path().string() + "/Live: 2024/a\\b";
    const FolderPathCheck check = CheckFolderPath(typed);
    EXPECT_EQ(check.state, FolderPathState::Missing);
    EXPECT_EQ(check.folder, typed + "/");
}

TEST(FolderPath, TypedPathsArePartCheckedAndClassified) {
    test::TempDir dir;
    const std::string root = dir.Path().string();
    dir.Write("file.txt", "x");
    std::filesystem::create_directories(dir.Path() / "sub");

    FolderPathCheck check = CheckFolderPath(root + "/sub");
    EXPECT_EQ(check.state, FolderPathState::Exists);
    EXPECT_EQ(check.folder, root + "/sub/");
    EXPECT_EQ(CheckFolderPath(root + "/sub/").folder, root + "/sub/");
    EXPECT_EQ(CheckFolderPath("/").state, FolderPathState::Exists);
    EXPECT_EQ(CheckFolderPath("/").folder, "/");

    check = CheckFolderPath(root + "/new/deeper");
    EXPECT_EQ(check.state, FolderPathState::Missing);
    EXPECT_EQ(check.folder, root + "/new/deeper/");
    EXPECT_EQ(CheckFolderPath(root + "/file.txt").state, FolderPathState::NotFolder);

    for (const std::string& bad :
         {std::string(""), std::string("relative/path"), root + "//sub", root + "/ sub",
          root + "/sub/../x", root + "/a?b", root + "/a|b", root + "/sub//"}) {
        EXPECT_EQ(CheckFolderPath(bad).state, FolderPathState::Invalid) << bad;
    }
}

TEST(FolderPath, TildeStandsForTheHomeFolder) {
    test::TempDir dir;
    test::ScopedEnv home("HOME", dir.Path().string());
    std::filesystem::create_directories(dir.Path() / "Styles");
    const FolderPathCheck check = CheckFolderPath("~/Styles");
    EXPECT_EQ(check.state, FolderPathState::Exists);
    EXPECT_EQ(check.folder, dir.Folder() + "Styles/");
    EXPECT_EQ(CheckFolderPath("~").state, FolderPathState::Exists);
    EXPECT_EQ(CheckFolderPath("~other/x").state, FolderPathState::Invalid);
}

TEST(FolderPath, MessagesCarryThePath) {
    EXPECT_EQ(InvalidFolderMessage("/a/ b"), "The folder:\n\n/a/ b\n\nis invalid. Please reenter.");
    EXPECT_EQ(CreateFolderQuestion("/x/"),
              "The folder:\n\n/x/\n\ndoes not exist. Do you want the folder to be created?");
    EXPECT_EQ(CannotCreateFolderMessage("/x/"),
              "The folder:\n\n/x/\n\ncan not be created. Please double check.");
    // A path with a percent sign is shown as it is, not read as a format.
    EXPECT_EQ(InvalidFolderMessage("/a/%s%n"),
              "The folder:\n\n/a/%s%n\n\nis invalid. Please reenter.");
}

TEST(NewFolder, CreatesBelowTheParentAndReportsEachFailure) {
    test::TempDir dir;
    std::string created;
    EXPECT_EQ(CreateNewFolder(dir.Folder(), "Fresh", created), NewFolderResult::Created);
    EXPECT_EQ(created, dir.Folder() + "Fresh/");
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "Fresh"));
    EXPECT_EQ(CreateNewFolder(dir.Path().string(), "Fresh", created),
              NewFolderResult::AlreadyExists);
    EXPECT_EQ(CreateNewFolder(dir.Folder() + "missing/", "Fresh", created),
              NewFolderResult::PathNotFound);
    EXPECT_EQ(CreateNewFolder(dir.Folder(), "a/b", created), NewFolderResult::InvalidName);
    EXPECT_EQ(CreateNewFolder(dir.Folder(), "", created), NewFolderResult::InvalidName);
    EXPECT_EQ(NewFolderMessage(NewFolderResult::AlreadyExists, "Fresh"),
              "Error creating folder: Directory already exists");
    EXPECT_EQ(NewFolderMessage(NewFolderResult::PathNotFound, "Fresh"),
              "Error creating folder: Path was not found");
    EXPECT_EQ(NewFolderMessage(NewFolderResult::Created, "Fresh"), "");
}

}  // namespace
}  // namespace kelvane

#include <gtest/gtest.h>

#include "support/NUVPath.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

TEST(CreateFullFilename, AddsSeparatorAndDotOnlyWhenMissing) {
    std::string name;
    EXPECT_EQ(create_full_filename(name, "/", "a", "txt"), 0);
    EXPECT_EQ(name, "/a.txt");
    EXPECT_EQ(create_full_filename(name, "/music", "a", ".txt"), 0);
    EXPECT_EQ(name, "/music/a.txt");
    EXPECT_EQ(create_full_filename(name, "", "a", ""), 0);
    EXPECT_EQ(name, "a");
    EXPECT_EQ(create_full_filename(name, std::string(5000, 'd'), "a", "b"), -130);
    EXPECT_EQ(name, "a");  // untouched on failure
}

TEST(ExpandPath, GivesTheAbsolutePath) {
    std::string path;
    EXPECT_EQ(ExpandPath(path, "/a/./b/../c/*.sty"), 0);
    EXPECT_EQ(path, "/a/c/*.sty");
    EXPECT_EQ(ExpandPath(path, "/" + std::string(5000, 'x')), -131);
}

TEST(FolderOfPath, CutsBeforeTheLastSlashOfPathsWithADot) {
    std::string folder = "old";
    EXPECT_EQ(FolderOfPath(folder, "/opt/kelvane/kelvane.CFG"), 0);
    EXPECT_EQ(folder, "/opt/kelvane");
    EXPECT_EQ(FolderOfPath(folder, "/opt/kelvane/kelvane"), -129);
    EXPECT_EQ(folder, "");
}

TEST(SplitPath, FolderNameAndExtensionFromTheLastSeparators) {
    PathParts parts = SplitPath("/a.b/c/song.mid.sty");
    EXPECT_EQ(parts.folder, "/a.b/c/");
    EXPECT_EQ(parts.name, "song.mid");
    EXPECT_EQ(parts.extension, ".sty");
    EXPECT_EQ(parts.nameExtension, "song.mid.sty");
    EXPECT_EQ(parts.driveFolder, "/a.b/c/");
    parts = SplitPath("noext");
    EXPECT_EQ(parts.folder, "");
    EXPECT_EQ(parts.name, "noext");
    EXPECT_EQ(parts.extension, "");
    EXPECT_EQ(SplitPath("/x/.hidden").extension, ".hidden");
    EXPECT_EQ(FileNamePart("/x/y/z.sty"), "z.sty");
    EXPECT_EQ(FileNamePart("plain"), "plain");
}

TEST(HasExtension, ComparesTheLastExtensionWithoutRegardToCase) {
    EXPECT_EQ(HasExtension("Pop.STY", "sty"), 1);
    EXPECT_EQ(HasExtension("Pop.sty", ".Sty"), 1);
    EXPECT_EQ(HasExtension("Pop.sty.bak", "sty"), 0);
    EXPECT_EQ(HasExtension("Popsty", "sty"), 0);
    EXPECT_EQ(HasExtension("Pop.st", "sty"), 0);
}

TEST(IsShortName, EightCharactersAndAThreeLetterExtension) {
    EXPECT_EQ(IsShortName("/long/folder name/ABCDEFGH.STY"), 1);
    EXPECT_EQ(IsShortName("ABCDEFGHI.STY"), 0);
    EXPECT_EQ(IsShortName("ABCDEFGH.STYL"), 0);
    EXPECT_EQ(IsShortName("A"), 1);
    EXPECT_EQ(IsShortName("A."), 1);
}

TEST(UpperCaseNamePart, LeavesTheFolderAlone) {
    std::string path = "/mixed/Case/pop ä.sty";
    UpperCaseNamePart(path);
    EXPECT_EQ(path, "/mixed/Case/POP ä.STY");
    path = "x.y";
    UpperCaseNamePart(path);
    EXPECT_EQ(path, "X.Y");
}

TEST(MakeFolderPath, CreatesEveryMissingLevel) {
    test::TempDir dir;
    EXPECT_EQ(MakeFolderPath(dir.Folder() + "a/b/c"), 1);
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "a/b/c"));
    EXPECT_EQ(MakeFolderPath(dir.Folder() + "a/b/c/"), 1);
    dir.Write("file", "x");
    EXPECT_EQ(MakeFolderPath(dir.Folder() + "file/sub"), 0);
}

TEST(UniqueFileName, FirstNameOfTheRunIsOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process: the counter at 0
    // Nothing exists in a missing folder, so the first number is free.
    const std::string folder = "/nonexistent-kelvane-folder";
    EXPECT_EXIT(
        {
            std::string name;
            const bool ok = UniqueFileName(folder, name) == 0 && name == folder + "/1";
            std::_Exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(UniqueFileName, SkipsNamesThatExist) {
    test::TempDir dir;
    std::string first;
    ASSERT_EQ(UniqueFileName(dir.Folder(), first), 0);
    const auto number = std::stoul(FileNamePart(first));
    dir.Write(std::to_string(number + 1), "taken");
    dir.Write(std::to_string(number + 2) + "/x", "taken folder");
    std::string next;
    ASSERT_EQ(UniqueFileName(dir.Folder(), next), 0);
    EXPECT_EQ(next, dir.Folder() + std::to_string(number + 3));
    EXPECT_EQ(UniqueFileName(std::string(5000, 'd'), next), -137);
}

}  // namespace
}  // namespace kelvane

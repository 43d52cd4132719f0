#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>

#include "platform/FileSystem.h"
#include "platform/FreeSpace.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

TEST(AbsolutePath, ResolvesDotsByTextAndKeepsATrailingSlash) {
    EXPECT_EQ(AbsolutePath("/a/b/../c/./d"), "/a/c/d");
    EXPECT_EQ(AbsolutePath("/a//b/"), "/a/b/");
    EXPECT_EQ(AbsolutePath("/.."), "/");
    EXPECT_EQ(AbsolutePath("/x/*.sty"), "/x/*.sty");
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(AbsolutePath("rel/f.txt"), std::string(cwd) + "/rel/f.txt");
}

TEST(FileSystem, ErrnoValuesMapToTheCasesCallersTell) {
    EXPECT_EQ(ErrorFromErrno(EROFS), PlatformError::WriteProtected);
    EXPECT_EQ(ErrorFromErrno(ENOSPC), PlatformError::DiskFull);
    EXPECT_EQ(ErrorFromErrno(EDQUOT), PlatformError::DiskFull);
    EXPECT_EQ(ErrorFromErrno(ENOMEDIUM), PlatformError::NotReady);
    EXPECT_EQ(ErrorFromErrno(EMLINK), PlatformError::CannotMake);
    EXPECT_EQ(ErrorFromErrno(EACCES), PlatformError::AccessDenied);
    EXPECT_EQ(ErrorFromErrno(EXDEV), PlatformError::NotSameDevice);
    EXPECT_EQ(ErrorFromErrno(EIO), PlatformError::Other);
    EXPECT_EQ(StatusFromErrno(EIO).code, EIO);
}

TEST(FileSystem, MissingFileAndMissingFolderAreTold) {
    test::TempDir dir;
    FileDetails details;
    EXPECT_EQ(QueryFileDetails(dir.Folder() + "none", details).error, PlatformError::FileNotFound);
    EXPECT_EQ(QueryFileDetails(dir.Folder() + "nofolder/none", details).error,
              PlatformError::PathNotFound);
}

TEST(FileSystem, ReadOnlyIsTheOwnerWriteBit) {
    test::TempDir dir;
    const std::string path = dir.Write("f", "x");
    ASSERT_TRUE(SetReadOnly(path, true).Ok());
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & S_IWUSR, 0u);
    FileDetails details;
    ASSERT_TRUE(QueryFileDetails(path, details).Ok());
    EXPECT_TRUE(details.readOnly);
    ASSERT_TRUE(SetReadOnly(path, false).Ok());
    ASSERT_TRUE(QueryFileDetails(path, details).Ok());
    EXPECT_FALSE(details.readOnly);
}

TEST(FileSystem, RenameNeverReplacesAnExistingTarget) {
    test::TempDir dir;
    const std::string a = dir.Write("a", "A");
    const std::string b = dir.Write("b", "B");
    EXPECT_EQ(RenamePath(a, b).error, PlatformError::AlreadyExists);
    EXPECT_EQ(dir.Read("b"), "B");
    EXPECT_TRUE(RenamePath(a, dir.Folder() + "c").Ok());
    EXPECT_EQ(dir.Read("c"), "A");
    EXPECT_EQ(RenamePath(a, dir.Folder() + "d").error, PlatformError::FileNotFound);
}

TEST(FileSystem, NameIsFreeOnlyWhenNothingIsThere) {
    test::TempDir dir;
    dir.Write("file", "x");
    dir.Write("folder/x", "x");
    EXPECT_FALSE(NameIsFree(dir.Folder() + "file"));
    EXPECT_FALSE(NameIsFree(dir.Folder() + "folder"));
    EXPECT_TRUE(NameIsFree(dir.Folder() + "other"));
    ASSERT_EQ(symlink("nowhere", (dir.Folder() + "dangling").c_str()), 0);
    EXPECT_FALSE(NameIsFree(dir.Folder() + "dangling"));
}

TEST(FreeSpace, AnsweredForTheNearestExistingFolder) {
    test::TempDir dir;
    FreeSpaceInfo info;
    ASSERT_TRUE(QueryFreeSpace(dir.Folder() + "not/yet/made.sty", info).Ok());
    EXPECT_GT(info.bytesAvailable, 0u);
    EXPECT_FALSE(info.NoFreeSpace());
    // /proc has no blocks to give: it counts as full, like a read-only medium.
    ASSERT_TRUE(QueryFreeSpace("/proc/self", info).Ok());
    EXPECT_TRUE(info.NoFreeSpace());
}

}  // namespace
}  // namespace kelvane

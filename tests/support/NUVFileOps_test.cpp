#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "support/NUVFileInfo.h"
#include "support/NUVFileOps.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

void MakeReadOnly(const std::string& path) {
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
}

TEST(FileDelete, ReadOnlyFileNeedsTheForcedDelete) {
    test::TempDir dir;
    const std::string path = dir.Write("locked.sty", "x");
    MakeReadOnly(path);
    EXPECT_EQ(FileDelete(path), -104);
    EXPECT_EQ(FileExists(path), 1);
    EXPECT_EQ(FileDeleteForced(path), 0);
    EXPECT_EQ(FileExists(path), 0);
    EXPECT_EQ(FileDelete(path), -103);
    EXPECT_EQ(FileDeleteForced(path), -103);
    EXPECT_EQ(FileDelete(dir.Write("plain.sty", "x")), 0);
    EXPECT_EQ(FileDelete(dir.Folder() + "no/such/file"), -103);
}

TEST(FileRename, StatusesByCause) {
    test::TempDir dir;
    const std::string a = dir.Write("a.sty", "A");
    const std::string b = dir.Write("b.sty", "B");
    EXPECT_EQ(FileRename(a, b), -109);  // existing target is never replaced
    EXPECT_EQ(dir.Read("b.sty"), "B");
    EXPECT_EQ(FileRename(dir.Folder() + "none", dir.Folder() + "x"), -111);
    EXPECT_EQ(FileRename(a, dir.Folder() + "missing/a.sty"), -109);
    EXPECT_EQ(FileRename(a, a), 0);
    EXPECT_EQ(FileRename(a, dir.Folder() + "A.STY"), 0);
    EXPECT_EQ(dir.Read("A.STY"), "A");
}

TEST(CopyFileStatus, CopiesOverAndMapsFailures) {
    test::TempDir dir;
    const std::string source = dir.Write("s.sty", "new");
    const std::string target = dir.Write("t.sty", "old");
    EXPECT_EQ(CopyFileStatus(source, target), 0);
    EXPECT_EQ(dir.Read("t.sty"), "new");
    EXPECT_EQ(CopyFileStatus(dir.Folder() + "none", target), -119);
    EXPECT_EQ(CopyFileStatus(source, dir.Folder() + "no/t.sty"), -119);
}

TEST(FileWritableState, TellsWritableReadOnlyAndMissing) {
    test::TempDir dir;
    const std::string path = dir.Write("f", "x");
    EXPECT_EQ(FileWritableState(path), 2);
    MakeReadOnly(path);
    EXPECT_EQ(FileWritableState(path), 1);
    EXPECT_EQ(FileWritableState(dir.Folder() + "none"), -117);
}

TEST(FileTests, ExistenceOfFilesFoldersAndPatterns) {
    test::TempDir dir;
    dir.Write("sub/a.sty", "12345");
    EXPECT_EQ(FileExists(dir.Folder() + "sub"), 1);
    EXPECT_EQ(FileExists(dir.Folder() + "sub/a.sty"), 1);
    EXPECT_EQ(FileExists(dir.Folder() + "sub/b.sty"), 0);
    EXPECT_EQ(FolderExists(dir.Folder() + "sub"), 1);
    EXPECT_EQ(FolderExists(dir.Folder() + "sub/a.sty"), 0);
    EXPECT_EQ(FolderExists(""), 0);
    EXPECT_EQ(FolderAccessible(dir.Folder() + "sub/"), 1);
    EXPECT_EQ(FolderAccessible(dir.Folder() + "gone"), 0);
    EXPECT_EQ(FileExistsByPattern(dir.Folder() + "sub/*.sty"), 1);
    EXPECT_EQ(FileExistsByPattern(dir.Folder() + "sub/*.prs"), 0);
    EXPECT_EQ(FileExistsByPattern(dir.Folder() + "gone/*.*"), 0);
    EXPECT_EQ(FileSize(dir.Folder() + "sub/a.sty"), 5);
    EXPECT_EQ(FileSize(dir.Folder() + "none"), -128);
}

TEST(SetFileTimes, OneOnSuccessZeroOtherwise) {
    test::TempDir dir;
    const std::string path = dir.Write("f", "x");
    const FileTime time = FileTimeFromUnix(1500000000, 0);
    EXPECT_EQ(SetFileTimes(path, time), 1);
    FileDetails details;
    ASSERT_TRUE(QueryFileDetails(path, details).Ok());
    EXPECT_EQ(details.lastWriteTime, time);
    EXPECT_EQ(SetFileTimes(dir.Folder() + "none", time), 0);
}

TEST(NewestFileTime, LatestPlainFileMatchingThePattern) {
    test::TempDir dir;
    SetFileTimes(dir.Write("old.SDE", "x"), FileTimeFromUnix(1000000000, 0));
    SetFileTimes(dir.Write("new.SDE", "x"), FileTimeFromUnix(1600000000, 0));
    SetFileTimes(dir.Write("newest.txt", "x"), FileTimeFromUnix(1700000000, 0));
    dir.Write("folder.SDE/x", "x");
    FileTime time = 7;
    EXPECT_EQ(NewestFileTime(dir.Folder(), "*.SDE", time), 0);
    EXPECT_EQ(time, FileTimeFromUnix(1600000000, 0));
    time = 7;
    EXPECT_EQ(NewestFileTime(dir.Folder(), "*.SDM", time), 0);
    EXPECT_EQ(time, 7u);
    EXPECT_EQ(NewestFileTime(dir.Folder() + "gone", "*.SDE", time), -203);
}

TEST(DiskFull, OnlyAMediumWithoutSpaceCounts) {
    test::TempDir dir;
    EXPECT_EQ(DiskFull(dir.Folder()), 0);
    EXPECT_EQ(DiskFull("/proc/self/status"), 1);
}

TEST(RenameByPattern, EachFileKeepsItsOwnExtension) {
    test::TempDir dir;
    dir.Write("song.sty", "s");
    dir.Write("song.mid", "m");
    dir.Write("other.sty", "o");
    EXPECT_EQ(RenameByPattern(dir.Folder() + "song.*", "tune.xyz"), 0);
    EXPECT_EQ(dir.Read("tune.sty"), "s");
    EXPECT_EQ(dir.Read("tune.mid"), "m");
    EXPECT_EQ(dir.Read("other.sty"), "o");
    // Two files cannot take one name: the second rename fails, nothing is overwritten.
    dir.Write("x1.sty", "1");
    dir.Write("x2.sty", "2");
    EXPECT_EQ(RenameByPattern(dir.Folder() + "x?.sty", "same"), -109);
    EXPECT_TRUE(dir.Read("same.sty") == "1" || dir.Read("same.sty") == "2");
}

TEST(UpperCaseShortNames, OnlyShortNamesAndWithRecursion) {
    test::TempDir dir;
    dir.Write("pop.sty", "1");
    dir.Write("verylongname.sty", "2");
    dir.Write("sub/jazz.prs", "3");
    EXPECT_EQ(UpperCaseShortNames(dir.Folder() + "*.*", false), 0);
    EXPECT_EQ(dir.Read("POP.STY"), "1");
    EXPECT_EQ(dir.Read("verylongname.sty"), "2");
    EXPECT_EQ(dir.Read("sub/jazz.prs"), "3");
    EXPECT_EQ(UpperCaseShortNames(dir.Folder() + "*.*", true), 0);
    EXPECT_EQ(dir.Read("sub/JAZZ.PRS"), "3");
}

TEST(UpperCaseShortNames, ExistingUpperCaseNameIsReportedNotReplaced) {
    test::TempDir dir;
    dir.Write("pop.sty", "lower");
    dir.Write("POP.STY", "upper");
    EXPECT_EQ(UpperCaseShortNames(dir.Folder() + "*.*", false), -109);
    EXPECT_EQ(dir.Read("pop.sty"), "lower");
    EXPECT_EQ(dir.Read("POP.STY"), "upper");
}

}  // namespace
}  // namespace kelvane

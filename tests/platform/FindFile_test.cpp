#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "platform/FindFile.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

std::set<std::string> Names(const std::string& pattern, PlatformStatus* first = nullptr) {
    std::set<std::string> names;
    CNuvFindFile find;
    FindEntry entry;
    PlatformStatus status = find.First(pattern, entry);
    if (first != nullptr) {
        *first = status;
    }
    for (; status.Ok(); status = find.Next(entry)) {
        names.insert(entry.name + (entry.isFolder ? "/" : ""));
    }
    EXPECT_TRUE(
        status.error == PlatformError::NoMoreFiles || status.error == PlatformError::FileNotFound ||
        status.error == PlatformError::PathNotFound || status.error == PlatformError::AccessDenied)
        << static_cast<int>(status.error);
    return names;
}

TEST(FindFile, ListsMatchingEntriesWithoutDotEntries) {
    test::TempDir dir;
    dir.Write("a.sty", "1");
    dir.Write("b.STY", "2");
    dir.Write("c.prs", "3");
    dir.Write("sub.sty/x.sty", "4");
    EXPECT_EQ(Names(dir.Folder() + "*.sty"), (std::set<std::string>{"a.sty", "sub.sty/"}));
    EXPECT_EQ(Names(dir.Folder() + "*"),
              (std::set<std::string>{"a.sty", "b.STY", "c.prs", "sub.sty/"}));
}

TEST(FindFile, TellsNoMatchFromMissingFolder) {
    test::TempDir dir;
    dir.Write("a.txt", "1");
    PlatformStatus first;
    EXPECT_TRUE(Names(dir.Folder() + "*.sty", &first).empty());
    EXPECT_EQ(first.error, PlatformError::FileNotFound);
    Names(dir.Folder() + "missing/*.*", &first);
    EXPECT_EQ(first.error, PlatformError::PathNotFound);
    Names(dir.Folder() + "a.txt/*.*", &first);  // a file where a folder should be
    EXPECT_EQ(first.error, PlatformError::PathNotFound);
    Names(dir.Folder() + "", &first);
    EXPECT_EQ(first.error, PlatformError::FileNotFound);
}

TEST(FindFile, PatternWithoutWildcardsLooksUpOneName) {
    test::TempDir dir;
    dir.Write("ZOL.SDB", "x");
    PlatformStatus first;
    EXPECT_EQ(Names(dir.Folder() + "ZOL.SDB", &first), std::set<std::string>{"ZOL.SDB"});
    EXPECT_TRUE(Names(dir.Folder() + "zol.sdb", &first).empty());
    EXPECT_EQ(first.error, PlatformError::FileNotFound);
    Names(dir.Folder() + "gone/ZOL.SDB", &first);
    EXPECT_EQ(first.error, PlatformError::PathNotFound);
}

TEST(FindFile, SkipsSpecialFilesAndDanglingLinksButMarksFolderLinks) {
    test::TempDir dir;
    dir.Write("real/file.sty", "x");
    ASSERT_EQ(mkfifo((dir.Folder() + "pipe.sty").c_str(), 0600), 0);
    ASSERT_EQ(symlink("nowhere", (dir.Folder() + "dangling.sty").c_str()), 0);
    ASSERT_EQ(symlink("real", (dir.Folder() + "linked").c_str()), 0);
    ASSERT_EQ(symlink("real/file.sty", (dir.Folder() + "filelink.sty").c_str()), 0);
    EXPECT_EQ(Names(dir.Folder() + "*.sty"), std::set<std::string>{"filelink.sty"});

    CNuvFindFile find;
    FindEntry entry;
    ASSERT_TRUE(find.First(dir.Folder() + "linked", entry).Ok());
    EXPECT_TRUE(entry.isFolder);
    EXPECT_TRUE(entry.isLink);
    ASSERT_TRUE(find.First(dir.Folder() + "real", entry).Ok());
    EXPECT_FALSE(entry.isLink);
}

TEST(FindFile, DetailsDescribeTheEntryJustReturned) {
    test::TempDir dir;
    dir.Write("five.txt", "12345");
    ASSERT_EQ(chmod((dir.Folder() + "five.txt").c_str(), 0444), 0);
    CNuvFindFile find;
    FindEntry entry;
    ASSERT_TRUE(find.First(dir.Folder() + "*.txt", entry).Ok());
    FileDetails details;
    ASSERT_TRUE(find.Details(details).Ok());
    EXPECT_EQ(details.size, 5u);
    EXPECT_TRUE(details.readOnly);
    EXPECT_GT(details.lastWriteTime, FileTimeFromUnix(1000000000, 0));
    EXPECT_EQ(find.Attributes(entry), 1u);
}

TEST(FindFile, UnreadableFolderIsAccessDenied) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "running as root: permission checks are bypassed";
    }
    test::TempDir dir;
    dir.Write("locked/a.sty", "x");
    ASSERT_EQ(chmod((dir.Folder() + "locked").c_str(), 0), 0);
    PlatformStatus first;
    Names(dir.Folder() + "locked/*.*", &first);
    EXPECT_EQ(first.error, PlatformError::AccessDenied);
}

}  // namespace
}  // namespace kelvane

#include "support/NUVAtomicFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/FaultPoints.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

std::size_t EntriesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(AtomicFile, CommitReplacesTheFileOnlyAtTheEnd) {
    test::TempDir dir;
    const std::string path = dir.Write("data.SDB", "old");
    CNuvAtomicFile file;
    ASSERT_TRUE(file.Open(path, false));
    ASSERT_TRUE(file.WriteLine("new"));
    ASSERT_TRUE(file.Write("tail"));
    EXPECT_EQ(dir.Read("data.SDB"), "old");
    EXPECT_EQ(EntriesIn(dir.Path()), 2u);
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(dir.Read("data.SDB"), "new\r\ntail");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    EXPECT_EQ(file.BytesWritten(), 9u);
}

TEST(AtomicFile, AbandonedOrDestroyedWriterLeavesTheOldFileAndNoTemporary) {
    test::TempDir dir;
    const std::string path = dir.Write("data.SDB", "old");
    {
        CNuvAtomicFile file;
        ASSERT_TRUE(file.Open(path, false));
        file.WriteLine(std::string(200000, 'x'));  // past the gathering buffer: on disk
    }
    EXPECT_EQ(dir.Read("data.SDB"), "old");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    CNuvAtomicFile file;
    ASSERT_TRUE(file.Open(path, false));
    file.Abandon();
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(AtomicFile, AppendKeepsTheOldBytesAndCreatesMissingFiles) {
    test::TempDir dir;
    const std::string big(300000, 'b');
    const std::string path = dir.Write("move.SDE", big);
    CNuvAtomicFile file;
    ASSERT_TRUE(file.Open(path, true));
    ASSERT_TRUE(file.WriteLine("more"));
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(dir.Read("move.SDE"), big + "more\r\n");

    ASSERT_TRUE(file.Open(dir.Folder() + "new.SDE", true));
    ASSERT_TRUE(file.WriteLine("first"));
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(dir.Read("new.SDE"), "first\r\n");
}

TEST(AtomicFile, InjectedFailureHitsTheCountedWriteOnly) {
    test::TempDir dir;
    const std::string path = dir.Write("data.SDB", "old");
    ArmedFault full(FaultPoint::AtomicFileWrite, 3);
    CNuvAtomicFile file;
    ASSERT_TRUE(file.Open(path, false));
    EXPECT_TRUE(file.WriteLine("1"));
    EXPECT_TRUE(file.Write("2"));
    EXPECT_FALSE(file.WriteLine("3"));
    EXPECT_EQ(file.Error(), ENOSPC);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(dir.Read("data.SDB"), "old");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    // The failure was used up.
    ASSERT_TRUE(file.Open(path, false));
    EXPECT_TRUE(file.WriteLine("ok"));
    EXPECT_TRUE(file.Commit());
    EXPECT_EQ(dir.Read("data.SDB"), "ok\r\n");
}

TEST(AtomicFile, KeepsPermissionsAddsOwnerWriteAndFailsInMissingFolder) {
    test::TempDir dir;
    const std::string path = dir.Write("data.SDB", "old");
    chmod(path.c_str(), 0440);
    CNuvAtomicFile file;
    ASSERT_TRUE(file.Open(path, false));
    ASSERT_TRUE(file.Commit());
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    EXPECT_FALSE(file.Open(dir.Folder() + "none/data.SDB", false));
    EXPECT_EQ(file.Error(), ENOENT);
}

}  // namespace
}  // namespace kelvane

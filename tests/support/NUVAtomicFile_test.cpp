#include "support/NUVAtomicFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>

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

TEST(AtomicFile, TemporaryNamesNameTheTargetAndTheWriter) {
    TemporaryFileName parsed;
    ASSERT_TRUE(ParseTemporaryFileName(".ZOL.SDB.4711-12.tmp", parsed));
    EXPECT_EQ(parsed.target, "ZOL.SDB");
    EXPECT_EQ(parsed.pid, 4711);
    ASSERT_TRUE(ParseTemporaryFileName("..hidden.4711-0.tmp", parsed));
    EXPECT_EQ(parsed.target, ".hidden");
    for (const char* other : {"ZOL.SDB.4711-12.tmp", ".ZOL.SDB.tmp", ".ZOL.SDB.47x1-1.tmp",
                              ".ZOL.SDB.4711-.tmp", ".4711-1.tmp", ".ZOL.SDB.4711-1.tmp~"}) {
        EXPECT_FALSE(ParseTemporaryFileName(other, parsed)) << other;
    }
}

TEST(AtomicFile, TemporaryFileIsAbandonedWhenItsWriterIsGoneOrItIsOld) {
    test::TempDir dir;
    // A running program whose name begins with "kelvane": a copy of sleep.
    const std::string sleeper = dir.Folder() + "kelvane-sleeper";
    std::filesystem::copy_file("/bin/sleep", sleeper);
    const pid_t live = fork();
    ASSERT_GE(live, 0);
    if (live == 0) {
        execl(sleeper.c_str(), sleeper.c_str(), "30", static_cast<char*>(nullptr));
        _exit(127);
    }
    // Until it runs the new program the child is a copy of this one.
    const std::string comm = "/proc/" + std::to_string(live) + "/comm";
    for (int i = 0; i < 2000 && test::ReadFileBytes(comm).rfind("kelvane", 0) != 0; ++i) {
        usleep(1000);
    }
    const pid_t gone = fork();
    if (gone == 0) {
        _exit(0);
    }
    waitpid(gone, nullptr, 0);
    const auto name = [](pid_t pid) { return ".ZOL.SDB." + std::to_string(pid) + "-0.tmp"; };
    for (const pid_t pid : {live, gone, getpid()}) {
        dir.Write(name(pid), "part");
    }
    EXPECT_FALSE(IsAbandonedTemporaryFile(dir.Folder(), name(live)));
    EXPECT_TRUE(IsAbandonedTemporaryFile(dir.Folder(), name(gone)));
    EXPECT_FALSE(IsAbandonedTemporaryFile(dir.Folder(), name(getpid())));
    EXPECT_FALSE(IsAbandonedTemporaryFile(dir.Folder(), "notes.txt"));
    // No writer keeps a temporary file for long: an old one is abandoned whoever has the id.
    const timespec old = {time(nullptr) - kAbandonedTemporaryAge - 60, 0};
    const timespec times[2] = {old, old};
    utimensat(AT_FDCWD, (dir.Folder() + name(live)).c_str(), times, 0);
    EXPECT_TRUE(IsAbandonedTemporaryFile(dir.Folder(), name(live)));
    kill(live, SIGKILL);
    waitpid(live, nullptr, 0);
}

}  // namespace
}  // namespace kelvane

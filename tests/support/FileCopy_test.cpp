// Copies over existing files: written through the atomic file, so a failure leaves the old one.
#include "support/FileCopy.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>

#include "platform/FileSystem.h"
#include "platform/FileTime.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

TEST(FileCopy, ReplacesTargetAndKeepsTimeAndReadOnly) {
    test::TempDir dir;
    const std::string source = dir.Write("src.sty", std::string(200000, 's'));
    const std::string target = dir.Write("dst.sty", "old and longer than nothing");
    const FileTime time = FileTimeFromUnix(1111111111, 0);
    ASSERT_TRUE(SetPathTimes(source, time));
    ASSERT_TRUE(CopyFileOverwrite(source, target).Ok());
    EXPECT_EQ(dir.Read("dst.sty"), std::string(200000, 's'));
    FileDetails details;
    ASSERT_TRUE(QueryFileDetails(target, details).Ok());
    EXPECT_EQ(details.lastWriteTime, time);

    ASSERT_TRUE(SetReadOnly(source, true).Ok());
    const std::string copy = dir.Folder() + "ro.sty";
    ASSERT_TRUE(CopyFileOverwrite(source, copy).Ok());
    ASSERT_TRUE(QueryFileDetails(copy, details).Ok());
    EXPECT_TRUE(details.readOnly);
    // A read-only target is not overwritten.
    EXPECT_EQ(CopyFileOverwrite(target, copy).error, PlatformError::AccessDenied);
}

TEST(FileCopy, ReplacementThatDoesNotFitLeavesTheOldFile) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to mount a small tmpfs";
    }
    test::TempDir dir;
    const std::string source = dir.Write("big.sty", std::string(300000, 'b'));
    const std::string mountPoint = dir.Folder() + "small";
    std::filesystem::create_directory(mountPoint);
    if (std::system(("mount -t tmpfs -o size=128k tmpfs '" + mountPoint + "'").c_str()) != 0) {
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    }
    const std::string target = mountPoint + "/song.sty";
    test::WriteFileBytes(target, "the old content");
    EXPECT_FALSE(CopyFileOverwrite(source, target).Ok());
    EXPECT_EQ(test::ReadFileBytes(target), "the old content");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mountPoint),
                            std::filesystem::directory_iterator()),
              1);  // no temporary file left beside it
    EXPECT_EQ(std::system(("umount '" + mountPoint + "'").c_str()), 0);
}

TEST(FileCopy, FailuresNameTheirCause) {
    test::TempDir dir;
    const std::string source = dir.Write("a", "x");
    EXPECT_EQ(CopyFileOverwrite(dir.Folder() + "none", dir.Folder() + "b").error,
              PlatformError::FileNotFound);
    EXPECT_EQ(CopyFileOverwrite(source, dir.Folder() + "no/b").error, PlatformError::PathNotFound);
    EXPECT_EQ(CopyFileOverwrite(source, source).error, PlatformError::AccessDenied);
    EXPECT_EQ(dir.Read("a"), "x");
    EXPECT_EQ(CopyFileOverwrite(dir.Folder(), dir.Folder() + "c").error,
              PlatformError::AccessDenied);
}

TEST(FileCopy, DevicesAreNeverCopyTargets) {
    test::TempDir dir;
    const std::string source = dir.Write("a", "x");
    EXPECT_EQ(CopyFileOverwrite(source, "/dev/null").error, PlatformError::AccessDenied);
}

}  // namespace
}  // namespace kelvane

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "platform/Launcher.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

bool WaitForFile(const std::string& path) {
    for (int i = 0; i < 100; ++i) {
        if (PathExists(path)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

TEST(Launcher, HandsTheArgumentOverAsOneUnquotedWord) {
    test::TempDir dir;
    // A name with blanks, quotes and shell characters must reach the program unchanged.
    const std::string odd = dir.Folder() + "my 'song' $(x) & \"b\".sh";
    const std::string marker = dir.Folder() + "done";
    test::WriteFileBytes(odd, "printf '%s' \"$0\" > '" + marker + ".tmp' && mv '" + marker +
                                  ".tmp' '" + marker + "'\n");
    ASSERT_TRUE(LaunchProgram("/bin/sh", odd));
    ASSERT_TRUE(WaitForFile(marker));
    EXPECT_EQ(test::ReadFileBytes(marker), odd);
}

TEST(Launcher, MissingProgramIsReported) {
    EXPECT_FALSE(LaunchProgram("/nonexistent/program", "x"));
    EXPECT_FALSE(LaunchProgram("", "x"));
}

}  // namespace
}  // namespace kelvane

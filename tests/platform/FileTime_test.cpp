#include <cstdlib>
#include <ctime>

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "platform/FileTime.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

// Runs a test body with the local time zone set to UTC, restoring the old one afterwards.
class UtcZone {
  public:
    UtcZone() {
        if (const char* tz = std::getenv("TZ")) {
            saved_ = tz;
            hadZone_ = true;
        }
        setenv("TZ", "UTC", 1);
        tzset();
    }
    ~UtcZone() {
        if (hadZone_) {
            setenv("TZ", saved_.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

  private:
    std::string saved_;
    bool hadZone_ = false;
};

TEST(FileTime, CountsHundredNanosecondsSince1601) {
    EXPECT_EQ(FileTimeFromUnix(0, 0), 116444736000000000ull);
    EXPECT_EQ(FileTimeFromUnix(1, 999999999), 116444736000000000ull + 19999999);
    EXPECT_EQ(FileTimeFromUnix(-kFileTimeEpochOffset - 1, 0), 0u);
    const FileTime time = FileTimeFromUnix(1700000000, 123456700);
    const timespec back = TimespecFromFileTime(time);
    EXPECT_EQ(back.tv_sec, 1700000000);
    EXPECT_EQ(back.tv_nsec, 123456700);
    EXPECT_EQ(FileTimeFromHalves(FileTimeLow(time), FileTimeHigh(time)), time);
}

TEST(FileTime, SetTimesComeBackFromTheFile) {
    test::TempDir dir;
    const std::string path = dir.Write("a.sty", "x");
    const FileTime wanted = FileTimeFromUnix(1234567890, 500000000);
    ASSERT_TRUE(SetPathTimes(path, wanted));
    FileDetails details;
    ASSERT_TRUE(QueryFileDetails(path, details).Ok());
    EXPECT_EQ(details.lastWriteTime, wanted);
    EXPECT_FALSE(SetPathTimes(dir.Folder() + "missing", wanted));
}

TEST(FileTime, LocalTextsUseTheLocalZone) {
    UtcZone utc;
    std::string text = "unchanged";
    ASSERT_TRUE(LocalTimeText(FileTimeFromUnix(86400 * 365 + 3600 * 13 + 60 * 7, 0), text));
    EXPECT_EQ(text, "1971-01-01 13:07");
    EXPECT_EQ(CTimeText(0), "Thu Jan  1 00:00:00 1970");
    EXPECT_EQ(CTimeText(1700000000), "Tue Nov 14 22:13:20 2023");
    EXPECT_EQ(CTimeText(0).size(), 24u);
}

}  // namespace
}  // namespace kelvane

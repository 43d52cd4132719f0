#include <gtest/gtest.h>

#include "support/NUVDbg.h"
#include "support/NUVStatus.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

TEST(StatusText, KnownCodesCarryTheirMessageOthersAreEmpty) {
    EXPECT_EQ(StatusText(-206), "Processing aborted by user");
    EXPECT_EQ(StatusText(-205), StatusText(-206));
    EXPECT_EQ(StatusText(-1007), "Internal Error - Logfile rename error");
    EXPECT_EQ(StatusText(-10380), "");
    EXPECT_EQ(StatusText(-101), "");
    EXPECT_EQ(StatusText(0), "");
}

TEST(ShowMessage, ErrorEndsProgramOnlyWhileDebugLevelIsNotZero) {
    test::CapturingSink sink;
    SetDebugLevel(0);
    NUV_ERROR("%s %d", "Broken", 7);
    EXPECT_TRUE(sink.exits.empty());
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_NE(sink.boxes[0].text.find("--- ERROR --- "), std::string::npos);
    EXPECT_NE(sink.boxes[0].text.find("Broken 7"), std::string::npos);
    SetDebugLevel(1);
    NUV_ERROR("again");
    EXPECT_EQ(sink.exits, std::vector<int>{1});
}

TEST(ShowMessage, FatalAlwaysEndsAndDebugIsSilencedAtLevelZero) {
    test::CapturingSink sink;
    SetDebugLevel(0);
    NUV_DEBUG("hidden");
    EXPECT_TRUE(sink.console.empty());
    NUV_FATAL("gone");
    EXPECT_EQ(sink.exits, std::vector<int>{1});
    SetDebugLevel(1);
}

TEST(ShowMessage, OnlyInfoAndAboveReachABox) {
    test::CapturingSink sink;
    NUV_DEBUG("quiet");
    NUV_INFO("loud");
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].severity, Severity::Info);
    EXPECT_EQ(sink.console.size(), 2u);
}

}  // namespace
}  // namespace kelvane

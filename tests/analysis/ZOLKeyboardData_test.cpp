// Keyboard data files: their keywords and failures, and the lookup of keyboard and style ids.
#include "analysis/ZOLKeyboardData.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "analysis/ZOLSearchTags.h"
#include "platform/FileSystem.h"
#include "support/ScopedEnv.h"
#include "support/TestEnv.h"
#include "support/ZOLConfigValues.h"

namespace kelvane {
namespace {

class KeyboardDataTest : public ::testing::Test {
  protected:
    void TearDown() override { Config() = ConfigValues{}; }
    // "model|style" for the ids.
    std::string Lookup(int keyboardId, int styleId) {
        std::string model = "stale", style = "stale";
        data.LookupKeyboard(keyboardId, styleId, model, style);
        return model + "|" + style;
    }
    test::CapturingSink sink;
    test::TempDir dir;
    CZOLMidiContentAnalyser data;
};

TEST_F(KeyboardDataTest, ModelsFollowTheirNamesAndStylesTheirDivisor) {
    dir.Write("a.kby",
              "KBD_NAME = A\nKBD_ID = 1\nKBD_NAME = B  second word\nKBD_ID = 2\n"
              "KBD_STYLE_ID_DIVISOR = 256\nKBD_STYLE =  Funk Street ; 1024\n"
              "KBD_STYLE = Pop;1280 ! comment\n");
    // Read after a.kby: its id 2 is found in a.kby first.
    dir.Write("b.kby", "TERM_CHAR = ,\nKBD_NAME = C\nKBD_ID = 2\nKBD_ID = 3\nKBD_STYLE = X, 7\n");
    data.LoadKeyboardData(dir.Folder());
    ASSERT_EQ(data.Entries().size(), 2u);
    EXPECT_EQ(data.Entries()[0].name, "B");
    EXPECT_EQ(Lookup(1, 4), "A|Funk Street");
    EXPECT_EQ(Lookup(2, 5), "B|Pop");
    EXPECT_EQ(Lookup(3, 7), "C|X");
    EXPECT_EQ(Lookup(2, 6), "B|");     // within the range, not listed
    EXPECT_EQ(Lookup(2, 1281), "B|");  // above the highest number listed
    EXPECT_TRUE(sink.boxes.empty());
}

TEST_F(KeyboardDataTest, UnknownIdsAreShownOnlyWhenAsked) {
    dir.Write("a.kby", "KBD_NAME = A\nKBD_ID = 1\nKBD_STYLE = S ; 10\n");
    data.LoadKeyboardData(dir.Folder());
    EXPECT_EQ(Lookup(300, 1), "|");
    EXPECT_EQ(Lookup(1, 5), "A|");
    Config().showUnknownKeyboardIds = 1;
    Config().showUnknownStyleIds = 1;
    EXPECT_EQ(Lookup(300, 1), "- Unknown - ID = 300 (12CH)|");
    EXPECT_EQ(Lookup(1, 5), "A|- Unknown - ID = 5 (5H) ");
    EXPECT_EQ(Lookup(1, 11), "A|- Unknown - ID = 11 (BH) ");
    Config() = ConfigValues{};
    Config().specialMenu = 1;
    EXPECT_EQ(Lookup(44, 1), "- Unknown - ID = 44 (2CH)|");
}

TEST_F(KeyboardDataTest, AFailingLineEndsItsFileAndKeepsWhatWasRead) {
    std::string eleven = "KBD_NAME = Many\n";
    for (int id = 1; id <= 11; ++id) {
        eleven += "KBD_ID = " + std::to_string(id) + "\n";
    }
    struct Case {
        std::string text;
        StatusCode status;
        const char* message;  // part of the warning, or "" for none
    };
    const Case cases[] = {
        {eleven, status::kTooManyKeyboardIds, "Error in data line"},
        {"KBD_ID = 1\n", status::kNoCurrentKeyboard, "Error in data line"},
        {"KBD_NAME = A\nKBD_STYLE = OnlyName\n", status::kIncompleteDataLine,
         "Incomplete data line in analyser data file (Filename/Line Nr) :"},
        {"KBD_NAME = A\nKBD_ID = 70000\n", status::kConfigIllegalData, "Illegal data"},
        {"KBD_NAME = A\nCOLOUR = red\nKBD_ID = 9\n", status::kOk,
         "Illegal keyword in keyboard data file"},
    };
    for (const Case& c : cases) {
        sink.boxes.clear();
        EXPECT_EQ(data.LoadKeyboardFile(dir.Write("k.kby", c.text)), c.status) << c.text;
        EXPECT_TRUE(sink.BoxContains(c.message)) << c.text;
    }
    // Entries: the ten ids of "Many", "A" (twice) and "A" with id 9.
    ASSERT_EQ(data.Entries().size(), 4u);
    EXPECT_EQ(data.Entries()[0].idCount, 10);
    EXPECT_EQ(Lookup(10, 0), "Many|");
    EXPECT_EQ(Lookup(9, 0), "Many|");
}

TEST_F(KeyboardDataTest, SuppliedExamplesAreReadWithoutComplaint) {
    data.LoadKeyboardData((test::SourceDir() / "data").string());
    EXPECT_GE(data.Entries().size(), 2u);
    EXPECT_TRUE(sink.boxes.empty());
}

TEST_F(KeyboardDataTest, NewestTimeIsTakenOncePerRun) {
    const test::ScopedEnv home("KELVANE_HOME", dir.Folder().c_str());
    EXPECT_EQ(data.NewestKeyboardDataTime(), 0u);  // no files
    dir.Write("new.kby", "KBD_NAME = B\n");
    dir.Write("old.kby", "KBD_NAME = A\n");
    ASSERT_EQ(std::system(("touch -d 2001-01-01 '" + dir.Folder() + "old.kby'").c_str()), 0);
    FileDetails details;
    ASSERT_TRUE(QueryFileDetails(dir.Folder() + "new.kby", details).Ok());
    CZOLMidiContentAnalyser fresh;
    EXPECT_EQ(fresh.NewestKeyboardDataTime(), details.lastWriteTime);
    ASSERT_EQ(std::system(("touch -d 2030-01-01 '" + dir.Folder() + "old.kby'").c_str()), 0);
    EXPECT_EQ(fresh.NewestKeyboardDataTime(), details.lastWriteTime);
}

}  // namespace
}  // namespace kelvane

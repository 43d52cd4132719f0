// The print settings in section "Print": defaults, a round trip, and values a hand-edited file
// may hold.
#include "app/ZOLPrintSettingsStore.h"

#include <gtest/gtest.h>

#include "app/AppTestEnv.h"

namespace kelvane {
namespace {

class PrintSettingsStoreTest : public test::AppFixture {};

TEST_F(PrintSettingsStoreTest, EmptyStoreGivesTheDefaults) {
    Start();
    const PrintSettings settings = ReadPrintSettings();
    EXPECT_EQ(settings.paperOrientation, kPaperPortrait);
    EXPECT_EQ(settings.pageTitleFontSize, 14);
    EXPECT_EQ(settings.pageBodyFontSize, 8);
    EXPECT_TRUE(settings.printHeader && settings.printTitle && settings.printPageNr &&
                settings.printDate && settings.printFilterInfo && settings.printPath);
    EXPECT_EQ(settings.printTopMargin, 15);
    EXPECT_EQ(settings.printBottomMargin, 10);
    EXPECT_EQ(settings.printLeftMargin, 20);
    EXPECT_EQ(settings.printRightMargin, 10);
    EXPECT_EQ(settings.lastTitle, "");
}

TEST_F(PrintSettingsStoreTest, StoredValuesComeBackUnderTheirNames) {
    Start();
    PrintSettings settings;
    settings.lastTitle = "Ballroom \xe9";
    settings.paperOrientation = kPaperLandscape;
    settings.pageBodyFontSize = 11;
    settings.printDate = false;
    settings.printFilterInfo = false;
    settings.printLeftMargin = 33;
    ASSERT_EQ(StorePrintSettings(settings), 0);
    EXPECT_EQ(SettingsStore().ReadInt("Print", "PrintDate", -1), 0);
    EXPECT_EQ(SettingsStore().ReadInt("Print", "PaperOrientation", -1), 2);
    EXPECT_EQ(SettingsStore().ReadInt("Print", "PrintLeftMargin", -1), 33);
    const PrintSettings back = ReadPrintSettings();
    EXPECT_EQ(back.lastTitle, settings.lastTitle);
    EXPECT_EQ(back.paperOrientation, kPaperLandscape);
    EXPECT_EQ(back.pageBodyFontSize, 11);
    EXPECT_FALSE(back.printDate);
    EXPECT_FALSE(back.printFilterInfo);
    EXPECT_TRUE(back.printPath);
    EXPECT_EQ(back.printLeftMargin, 33);
    ASSERT_EQ(StoreLastPrintTitle("Other"), 0);
    EXPECT_EQ(ReadPrintSettings().lastTitle, "Other");
    EXPECT_EQ(ReadPrintSettings().printLeftMargin, 33);
}

TEST_F(PrintSettingsStoreTest, UnknownOrientationIsPortrait) {
    Start();
    ASSERT_EQ(SettingsStore().WriteInt("Print", "PaperOrientation", 7), 0);
    EXPECT_EQ(ReadPrintSettings().paperOrientation, kPaperPortrait);
}

}  // namespace
}  // namespace kelvane

#include <gtest/gtest.h>

#include <ctime>

#include "output/FakeTableView.h"
#include "output/OutputLimits.h"
#include "output/ZOLPrintLayout.h"
#include "support/NUVStatus.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

class FakeFonts final : public PrintFontMetrics {
  public:
    int LineHeight(PrintFont font) const override { return font == PrintFont::Title ? 100 : 50; }
};

// A4 at 600 dpi, a screen of 96 dpi: one screen pixel is 6.25 printer dots at body size 8.
class PrintLayoutTest : public ::testing::Test {
  protected:
    PrintLayoutTest() {
        page = {4960, 7016, 600, 600, 100, 100, 100, 100, 96};
        table.AddColumn("Style Name", 96, 1);
    }
    PrintLayout Layout() {
        PrintLayout layout;
        EXPECT_EQ(ComputePrintLayout(settings, page, &table, fonts, layout), 0);
        return layout;
    }
    PrintSettings settings;
    PageMetrics page;
    test::FakeTableView table;
    FakeFonts fonts;
};

TEST_F(PrintLayoutTest, DefaultHeaderStacksItsLinesAboveTheTable) {
    const PrintLayout layout = Layout();
    // 20, 10, 15 and 10 mm at 600 dpi.
    EXPECT_EQ(layout.left, 472);
    EXPECT_EQ(layout.right, 4960 - 236);
    EXPECT_EQ(layout.top, 354);
    EXPECT_EQ(layout.bottom, 7016 - 236);
    EXPECT_EQ(layout.pageLine.top, 354);
    EXPECT_EQ(layout.titleLine.top, 404);
    EXPECT_EQ(layout.pathLine.top, 504 + 40);  // 5 points after the title
    EXPECT_EQ(layout.filterLine.top, 594);
    EXPECT_EQ(layout.topRuleY, 684);  // 5 points after path and filter
    EXPECT_EQ(layout.headerRuleY, 684 + 50 + 40);
    EXPECT_EQ(layout.rowsPerPage, (6780 - 774) / 50);
}

TEST_F(PrintLayoutTest, WithoutHeaderPagesStartWithTheTable) {
    settings.printHeader = false;
    const PrintLayout layout = Layout();
    EXPECT_FALSE(layout.pageLine.shown || layout.titleLine.shown || layout.pathLine.shown ||
                 layout.filterLine.shown);
    EXPECT_EQ(layout.topRuleY, layout.top);
    EXPECT_FALSE(PrintTitleBoxEnabled(settings));
    settings.printHeader = true;
    settings.printPath = settings.printFilterInfo = false;
    EXPECT_EQ(Layout().topRuleY, 354 + 50 + 100 + 40);  // no gap without path and filter
}

TEST_F(PrintLayoutTest, MarginsAreRaisedToTheUnprintableBorderAndSettingsClamped) {
    page.unprintableLeft = 600;
    page.unprintableBottom = 300;
    settings.printTopMargin = 0;
    const PrintLayout layout = Layout();
    EXPECT_EQ(layout.left, 600);
    EXPECT_EQ(layout.bottom, 7016 - 300);
    EXPECT_EQ(layout.top, 100);
    EXPECT_EQ(layout.right, 4960 - 236);  // the set margin is wider than the border
    settings.printLeftMargin = -20;
    settings.pageBodyFontSize = 0;
    EXPECT_EQ(Layout().left, 600);
    EXPECT_GT(Layout().columns.at(0).width, 0);
}

TEST_F(PrintLayoutTest, ColumnsBeyondTheRightMarginAreLeftOutAndTheLastOneClipped) {
    settings.pageBodyFontSize = 16;  // doubles the printed widths: 96 px -> 1200 dots
    for (int i = 0; i < 4; ++i) {
        table.AddColumn("Col", 96, 2 + i, ColumnAlignment::Right);
    }
    const PrintLayout layout = Layout();
    // Columns start at 472, 1673, 2874, 4075 (a one-dot line each); the fifth at 5276.
    ASSERT_EQ(layout.columns.size(), 4u);
    EXPECT_EQ(layout.leftOutColumns, 1);
    EXPECT_EQ(layout.columns[1].lineX, 1673);
    EXPECT_EQ(layout.columns[1].textLeft, 1673 + 1 + 3 * 8);
    EXPECT_EQ(layout.columns[1].alignment, ColumnAlignment::Right);
    EXPECT_FALSE(layout.columns[2].clipped);
    EXPECT_TRUE(layout.columns[3].clipped);
    EXPECT_EQ(layout.columns[3].textRight, layout.right);
    EXPECT_EQ(layout.tableRight, layout.right);
}

TEST_F(PrintLayoutTest, NarrowTableEndsSixPointsAfterItsColumns) {
    table.AddColumn("Size", 48, 5);
    const PrintLayout layout = Layout();
    EXPECT_EQ(layout.columns[1].textRight, 472 + 601 + 301);
    EXPECT_EQ(layout.tableRight, 472 + 601 + 301 + 6 * 8);
}

TEST_F(PrintLayoutTest, PagesSplitTheRowsEvenly) {
    PrintLayout layout = Layout();
    EXPECT_EQ(layout.pageCount, 1);  // an empty list still prints headings
    EXPECT_EQ(RowsOnPage(layout, 1), 0);

    table.rows.assign(250, {"x"});
    layout = Layout();
    ASSERT_EQ(layout.rowsPerPage, 120);
    EXPECT_EQ(layout.pageCount, 3);
    EXPECT_EQ(FirstRowOfPage(layout, 3), 240);
    EXPECT_EQ(RowsOnPage(layout, 3), 10);
    EXPECT_LE(RowTop(layout, layout.rowsPerPage - 1) + layout.rowHeight, layout.bottom);
    EXPECT_GT(RowTop(layout, layout.rowsPerPage) + layout.rowHeight, layout.bottom);
}

TEST_F(PrintLayoutTest, PageTooSmallForARowStillPrintsOneRowPerPage) {
    page.paperHeight = 900;
    table.rows.assign(3, {"x"});
    const PrintLayout layout = Layout();
    EXPECT_EQ(layout.rowsPerPage, 1);
    EXPECT_EQ(layout.pageCount, 3);
}

TEST_F(PrintLayoutTest, UnusableListsAreRefusedAndBadColumnsSkipped) {
    test::CapturingSink sink;
    PrintLayout layout;
    EXPECT_EQ(ComputePrintLayout(settings, page, nullptr, fonts, layout), status::kPrintNoList);
    table.AddColumn("Size", 48, 5);
    table.unreadableColumn = 0;
    ASSERT_EQ(ComputePrintLayout(settings, page, &table, fonts, layout), 0);
    ASSERT_EQ(layout.columns.size(), 1u);
    EXPECT_EQ(layout.columns[0].tableColumn, 1);
    EXPECT_TRUE(sink.BoxContains("Internal Error - Cannot get column info"));
    while (table.columns.size() <= kMaxOutputColumns) {
        table.AddColumn("More", 10, 7);
    }
    EXPECT_EQ(ComputePrintLayout(settings, page, &table, fonts, layout),
              status::kPrintTooManyColumns);
    EXPECT_TRUE(sink.exits.empty());
}

TEST(PrintTexts, DateAndPageLine) {
    std::tm time{};
    time.tm_mday = 5;
    time.tm_mon = 2;
    time.tm_year = 124;
    time.tm_hour = 9;
    time.tm_min = 7;
    const std::string date = PrintDateText(time);
    EXPECT_EQ(date, "05 Mar 2024 09:07");
    PrintSettings settings;
    EXPECT_EQ(PrintPageLineText(settings, date, 3), "05 Mar 2024 09:07            Page 3");
    settings.printDate = false;
    EXPECT_EQ(PrintPageLineText(settings, date, 3), "            Page 3");
}

}  // namespace
}  // namespace kelvane

// The counts behind the collection's charts, over the rows shown.
#include "list/CollectionCharts.h"

#include <gmock/gmock.h>

#include "list/ZOLListTestEnv.h"
#include "list/ZOLStatistics.h"

namespace kelvane::test {
namespace {

using ::testing::ElementsAre;
using ::testing::Field;

class CollectionChartsTest : public ListTest {
  protected:
    StyleDataPacket* Add(const std::string& name, int32_t fileId, int32_t tempo,
                         const std::string& signature, const std::string& genre,
                         const std::string& date, const std::string& errors) {
        StyleDataPacket* record = AddRecord({name, "/music/", fileId, 100, "", "", tempo});
        AssignStyleField(*record, kFieldTimeSig, signature);
        AssignStyleField(*record, kFieldStyleType, genre);
        AssignStyleField(*record, kFieldErrors, errors);
        record->SetDateText(date);
        return record;
    }
};

std::vector<std::pair<std::string, long>> Bars(const std::vector<ChartBar>& bars) {
    std::vector<std::pair<std::string, long>> pairs;
    for (const ChartBar& bar : bars) {
        pairs.emplace_back(bar.label, bar.count);
    }
    return pairs;
}

TEST_F(CollectionChartsTest, CountsFollowTheRowsShownAndMatchTheStatistics) {
    Add("a.sty", 1, 120, "4/4", "Pop", "2021-03-01 10:00", "-");
    Add("b.sty", 1, 129, "4/4", "Pop", "2021-05-01 10:00", "-");  // a copy of a.sty
    Add("c.sty", 2, 130, "3/4", "Waltz", "2019-01-01 10:00", "no SInt");
    Add("d.sty", 3, 0, "", "", "", "");
    Add("e.sty", 1, 95, "6/8", "Pop", "2024-12-31 23:59", "midi error");  // another copy
    mgr.ShowFileList();
    CollectionCharts charts = CountCharts(mgr.FileList());
    EXPECT_EQ(charts.rows, 5);
    using P = std::pair<std::string, long>;
    EXPECT_THAT(Bars(charts.tempos),
                ElementsAre(P{"90-99", 1}, P{"120-129", 2}, P{"130-139", 1}, P{"(none)", 1}));
    EXPECT_THAT(Bars(charts.timeSignatures),
                ElementsAre(P{"4/4", 2}, P{"3/4", 1}, P{"6/8", 1}, P{"(none)", 1}));
    EXPECT_THAT(Bars(charts.genres), ElementsAre(P{"Pop", 3}, P{"Waltz", 1}, P{"(none)", 1}));
    EXPECT_THAT(Bars(charts.years),
                ElementsAre(P{"2019", 1}, P{"2021", 2}, P{"2024", 1}, P{"(none)", 1}));
    EXPECT_EQ(charts.problems, 2);
    // With every row shown, the duplicates are those of the statistics.
    EXPECT_EQ(charts.duplicates, 2);
    EXPECT_EQ(CountRecords(mgr).duplicates, charts.duplicates);
    EXPECT_EQ(ChartCountsText(charts, false),
              "Tempo (BPM):\n  90-99\t1\n  120-129\t2\n  130-139\t1\n  (none)\t1\n"
              "Time signatures:\n  4/4\t2\n  3/4\t1\n  6/8\t1\n  (none)\t1\n"
              "Genres:\n  Pop\t3\n  Waltz\t1\n  (none)\t1\n"
              "File dates by year:\n  2019\t1\n  2021\t2\n  2024\t1\n  (none)\t1\n"
              "Duplicate files: 2 / 5 (40 %)\nFiles with problems: 2 / 5 (40 %)\n");

    // Only the unique files shown: one of the three copies stays.
    SetFilterDuplicatesMode(kShowUniqueFiles);
    Rebuild();
    charts = CountCharts(mgr.FileList());
    EXPECT_EQ(charts.rows, 3);
    EXPECT_EQ(charts.duplicates, 0);
    long genreRows = 0;
    for (const ChartBar& bar : charts.genres) {
        genreRows += bar.count;
    }
    EXPECT_EQ(genreRows, 3);
}

TEST_F(CollectionChartsTest, GenresKeepTheFifteenMostFrequentAndSumTheRest) {
    for (int genre = 0; genre < 18; ++genre) {
        for (int copy = 0; copy <= genre % 4; ++copy) {
            Add("g" + std::to_string(genre) + "_" + std::to_string(copy), genre * 10 + copy, 100,
                "4/4", "G" + std::to_string(100 + genre), "2020-01-01 00:00", "-");
        }
    }
    mgr.ShowFileList();
    const CollectionCharts charts = CountCharts(mgr.FileList());
    ASSERT_EQ(charts.genres.size(), kChartGenres + 1);
    // Four genres of 4 and of 3 rows, five of 2, then the 1-row genres by name.
    EXPECT_THAT(charts.genres[0], Field(&ChartBar::label, "G103"));
    EXPECT_THAT(charts.genres[14], Field(&ChartBar::label, "G104"));
    EXPECT_EQ(charts.genres[14].count, 1);
    EXPECT_THAT(charts.genres[15], Field(&ChartBar::label, "(other)"));
    EXPECT_EQ(charts.genres[15].count, 3);
}

}  // namespace
}  // namespace kelvane::test

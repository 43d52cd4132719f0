#include "list/ZOLStatusLine.h"

#include "list/ZOLListTestEnv.h"

namespace kelvane::test {
namespace {

TEST(TotalSizeText, FormatsEveryRangeWithTwoDigitHundredths) {
    EXPECT_EQ(TotalSizeText(0), "");
    EXPECT_EQ(TotalSizeText(-5), "");
    EXPECT_EQ(TotalSizeText(512), "  (total 512 Bytes)");
    EXPECT_EQ(TotalSizeText(1536), "  (total 1.50 KB)");
    EXPECT_EQ(TotalSizeText(1100), "  (total 1.07 KB)");
    EXPECT_EQ(TotalSizeText(1048576 + 82 * 1024), "  (total 1.08 MB)");
    EXPECT_EQ(TotalSizeText(1073741824LL + 20 * 1048576LL), "  (total 1.01 GB)");
    EXPECT_EQ(TotalSizeText(10 * 1024 + 512), "  (total 10.5 KB)");
    EXPECT_EQ(TotalSizeText(100 * 1024 + 1023), "  (total 100 KB)");
    EXPECT_EQ(TotalSizeText(3 * 1048576 + 256 * 1024), "  (total 3.25 MB)");
    EXPECT_EQ(TotalSizeText(12 * 1048576 + 512 * 1024), "  (total 12.5 MB)");
    EXPECT_EQ(TotalSizeText(700 * 1048576LL), "  (total 700 MB)");
    EXPECT_EQ(TotalSizeText(1073741824LL + 512 * 1048576LL), "  (total 1.50 GB)");
}

TEST(TotalSizeText, TotalsBeyondTwoGigabytesKeepTheGigabyteForm) {
    EXPECT_EQ(TotalSizeText(3 * 1073741824LL + 256 * 1048576LL), "  (total 3.25 GB)");
}

StatusLineInputs Walked(long rows, long walked, int mode = kShowAll) {
    StatusLineInputs in;
    in.rows = rows;
    in.walked = walked;
    in.duplicatesMode = mode;
    return in;
}

TEST(StatusLineText, ShowsCountsNounsSizeAndFilter) {
    StatusLineInputs in = Walked(1, 3);
    in.totalSize = 512;
    EXPECT_EQ(StatusLineText(in, StatusFilterText(in)),
              "Showing 1 style out of 3   (total 512 Bytes)     Filter: (no filter specified)");
    in = Walked(2, 4, kShowUniqueFiles);
    in.hiddenInGroups = 2;
    in.styleFilterDescription = " [Style Name=pop]";
    EXPECT_EQ(StatusLineText(in, StatusFilterText(in)),
              "Showing 2 styles out of 2 (+ 2 hidden duplicates)     Filter:  [Style Name=pop] ");
    in = Walked(3, 4, kShowRelatedScores);
    in.hiddenSingles = 1;
    EXPECT_EQ(StatusLineText(in, "F"), "Showing 3 styles out of 3 (+ 1 hidden uniques)     F");
    in = Walked(2, 3, kShowUniqueScores);
    in.hiddenInGroups = 1;
    EXPECT_EQ(StatusLineText(in, "F"), "Showing 2 styles out of 2 (+ 1 hidden tweaks)     F");
}

TEST(StatusLineText, SongAndMidiNounsAndTheSongFilter) {
    StatusLineInputs in = Walked(1, 1);
    in.kind = ListKind::Songs;
    in.totalSize = 5000;  // the song list has no size
    in.songFilterDescription = " [Genre=Pop]";
    EXPECT_EQ(StatusLineText(in, StatusFilterText(in)),
              "Showing 1 song out of 1      Filter:   [Genre=Pop]");
    in.midiMode = true;
    in.kind = ListKind::Files;
    in.rows = 2;
    in.walked = 2;
    EXPECT_EQ(StatusFilterText(in), "Filter: (no filter specified)");
    EXPECT_EQ(StatusLineText(in, "F").substr(0, 26), "Showing 2 midis out of 2  ");
}

TEST(StatusLineText, NothingWalkedNamesTheFolderWithPluralNouns) {
    StatusLineInputs in;
    in.folder = "/home/u/styles/";
    in.withSubfolders = true;
    EXPECT_EQ(StatusLineText(in, ""),
              "No styles files found in /home/u/styles/ and all subdirectories");
    in.withSubfolders = false;
    EXPECT_EQ(StatusLineText(in, ""), "No styles files found in /home/u/styles/");
    in.kind = ListKind::Songs;
    EXPECT_EQ(StatusLineText(in, ""), "No songs found in /home/u/styles/");
    in.midiMode = true;
    in.kind = ListKind::Files;
    EXPECT_EQ(StatusLineText(in, ""), "No midis files found in /home/u/styles/");
}

using ListStatusTest = ListTest;

TEST_F(ListStatusTest, RebuildWritesTheStatusLineAndTheFilterTextForOutputs) {
    mgr.SetCurrentFolder("/styles/", true);
    mgr.ShowFileList();
    EXPECT_EQ(panes.texts.back(), "No styles files found in /styles/ and all subdirectories");
    AddRecord({"a.sty", "/styles/", 1, 1536, "", "Pop Beat"});
    FilterInputs inputs;
    inputs.fields[kFieldStyleName] = "pop";
    ASSERT_EQ(StyleFilterDialog().Confirm(inputs, kShowAll, nullptr), 0);
    Rebuild();
    EXPECT_EQ(panes.texts.back(),
              "Showing 1 style out of 1   (total 1.50 KB)     Filter:  [Style Name=pop] ");
    mgr.ShowSongList();
    EXPECT_EQ(mgr.FilterText(), "Filter:  [Style Name=pop] ");
}

}  // namespace
}  // namespace kelvane::test

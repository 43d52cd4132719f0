#include "list/ZOLDuplicatesMode.h"

#include "list/ZOLListTestEnv.h"

namespace kelvane::test {
namespace {

class DuplicatesModeTest : public ListTest {
  protected:
    void ShowMode(int mode) {
        mgr.ShowFileList();
        mgr.SetDuplicatesMode(mode);
    }
    const ListCounters& Counters() { return mgr.FileList().Counters(); }
};

TEST_F(DuplicatesModeTest, ThreeIdenticalAndOneOtherInUniqueAndDuplicateModes) {
    AddRecord({"a1", "/x/", 11, 100});
    AddRecord({"other", "/x/", 22, 300});
    AddRecord({"a2", "/y/", 11, 100});
    AddRecord({"a3", "/z/", 11, 100});
    ShowMode(kShowUniqueFiles);
    EXPECT_EQ(mgr.RowCount(), 2);
    EXPECT_EQ(Counters().hiddenInGroups, 2);
    EXPECT_EQ(Counters().totalSize, 400);
    EXPECT_NE(panes.texts.back().find("Showing 2 styles out of 2 (+ 2 hidden duplicates)"),
              std::string::npos);
    mgr.SetDuplicatesMode(kShowDuplicateFiles);
    EXPECT_EQ(mgr.RowCount(), 3);
    EXPECT_EQ(Counters().hiddenSingles, 1);
    EXPECT_EQ(Counters().totalSize, 300);
    for (long row = 0; row < 3; ++row) {
        EXPECT_EQ(mgr.StyleRecordOfRow(row)->Number(kFieldFileId), 11);
    }
}

TEST_F(DuplicatesModeTest, EqualFileIdWithOtherSizeIsNotIdentical) {
    AddRecord({"a", "/x/", 11, 100});
    AddRecord({"b", "/x/", 11, 101});
    ShowMode(kShowUniqueFiles);
    EXPECT_EQ(mgr.RowCount(), 2);
    mgr.SetDuplicatesMode(kShowDuplicateFiles);
    EXPECT_EQ(mgr.RowCount(), 0);
    EXPECT_EQ(Counters().hiddenSingles, 2);
    EXPECT_EQ(Counters().totalSize, 0);
}

TEST_F(DuplicatesModeTest, LongerAuxWinsWhateverTheScanOrder) {
    for (bool richFirst : {true, false}) {
        ClearAllRecords();
        AddRecord({richFirst ? "rich" : "plain", "/x/", 3, 10, richFirst ? "collected" : ""});
        AddRecord({richFirst ? "plain" : "rich", "/x/", 3, 10, richFirst ? "" : "collected"});
        ShowMode(kShowUniqueFiles);
        ASSERT_EQ(mgr.RowCount(), 1);
        EXPECT_EQ(FileRows(), Names{"rich"});
        EXPECT_EQ(mgr.StyleRecordOfRow(0)->keepMark, 1);
    }
}

TEST_F(DuplicatesModeTest, FilteredPartnerLeavesASingleThatDuplicateModeHides) {
    AddRecord({"keep", "/x/", 3, 10, "", "Rock"});
    AddRecord({"drop", "/y/", 3, 10, "", "Jazz"});
    FilterInputs inputs;
    inputs.fields[kFieldStyleName] = "rock";
    ASSERT_EQ(StyleFilterDialog().Confirm(inputs, kShowDuplicateFiles, nullptr), 0);
    mgr.ShowFileList();
    EXPECT_EQ(mgr.RowCount(), 0);
    EXPECT_EQ(Counters().walked, 2);
    EXPECT_EQ(Counters().hiddenSingles, 1);
}

TEST_F(DuplicatesModeTest, RelatedScoresGroupByRelatedIdWhateverTheSize) {
    StyleDataPacket* a = AddRecord({"a", "/x/", 1, 10});
    StyleDataPacket* b = AddRecord({"b", "/x/", 2, 99});
    StyleDataPacket* c = AddRecord({"c", "/x/", 3, 10});
    a->SetNumber(kFieldRelatedId, 42);
    b->SetNumber(kFieldRelatedId, 42);
    c->SetNumber(kFieldRelatedId, 7);
    ShowMode(kShowRelatedScores);
    EXPECT_EQ(FileRows(), (Names{"a", "b"}));
    mgr.SetDuplicatesMode(kShowUniqueScores);
    EXPECT_EQ(mgr.RowCount(), 2);
    EXPECT_EQ(Counters().hiddenInGroups, 1);
    EXPECT_NE(panes.texts.back().find("(+ 1 hidden tweaks)"), std::string::npos);
}

TEST_F(DuplicatesModeTest, BackgroundTurnsYellowForModesAndFiltersAndWhiteWhenCleared) {
    AddNamed("a");
    ShowMode(kShowRelatedScores);
    EXPECT_EQ(fileDisplay.background, kFilterActiveBackground);
    mgr.ClearAllFilters();
    EXPECT_EQ(fileDisplay.background, kWhiteBackground);
    Config().changeBackgroundColorIfFilterIsActive = 0;
    mgr.SetDuplicatesMode(kShowUniqueFiles);
    EXPECT_EQ(fileDisplay.background, kWhiteBackground);
}

TEST_F(DuplicatesModeTest, SongListColoursByItsOwnFilter) {
    StyleDataPacket* record = AddNamed("a");
    AddSong(record, "Yesterday");
    FilterInputs styleInputs;
    styleInputs.fields[kFieldFilename] = "a";
    ASSERT_EQ(StyleFilterDialog().Confirm(styleInputs, kShowAll, nullptr), 0);
    mgr.ShowSongList();
    EXPECT_EQ(songDisplay.background, kWhiteBackground);
    FilterInputs songInputs;
    songInputs.fields[kSongFieldTitle] = "yes";
    ASSERT_EQ(SongFilterDialog().Confirm(songInputs, -1, nullptr), 0);
    Rebuild();
    EXPECT_EQ(songDisplay.background, kFilterActiveBackground);
}

TEST_F(DuplicatesModeTest, ClearingTheStyleFilterReturnsToShowAll) {
    AddRecord({"a", "/x/", 1, 10});
    AddRecord({"b", "/x/", 1, 10});
    ShowMode(kShowUniqueFiles);
    ASSERT_EQ(mgr.RowCount(), 1);
    mgr.ClearFilterOfView();
    EXPECT_EQ(FilterDuplicatesMode(), kShowAll);
    EXPECT_EQ(mgr.RowCount(), 2);
}

TEST_F(DuplicatesModeTest, IllegalModesAreReportedAndChangeNothing) {
    SetFilterDuplicatesMode(kShowUniqueScores);
    EXPECT_FALSE(SetFilterDuplicatesMode(5));
    EXPECT_EQ(FilterDuplicatesMode(), kShowUniqueScores);
    EXPECT_TRUE(sink.BoxContains("Internal Error - Illegal filter duplicates mode"));
    EXPECT_EQ(DuplicatesModeOfRadioButton(2), kShowUniqueScores);
    EXPECT_EQ(DuplicatesModeOfRadioButton(3), kShowDuplicateFiles);
    EXPECT_EQ(RadioButtonOfDuplicatesMode(kShowRelatedScores), 4);
    EXPECT_EQ(RadioButtonOfDuplicatesMode(-1), -1);
}

TEST_F(DuplicatesModeTest, MidiModeRuleComparesArtistBeforeSong) {
    Start(kRunModeMidi);
    StyleDataPacket* withArtist = AddRecord({"a.mid", "/x/", 1, 10});
    StyleDataPacket* withSong = AddRecord({"b.mid", "/x/", 1, 10});
    AssignStyleField(*withArtist, kFieldArtist, "Band");
    AssignStyleField(*withSong, kFieldSong, "A long song title");
    EXPECT_GT(CompareRepresentatives(*withArtist, *withSong), 0);
    EXPECT_EQ(CompareRepresentatives(*withArtist, *withArtist), 0);
}

}  // namespace
}  // namespace kelvane::test

#include "list/TypeAheadSearch.h"
#include "list/ZOLListTestEnv.h"
#include "list/ZOLSortSequence.h"

namespace kelvane::test {
namespace {

class ListSortTest : public ListTest {
  protected:
    void TearDown() override {
        SelectSortSequence("Default");
        ListTest::TearDown();
    }
    CMyListCtrl& Files() { return mgr.FileList(); }
};

TEST_F(ListSortTest, SameHeaderThreeTimesSortsAscendingDescendingAscending) {
    AddNamed("b");
    AddNamed("c");
    AddNamed("a");
    ShowColumns(Files(), {kFieldFilename, kFieldFilesize});
    mgr.ShowFileList();
    Files().SortByColumn(0, false);
    EXPECT_EQ(FileRows(), (Names{"a", "b", "c"}));
    EXPECT_EQ(Files().HeaderImageOf(0), HeaderImage::PrimaryAscending);
    Files().SortByColumn(0, false);
    EXPECT_EQ(FileRows(), (Names{"c", "b", "a"}));
    EXPECT_EQ(Files().HeaderImageOf(0), HeaderImage::PrimaryDescending);
    Files().SortByColumn(0, false);
    EXPECT_EQ(FileRows(), (Names{"a", "b", "c"}));
    EXPECT_TRUE(panes.texts.size() >= 3);
}

TEST_F(ListSortTest, ControlClickWithoutPrimarySetsThePrimaryKey) {
    AddNamed("b");
    AddNamed("a");
    ShowColumns(Files(), {kFieldFilename, kFieldFilesize});
    mgr.ShowFileList();
    Files().SortByColumn(0, true);
    EXPECT_EQ(Files().GetSortState().primaryField, kFieldFilename);
    EXPECT_EQ(Files().GetSortState().secondaryField, -1);
    EXPECT_EQ(FileRows(), (Names{"a", "b"}));
}

TEST_F(ListSortTest, SecondaryKeyBreaksTiesAndANewPrimaryDropsIt) {
    AddRecord({"x", "/m/", 1, 200});
    AddRecord({"y", "/m/", 2, 100});
    AddRecord({"x", "/m/", 3, 100});
    ShowColumns(Files(), {kFieldFilename, kFieldFilesize});
    mgr.ShowFileList();
    Files().SortByColumn(0, false);
    Files().SortByColumn(1, true);
    Files().SortByColumn(1, true);  // secondary now descending
    ASSERT_EQ(Files().HeaderImageOf(1), HeaderImage::SecondaryDescending);
    std::vector<int32_t> sizes;
    for (long row = 0; row < Files().RowCount(); ++row) {
        sizes.push_back(Files().StyleRecordOfRow(row)->Number(kFieldFilesize));
    }
    EXPECT_EQ(sizes, (std::vector<int32_t>{200, 100, 100}));
    Files().SortByColumn(1, false);
    const SortStateValues state = Files().GetSortState();
    EXPECT_EQ(state.primaryField, kFieldFilesize);
    EXPECT_EQ(state.secondaryField, -1);
    EXPECT_EQ(Files().HeaderImageOf(0), HeaderImage::None);
}

TEST_F(ListSortTest, DuplicatesColumnOrdersEqualIdsBySizeInItsDirection) {
    AddRecord({"big", "/m/", 9, 300});
    AddRecord({"other", "/m/", 4, 50});
    AddRecord({"small", "/m/", 9, 100});
    ShowColumns(Files(), {kFieldFilename, kFieldDuplicates});
    mgr.ShowFileList();
    Files().SortByColumn(1, false);
    EXPECT_EQ(FileRows(), (Names{"other", "small", "big"}));
    Files().SortByColumn(1, false);
    EXPECT_EQ(FileRows(), (Names{"big", "small", "other"}));
}

TEST_F(ListSortTest, TextSortingFollowsTheSortSequenceInForce) {
    AddNamed("abc");
    AddNamed("ABD");
    AddNamed("Zebra");
    AddNamed("apple");
    ShowColumns(Files(), {kFieldFilename});
    mgr.ShowFileList();
    Files().SortByColumn(0, false);
    EXPECT_EQ(FileRows(), (Names{"abc", "ABD", "apple", "Zebra"}));
    SelectSortSequence("Modern");
    AddNamed("Abc");
    Rebuild();
    const Names rows = FileRows();
    const auto position = [&](const std::string& name) {
        return std::find(rows.begin(), rows.end(), name) - rows.begin();
    };
    EXPECT_LT(position("Abc"), position("abc"));
    EXPECT_LT(position("apple"), position("Zebra"));
}

TEST_F(ListSortTest, RebuildAfterThePrimaryColumnWasRemovedKeepsRecordListOrder) {
    AddNamed("c");
    AddNamed("a");
    AddNamed("b");
    ShowColumns(Files(), {kFieldFilename, kFieldFilesize});
    mgr.ShowFileList();
    Files().SortByColumn(0, false);
    ASSERT_EQ(FileRows(), (Names{"a", "b", "c"}));
    ShowColumns(Files(), {kFieldFilesize});
    Rebuild();
    EXPECT_EQ(FileRows(), (Names{"c", "a", "b"}));
    ShowColumns(Files(), {kFieldFilesize, kFieldFilename});
    Rebuild();
    EXPECT_EQ(FileRows(), (Names{"a", "b", "c"}));  // the stored key applies again once shown
}

TEST_F(ListSortTest, ClicksAreIgnoredWhileSuspendedAndOnTheRowNumberColumn) {
    AddNamed("b");
    AddNamed("a");
    Files().SetRowNumberVisible(true);
    ShowColumns(Files(), {kFieldFilename});
    mgr.ShowFileList();
    Files().SortByColumn(0, false);
    EXPECT_EQ(Files().GetSortState().primaryField, -1);
    Files().Suspend();
    Files().SortByColumn(1, false);
    EXPECT_EQ(Files().GetSortState().primaryField, -1);
    Files().Resume();
    Files().SortByColumn(1, false);
    EXPECT_EQ(FileRows(), (Names{"a", "b"}));
}

TEST_F(ListSortTest, SetSortStateWithZeroLeavesThatKey) {
    ShowColumns(Files(), {kFieldFilename, kFieldTempo});
    Files().SetSortState({kFieldTempo, kFieldFilename, 0, 1});
    Files().SetSortState({0, -1, 1, 1});
    const SortStateValues state = Files().GetSortState();
    EXPECT_EQ(state.primaryField, kFieldTempo);
    EXPECT_EQ(state.primaryAscending, 0);
    EXPECT_EQ(state.secondaryField, -1);
}

TEST_F(ListSortTest, TypeAheadFindsTheLetterInEitherCaseOrTheNextGreaterName) {
    AddNamed("apple");
    AddNamed("Banana");
    AddNamed("cherry");
    AddNamed("dates");
    ShowColumns(Files(), {kFieldTempo, kFieldFilename});
    mgr.ShowFileList();
    Files().SortByColumn(1, false);
    EXPECT_EQ(Files().TypeAheadRow('b'), 1);
    EXPECT_EQ(Files().TypeAheadRow('B'), 1);
    AddNamed("Cider");
    Rebuild();  // apple Banana cherry Cider dates
    EXPECT_EQ(Files().TypeAheadRow('c'), 2);
    EXPECT_EQ(Files().TypeAheadRow(31), -1);
    Files().SortByColumn(1, false);  // descending: dates Cider cherry Banana apple
    EXPECT_EQ(Files().TypeAheadRow('c'), 1);
    EXPECT_EQ(Files().TypeAhead('a'), 4);
    EXPECT_EQ(fileDisplay.visibleRows.back(), 4);
    EXPECT_EQ(Files().SelectedCount(), 0);
}

TEST_F(ListSortTest, TypedTextFindsTheNextRowStartingWithItAndWraps) {
    for (const char* name : {"bossa", "Bolero", "boogie", "Samba", "bolero2", "\xc3\x84rger"}) {
        AddNamed(name);
    }
    ShowColumns(Files(), {kFieldTempo, kFieldFilename});
    mgr.ShowFileList();
    Files().SortByColumn(1, false);  // Bolero bolero2 boogie bossa Samba Ärger (bytes > 127 last)
    EXPECT_EQ(TypeAheadColumn(Files()), 1);
    const auto row = [this](const char* typed, long start) {
        const long found = TypeAheadSearch(Files(), typed, start);
        std::string buffer;
        return found < 0 ? std::string("-") : std::string(Files().CellText(found, 1, buffer));
    };
    EXPECT_EQ(row("bo", 0), "Bolero");
    EXPECT_EQ(row("BOL", 1), "bolero2");  // case does not matter; the search starts at row 1
    EXPECT_EQ(row("bol", 2), "Bolero");   // wraps around to the top
    EXPECT_EQ(row("boo", 0), "boogie");
    EXPECT_EQ(row("\xc3\xa4r", 0), "\xc3\x84rger");  // Latin letters fold too
    EXPECT_EQ(row("bx", 0), "-");  // several characters that match nothing: no row
    // One character that starts no name keeps the single-key rule: the row where it would stand.
    EXPECT_EQ(row("r", 0), "Samba");
    // Sorted by the row-number column, or not at all, the file name column is searched.
    ShowColumns(Files(), {kFieldFilename, kFieldTempo});
    mgr.ShowFileList();
    EXPECT_EQ(TypeAheadColumn(Files()), 1);
}

TEST_F(ListSortTest, SongListSortsByStyleLinkAndStatusColumns) {
    StyleDataPacket* b = AddNamed("b.sty");
    StyleDataPacket* a = AddNamed("a.sty");
    AddSong(b, "one", kSongStatusNotInStyleFile);
    AddSong(a, "two", kSongStatusInStyleFile);
    mgr.ShowSongList();
    ShowColumns(mgr.SongList(), {kSongFieldTitle, kSongFieldStyleFilename, kSongFieldStatus});
    mgr.SongList().SortByColumn(1, false);
    EXPECT_EQ(mgr.SongList().StyleRecordOfRow(0), a);
    mgr.SongList().SortByColumn(2, false);
    EXPECT_EQ(mgr.SongList().SongRecordOfRow(0)->Status(), kSongStatusInStyleFile);
}

}  // namespace
}  // namespace kelvane::test

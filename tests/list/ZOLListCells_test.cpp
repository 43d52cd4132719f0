#include "list/ZOLListTestEnv.h"

namespace kelvane::test {
namespace {

class ListCellsTest : public ListTest {
  protected:
    std::string Cell(const CMyListCtrl& list, long row, int column) {
        return std::string(list.CellText(row, column, buffer));
    }
    std::string buffer;
};

TEST_F(ListCellsTest, TextsNumbersDatesAndRowNumbers) {
    StyleDataPacket* record = AddRecord({"a.sty", "/m/", 7, 2048, "", "", 120});
    record->SetDateText("2003-05-30 12:00");
    CMyListCtrl& files = mgr.FileList();
    files.SetRowNumberVisible(true);
    ShowColumns(files, {kFieldFilename, kFieldTempo, kFieldFiledate});
    mgr.ShowFileList();
    EXPECT_EQ(Cell(files, 0, 0), "1");
    EXPECT_EQ(Cell(files, 0, 1), "a.sty");
    EXPECT_EQ(Cell(files, 0, 2), "120");
    EXPECT_EQ(Cell(files, 0, 3), "2003-05-30 12:00");
    EXPECT_EQ(Cell(files, 1, 1), "");
    EXPECT_EQ(Cell(files, -1, 1), "");
    files.Suspend();
    EXPECT_EQ(Cell(files, 0, 1), "");
}

TEST_F(ListCellsTest, GroupColumnsAskForSortingUnlessTheyAreThePrimaryKey) {
    AddRecord({"a", "/m/", 5, 100});
    CMyListCtrl& files = mgr.FileList();
    ShowColumns(files, {kFieldFilename, kFieldDuplicates, kFieldRelatedId});
    mgr.ShowFileList();
    files.SortByColumn(0, false);
    EXPECT_EQ(Cell(files, 0, 2), "? (sort column to see the info)");
    EXPECT_EQ(files.CellMarker(0, 2), GroupMarker::None);
    files.SortByColumn(2, false);
    EXPECT_EQ(Cell(files, 0, 2), "");
    EXPECT_EQ(files.CellMarker(0, 2), GroupMarker::NotInGroup);
    EXPECT_EQ(Cell(files, 0, 1), "? (sort column to see the info)");
}

TEST_F(ListCellsTest, MarkersCompareRowsWithTheirNeighbours) {
    AddRecord({"a1", "/m/", 5, 100});
    AddRecord({"a2", "/m/", 5, 100});
    AddRecord({"a3", "/m/", 5, 100});
    AddRecord({"b", "/m/", 5, 200});  // same id, other size: not identical
    AddRecord({"c1", "/m/", 8, 100});
    AddRecord({"c2", "/m/", 8, 100});
    CMyListCtrl& files = mgr.FileList();
    ShowColumns(files, {kFieldDuplicates, kFieldFilename});
    mgr.ShowFileList();
    files.SortByColumn(0, false);
    std::vector<GroupMarker> markers;
    for (long row = 0; row < files.RowCount(); ++row) {
        markers.push_back(files.CellMarker(row, 0));
    }
    EXPECT_EQ(markers, (std::vector<GroupMarker>{GroupMarker::GroupStart, GroupMarker::GroupMiddle,
                                                 GroupMarker::GroupEnd, GroupMarker::NotInGroup,
                                                 GroupMarker::GroupStart, GroupMarker::GroupEnd}));
    EXPECT_EQ(files.CellMarker(0, 1), GroupMarker::None);
}

TEST_F(ListCellsTest, SongCellsShowStatusTextsAndTheStyleFile) {
    StyleDataPacket* record = AddRecord({"bossa.sty", "/s/", 1, 10});
    AddSong(record, "Girl", kSongStatusInStyleFile);
    AddSong(record, "Wave", kSongStatusNotInStyleFile);
    AddSong(record, "Odd", 5);
    CMyListCtrl& songs = mgr.SongList();
    ShowColumns(songs,
                {kSongFieldTitle, kSongFieldStatus, kSongFieldStyleFilename, kSongFieldStylePath});
    mgr.ShowSongList();
    EXPECT_EQ(Cell(songs, 0, 1), "In style file");
    EXPECT_EQ(Cell(songs, 1, 1), "Not in style file");
    EXPECT_EQ(Cell(songs, 2, 1), "Undefined");
    EXPECT_EQ(Cell(songs, 2, 2), "bossa.sty");
    EXPECT_EQ(Cell(songs, 2, 3), "/s/");
}

}  // namespace
}  // namespace kelvane::test

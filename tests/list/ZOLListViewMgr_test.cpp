#include "list/ZOLListViewMgr.h"

#include "list/ZOLListTestEnv.h"

namespace kelvane::test {
namespace {

using ListViewMgrTest = ListTest;

TEST_F(ListViewMgrTest, SongListRebuildsOnceAfterTwoFileRebuildsAndFileListStaysBuilt) {
    StyleDataPacket* record = AddNamed("a.sty");
    AddSong(record, "Yesterday");
    mgr.ShowFileList();
    Rebuild();
    Rebuild();
    const long fileRebuilds = mgr.FileList().RebuildCount();
    mgr.ShowSongList();
    EXPECT_EQ(mgr.SongList().RebuildCount(), 1);
    EXPECT_EQ(mgr.RowCount(), 1);
    mgr.ShowFileList();
    EXPECT_EQ(mgr.FileList().RebuildCount(), fileRebuilds);
    mgr.ShowSongList();
    EXPECT_EQ(mgr.SongList().RebuildCount(), 1);
}

TEST_F(ListViewMgrTest, InvalidatedListRebuildsWhenShownAgain) {
    AddNamed("a.sty");
    mgr.ShowFileList();
    mgr.Invalidate(1);
    mgr.ShowFileList();
    EXPECT_EQ(mgr.FileList().RebuildCount(), 1);
    mgr.Invalidate(0);
    mgr.ShowFileList();
    EXPECT_EQ(mgr.FileList().RebuildCount(), 2);
}

TEST_F(ListViewMgrTest, NextSelectedWalksTheSelectionAndEndsWithZero) {
    for (int i = 0; i < 12; ++i) {
        AddNamed("f" + std::to_string(i));
    }
    mgr.ShowFileList();
    for (long row : {2L, 5L, 9L}) {
        mgr.FileList().Select(row);
    }
    long cursor = mgr.FirstSelectedRowNumber();
    ASSERT_EQ(cursor, 3);
    std::vector<long> rows;
    while (cursor != 0) {
        rows.push_back(mgr.NextSelected(cursor));
    }
    EXPECT_EQ(rows, (std::vector<long>{2, 5, 9}));
    EXPECT_EQ(mgr.SelectedCount(), 3);
}

TEST_F(ListViewMgrTest, RowAccessOutsideTheRowsAndOnTheWrongListGivesNone) {
    StyleDataPacket* record = AddNamed("a.sty");
    SongDataPacket* song = AddSong(record, "Song");
    mgr.ShowFileList();
    EXPECT_EQ(mgr.StyleRecordOfRow(0), record);
    EXPECT_EQ(mgr.StyleRecordOfRow(1), nullptr);
    EXPECT_EQ(mgr.StyleRecordOfRow(-1), nullptr);
    EXPECT_EQ(mgr.SongRecordOfRow(0), nullptr);
    mgr.ShowSongList();
    EXPECT_EQ(mgr.SongRecordOfRow(0), song);
    EXPECT_EQ(mgr.StyleRecordOfRow(0), record);
}

TEST_F(ListViewMgrTest, UnreadyListAndIllegalModeGiveNeutralValues) {
    CZOLListViewMgr fresh;
    EXPECT_FALSE(fresh.IsReady());
    EXPECT_EQ(fresh.FieldIdOfColumn(0), kFieldNone);
    EXPECT_TRUE(fresh.RowNumberVisible());
    EXPECT_TRUE(sink.boxes.empty());
    mgr.SetViewMode(7);
    EXPECT_EQ(mgr.RowCount(), 0);
    EXPECT_EQ(mgr.FirstSelectedRowNumber(), 0);
    EXPECT_TRUE(sink.BoxContains("Internal Error - Illegal case for view mode"));
}

TEST_F(ListViewMgrTest, RemovedRecordIsInNeitherListAfterRebuild) {
    StyleDataPacket* keep = AddNamed("keep.sty");
    StyleDataPacket* gone = AddNamed("gone.sty");
    AddSong(keep, "Kept");
    AddSong(gone, "Gone");
    mgr.ShowSongList();
    mgr.ShowFileList();
    ASSERT_EQ(mgr.RowCount(), 2);
    RecordStore().records.Remove(gone);
    ReleaseStyleRecord(gone);
    Rebuild();
    EXPECT_EQ(FileRows(), Names{"keep.sty"});
    mgr.ShowSongList();
    ASSERT_EQ(mgr.RowCount(), 1);
    EXPECT_EQ(mgr.StyleRecordOfRow(0), keep);
}

TEST_F(ListViewMgrTest, RebuildKeepsTheSameRecordsSelectedWhenRowsMove) {
    AddNamed("c.sty");
    StyleDataPacket* b = AddNamed("b.sty");
    AddNamed("a.sty");
    ShowColumns(mgr.FileList(), {kFieldFilename});
    mgr.ShowFileList();
    mgr.FileList().Select(1);  // b
    mgr.FileList().SortByColumn(0, false);
    EXPECT_EQ(FileRows(), (Names{"a.sty", "b.sty", "c.sty"}));
    EXPECT_TRUE(mgr.FileList().IsSelected(1));
    AddNamed("0.sty");
    mgr.ForceRebuild(true, nullptr, true);
    ASSERT_EQ(mgr.SelectedCount(), 1);
    EXPECT_EQ(mgr.StyleRecordOfRow(mgr.FirstSelectedRowNumber() - 1), b);
    EXPECT_EQ(mgr.FirstSelectedRowNumber(), 3);
}

TEST_F(ListViewMgrTest, RebuildBringsTheRecordIntoViewOrTheLastRow) {
    AddNamed("a.sty");
    StyleDataPacket* b = AddNamed("b.sty");
    AddNamed("c.sty");
    mgr.ShowFileList();
    mgr.ForceRebuild(false, b, false);
    EXPECT_EQ(fileDisplay.visibleRows.back(), 1);
    StyleDataPacket* absent = NewStyleRecord();
    mgr.ForceRebuild(false, absent, false);
    EXPECT_EQ(fileDisplay.visibleRows.back(), 2);
    ReleaseStyleRecord(absent);
}

TEST_F(ListViewMgrTest, ClearingBothListsEmptiesRowsAndReleasesRecords) {
    AddRecord({"a.sty", "/m/", 1, 500});
    mgr.ShowFileList();
    ASSERT_EQ(mgr.FileList().Counters().totalSize, 500);
    mgr.ClearBothLists();
    EXPECT_EQ(mgr.FileList().RowCount(), 0);
    EXPECT_EQ(mgr.FileList().Counters().totalSize, 0);
    EXPECT_TRUE(mgr.FileList().IsSuspended());
    EXPECT_TRUE(RecordStore().records.empty());
}

TEST_F(ListViewMgrTest, RowCapacityGrowsInSteps) {
    CMyListCtrl& list = mgr.FileList();
    EXPECT_EQ(list.RowCapacity(), 5000);
    StyleDataPacket* record = AddNamed("x");
    for (int i = 0; i < 5001; ++i) {
        ASSERT_TRUE(list.AppendRow({record, nullptr}));
    }
    EXPECT_EQ(list.RowCapacity(), 6000);
    EXPECT_EQ(list.RowCount(), 5001);
}

TEST_F(ListViewMgrTest, ReplacingInAnEmptyListIsReportedAndTheSongListIgnoresIt) {
    StyleDataPacket* record = AddNamed("x");
    mgr.FileList().ReplaceLastRow({record, nullptr});
    EXPECT_EQ(mgr.FileList().RowCount(), 0);
    EXPECT_TRUE(sink.BoxContains("Cannot replace item in empty list"));
    SongDataPacket* song = AddSong(record, "s");
    ASSERT_TRUE(mgr.SongList().AppendRow({record, song}));
    mgr.SongList().ReplaceLastRow({record, nullptr});
    EXPECT_EQ(mgr.SongList().SongRecordOfRow(0), song);
}

TEST_F(ListViewMgrTest, ScrollingCommandsPickTheDescribedRows) {
    for (int i = 0; i < 20; ++i) {
        AddNamed("f" + std::to_string(i));
    }
    mgr.ShowFileList();
    EXPECT_EQ(mgr.GoToLine(-1, 0), -1);
    EXPECT_EQ(mgr.GoToLine(25, 0), 19);
    EXPECT_EQ(mgr.GoToLine(20, 0), 19);
    EXPECT_EQ(mgr.GoToLine(5, 0), 5);
    EXPECT_EQ(mgr.GoToLine(5, 8), 4);  // the line is above the first visible row
    mgr.FileList().Select(3);
    mgr.FileList().Select(15);
    EXPECT_EQ(mgr.GoToNextSelectedLine(9), 15);
    EXPECT_EQ(mgr.GoToNextSelectedLine(15), 19);
    EXPECT_EQ(mgr.GoToPreviousSelectedLine(10), 3);
    EXPECT_EQ(mgr.GoToPreviousSelectedLine(3), 0);
    EXPECT_EQ(mgr.GoToPreviousSelectedLine(0), -1);
}

TEST_F(ListViewMgrTest, GoToLineInputNeedsANumberAtItsStart) {
    long line = 0;
    EXPECT_TRUE(ParseGoToLineInput(" 42abc", line));
    EXPECT_EQ(line, 42);
    EXPECT_TRUE(ParseGoToLineInput("-3", line));
    EXPECT_EQ(line, -3);
    EXPECT_FALSE(ParseGoToLineInput("abc", line));
    EXPECT_FALSE(ParseGoToLineInput("", line));
    EXPECT_FALSE(ParseGoToLineInput("99999999999999999999", line));
}

TEST_F(ListViewMgrTest, DraggedPathsAreTheSelectedFilesAndTheStylesOfSongs) {
    StyleDataPacket* a = AddRecord({"a.sty", "/one/"});
    AddRecord({"b.sty", "/two/"});
    AddSong(a, "s1");
    AddSong(a, "s2");
    mgr.ShowFileList();
    mgr.FileList().Select(1);
    EXPECT_EQ(mgr.FileList().SelectedFilePaths(), Names{"/two/b.sty"});
    mgr.ShowSongList();
    mgr.SelectAll();
    EXPECT_EQ(mgr.SongList().SelectedFilePaths(), (Names{"/one/a.sty", "/one/a.sty"}));
}

TEST_F(ListViewMgrTest, ProgramManagerDropsItsRowsWhenTheRecordsAreCleared) {
    CZOLListViewMgr& program = ListViewMgr();
    program.RegisterList(ListKind::Files, nullptr);
    program.ShowFileList();
    AddNamed("a.sty");
    program.ForceRebuild(false, nullptr, false);
    ASSERT_EQ(program.RowCount(), 1);
    ClearAllRecords();
    EXPECT_EQ(program.RowCount(), 0);
}

TEST_F(ListViewMgrTest, KeepSelectedFileRowsKeepsOnlyTheRowsTheSelectorReports) {
    AddNamed("ok.sty");
    AddNamed(std::string(65, 'x') + ".sty");
    AddNamed("fine.sty");
    mgr.ShowFileList();
    bool choose = false;
    const FileRowSelector longNames =
        [&](std::span<const FileRowName> rows) -> std::optional<std::vector<size_t>> {
        if (!choose) {
            return std::nullopt;
        }
        std::vector<size_t> found;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].fileName.size() > 64) {
                found.push_back(i);
            }
        }
        return found;
    };
    EXPECT_EQ(mgr.KeepSelectedFileRows("Working", longNames), -1);
    EXPECT_EQ(mgr.RowCount(), 3);
    choose = true;
    EXPECT_EQ(mgr.KeepSelectedFileRows("Working", longNames), 1);
    EXPECT_EQ(FileRows(), Names{std::string(65, 'x') + ".sty"});
    mgr.ShowSongList();
    EXPECT_EQ(mgr.KeepSelectedFileRows("Working", longNames), -1);
    EXPECT_TRUE(sink.BoxContains("This function is not available in this mode"));
}

}  // namespace
}  // namespace kelvane::test

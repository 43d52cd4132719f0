// Shared set-up of the list tests: a fresh record store in a chosen run mode, cleared filters
// and mode, a list view manager of the test's own with recording displays, and builders of
// records and songs through the records API.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list/ZOLDuplicatesMode.h"
#include "list/ZOLFilterDlgLogic.h"
#include "list/ZOLListViewMgr.h"
#include "list/ZOLStatusLine.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLSongData.h"
#include "records/ZOLStyleData.h"
#include "support/NUVUserInterface.h"
#include "support/TestEnv.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane::test {

// What the list told its widget.
class RecordingDisplay : public IListDisplay {
  public:
    void RowsChanged(long rowCount, bool) override { announcedRows.push_back(rowCount); }
    void EnsureVisible(long row) override { visibleRows.push_back(row); }
    void BackgroundChanged(RgbColour colour) override { background = colour; }
    void AutoSizeColumn(int column) override { platformSized.push_back(column); }
    // Every byte is 10 pixels wide, so widths are easy to predict.
    int TextWidth(std::string_view text) const override {
        return static_cast<int>(text.size()) * 10;
    }

    std::vector<long> announcedRows;
    std::vector<long> visibleRows;
    std::vector<int> platformSized;
    RgbColour background{0, 0, 0};
};

class CapturedPanes : public IStatusPanes {
  public:
    void SetPaneText(int pane, const std::string& text) override {
        if (pane == 0) {
            texts.push_back(text);
        }
    }
    std::vector<std::string> texts;
};

struct RecordSpec {
    std::string name;  // L_FILENAME
    std::string path = "/music/";
    int32_t fileId = 0;
    int32_t size = 100;
    std::string aux;
    std::string styleName;
    int32_t tempo = 0;
};

class ListTest : public ::testing::Test {
  protected:
    void SetUp() override { Start(kRunModeStyle); }
    void TearDown() override {
        SetStatusPanes(nullptr);
        StyleFilterDialog().Clear();
        SongFilterDialog().Clear();
        FreeRecordStore();
        ResetRunMode();
        Config() = ConfigValues{};
    }

    void Start(int runMode) {
        FreeRecordStore();
        ResetRunMode();
        SetRunMode(runMode);
        ASSERT_EQ(InitRecordStore(), 0);
        Config() = ConfigValues{};
        StyleFilterDialog().Clear();
        SongFilterDialog().Clear();
        SetFilterDuplicatesMode(kShowAll);
        ListScanFolder() = ListFolderState{};
        SetStatusPanes(&panes);
        mgr.RegisterList(ListKind::Files, &fileDisplay);
        mgr.RegisterList(ListKind::Songs, &songDisplay);
    }

    StyleDataPacket* AddRecord(const RecordSpec& wanted) {
        StyleDataPacket* record = NewStyleRecord();
        EXPECT_NE(record, nullptr);
        AssignStyleField(*record, kFieldFilename, wanted.name);
        AssignStyleField(*record, kFieldPath, wanted.path);
        AssignStyleField(*record, kFieldAux, wanted.aux);
        AssignStyleField(*record, kFieldStyleName, wanted.styleName);
        record->SetNumber(kFieldFileId, wanted.fileId);
        record->SetNumber(kFieldDuplicates, wanted.fileId);
        record->SetNumber(kFieldFilesize, wanted.size);
        record->SetNumber(kFieldTempo, wanted.tempo);
        RecordStore().records.Append(record);
        return record;
    }
    StyleDataPacket* AddNamed(const std::string& name, int32_t fileId = 0, int32_t size = 100) {
        return AddRecord({name, "/music/", fileId, size});
    }
    SongDataPacket* AddSong(StyleDataPacket* record, const std::string& title, int32_t status = 1) {
        SongDataPacket* song = NewSongRecord();
        EXPECT_NE(song, nullptr);
        AssignSongField(*song, kSongFieldTitle, title);
        song->SetNumber(kSongFieldStatus, status);
        AppendSong(*record, song);
        return song;
    }
    void ShowColumns(CMyListCtrl& list, const std::vector<int>& fields) {
        list.ClearDefinitions();
        for (int field : fields) {
            ASSERT_EQ(list.AppendDefinition(field, -1), 0);
        }
        ASSERT_EQ(list.BuildColumns(false), 0);
    }
    // File names of the file list's rows, top to bottom.
    std::vector<std::string> FileRows() const {
        std::vector<std::string> names;
        for (long row = 0; row < mgr.FileList().RowCount(); ++row) {
            names.emplace_back(mgr.FileList().StyleRecordOfRow(row)->Text(kFieldFilename));
        }
        return names;
    }
    void Rebuild() { mgr.ForceRebuild(true, nullptr, false); }

    CapturingSink sink;
    CapturedPanes panes;
    RecordingDisplay fileDisplay;
    RecordingDisplay songDisplay;
    CZOLListViewMgr mgr;
};

using Names = std::vector<std::string>;

}  // namespace kelvane::test

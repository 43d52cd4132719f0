// Shared set-up of the scan tests: a fresh record store and scan state in a chosen run mode,
// the trace in a temporary folder, messages and status panes captured, and helpers that
// build records and data-file texts.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "records/ZOLRecordStore.h"
#include "records/ZOLSongData.h"
#include "records/ZOLStyleData.h"
#include "scan/ZOLDataFileColumns.h"
#include "scan/ZOLScanState.h"
#include "support/NUVDbg.h"
#include "support/NUVTrace.h"
#include "support/NUVUserInterface.h"
#include "support/TestEnv.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane::test {

class CapturingPanes final : public IStatusPanes {
  public:
    void SetPaneText(int pane, const std::string& text) override { texts.emplace_back(pane, text); }
    // The last text set in `pane`, or "<none>".
    std::string Last(int pane) const {
        for (auto it = texts.rbegin(); it != texts.rend(); ++it) {
            if (it->first == pane) {
                return it->second;
            }
        }
        return "<none>";
    }
    std::vector<std::pair<int, std::string>> texts;
};

// Records every message box of the commands and answers with the default button.
class CapturingDialogs final : public IUserDialogs {
  public:
    BoxAnswer MessageBox(const std::string& text, BoxIcon, BoxButtons,
                         BoxAnswer defaultAnswer) override {
        texts.push_back(text);
        return defaultAnswer;
    }
    std::vector<std::string> texts;
};

class ScanTest : public ::testing::Test {
  protected:
    void SetUp() override { Start(kRunModeStyle); }
    void TearDown() override {
        SetStatusPanes(nullptr);
        SetUserDialogs(nullptr);
        FreeRecordStore();
        ResetScanState();
        ResetRunMode();
        SetTraceFolder("");
        SetDebugLevel(1);
    }
    void Start(int mode) {
        FreeRecordStore();
        SetRunMode(mode);
        ASSERT_EQ(InitRecordStore(), 0);
        ResetScanState();
        ResetFieldSwitches();
        Config().ignoreUnknownFields = 0;
        Config().specialMenuCopy = 0;
        SetDebugLevel(1);
        SetTraceFolder(traceDir.Folder());
        SetStatusPanes(&panes);
        SetUserDialogs(&dialogs);
    }

    // No message of the test ended the program.
    void ExpectProgramGoesOn() const { EXPECT_TRUE(sink.exits.empty()); }

    TempDir dir;
    TempDir traceDir;
    CapturingSink sink;
    CapturingPanes panes;
    CapturingDialogs dialogs;
};

// Lines joined, each followed by CR LF.
inline std::string CrLf(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// A record of the current catalogue with the values tests usually look at.
inline StyleDataPacket* MakeRecord(const std::string& folder, const std::string& name, int fileId) {
    StyleDataPacket* record = NewStyleRecord();
    EXPECT_NE(record, nullptr);
    AssignStyleField(*record, kFieldPath, folder);
    AssignStyleField(*record, kFieldFilename, name);
    record->SetNumber(kFieldFileId, fileId);
    record->SetNumber(kFieldDuplicates, fileId);
    return record;
}

inline SongDataPacket* AddSong(StyleDataPacket& record, const std::string& title,
                               int status = kSongStatusInStyleFile) {
    SongDataPacket* song = NewSongRecord();
    EXPECT_NE(song, nullptr);
    AssignSongField(*song, kSongFieldTitle, title);
    song->SetNumber(kSongFieldStatus, status);
    AppendSong(record, song);
    return song;
}

inline std::string Text(const StyleDataPacket& record, int id) {
    return std::string(record.Text(id));
}
inline std::string Text(const SongDataPacket& song, int id) {
    return std::string(song.Text(id));
}

}  // namespace kelvane::test

// Shared set-up of the analyser tests: a fresh record store and run mode, the default
// configuration, no search tags, messages captured, files in a temporary folder, and one
// analyser reused by the whole test as the scan reuses it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "analysis/ZOLGenre.h"
#include "analysis/ZOLMidi.h"
#include "analysis/ZOLStyleFile.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLStyleData.h"
#include "support/NUVFormat.h"
#include "support/NUVTrace.h"
#include "support/TestEnv.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane::test {

class AnalyseTest : public ::testing::Test {
  protected:
    void SetUp() override { Start(kRunModeStyle); }
    void TearDown() override {
        if (record != nullptr) {
            ReleaseStyleRecord(record);
        }
        record = nullptr;
        FreeRecordStore();
        ResetRunMode();
        Config() = ConfigValues{};
        ClearSearchTags();
        SetTraceFolder("");
    }
    void Start(int mode) {
        TearDown();
        SetRunMode(mode);
        ASSERT_EQ(InitRecordStore(), 0);
        record = NewStyleRecord();
        ASSERT_NE(record, nullptr);
    }

    // Writes `bytes` as `name` in the temporary folder and analyses it into `record`.
    StatusCode Analyse(const std::string& bytes, const std::string& name = "Style.sty") {
        return AnalyseFile(analyser, *record, dir.Write(name, bytes), name);
    }
    // The analyser's facts for `bytes`; `record` is emptied and receives the Music Finder
    // songs.
    const AnalysisResult& Facts(const std::string& bytes) {
        ResetStyleRecord(record);
        buffer = bytes;
        std::vector<MusicFinderRecord> songs;
        analyser.SetSongList(&songs);
        analyser.AnalyseBytes(std::span<const uint8_t>(
                                  reinterpret_cast<const uint8_t*>(buffer.data()), buffer.size()),
                              "test.sty");
        analyser.SetSongList(nullptr);
        for (const MusicFinderRecord& song : songs) {
            CollectSong(record, song);
        }
        return analyser.Result();
    }
    // A field of `record` as text; numbers in decimal.
    std::string Field(int id) const {
        return record->TypeOf(id) == FT_NUMBER ? std::to_string(record->Number(id))
                                               : std::string(record->Text(id));
    }
    // Switches a trace keyword on with the trace written into the temporary folder.
    void TraceInto(bool problems, bool analysis) {
        SetTraceFolder(dir.Folder());
        Config().traceTargetFileProblems = problems ? 1 : 0;
        Config().traceTargetFileAnalysis = analysis ? 1 : 0;
    }
    std::string TraceText() {
        TraceOff();
        return dir.Read("NUVTRACE.TRC");
    }

    CapturingSink sink;
    TempDir dir;
    CZOLMidi analyser;
    StyleDataPacket* record = nullptr;
    std::string buffer;
};

}  // namespace kelvane::test

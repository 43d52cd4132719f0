// The age check of the kept records of a folder and their second analysis.
#include <algorithm>
#include <cstdint>

#include "analysis/ZOLStyleFile.h"
#include "platform/FileSystem.h"
#include "records/ZOLFieldCatalogue.h"
#include "records/ZOLSongCollector.h"
#include "records/ZOLStyleData.h"
#include "scan/ZOLScanState.h"
#include "scan/ZOLTreeScan.h"
#include "scan/ZOLTreeScanRun.h"
#include "support/NUVFileOps.h"
#include "support/NUVLang.h"
#include "support/NUVStatus.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

bool PlainFileTime(const std::string& path, FileTime& time) {
    FileDetails details;
    if (!QueryFileDetails(path, details).Ok() || details.isFolder) {
        return false;
    }
    time = details.lastWriteTime;
    return true;
}

// A file is unchanged when the data file is younger than it. A date in the future (later
// than the scan's start) cannot be compared: it counts as unchanged, or with
// AutoCorrectIllegalFileDates the file is dated to the scan's start and counts as changed.
bool FileUnchanged(StyleDataPacket& record, FileTime dataTime) {
    const FileTime fileTime = RecordFileTime(record);
    if (dataTime > fileTime) {
        return true;
    }
    if (dataTime == fileTime) {
        return false;
    }
    const ScanStateValues& state = ScanState();
    if (fileTime <= state.scanStartTime) {
        return false;
    }
    if (Config().autoCorrectIllegalFileDates == 0) {
        return true;
    }
    if (SetFileTimes(FullPathOf(&record), state.scanStartTime) != 0) {
        SetRecordFileTime(record, state.scanStartTime);
    }
    return false;
}

bool AnalyserVersionCurrent(const StyleDataPacket& record) {
    const int64_t stored = record.Number(kFieldAnalyser);
    return std::max(stored, -stored) >= CurrentModeNames().combinedAnalyserVersion;
}

// What the user entered survives a new analysis: a user field the analysis left empty (or 0)
// takes the old record's value. USAGE is entered by the user like the others, although the
// catalogue does not mark it; a touched file must not lose it.
void CarryOverUserFields(const StyleDataPacket& old, StyleDataPacket& fresh) {
    for (const FieldDescriptor& row : CatalogueRows(CatalogueKind::Current)) {
        if (row.userField == 0 && row.id != kFieldUsage) {
            continue;
        }
        if (row.type == FT_NUMBER) {
            if (fresh.Number(row.id) == 0) {
                fresh.SetNumber(row.id, old.Number(row.id));
            }
        } else if (fresh.Text(row.id).empty() && !old.Text(row.id).empty()) {
            AssignStyleField(fresh, row.id, old.Text(row.id));
        }
    }
}

}  // namespace

void TraceAnalysisFailure(StatusCode analysed, const std::string& folder, const std::string& name) {
    TraceFormat(trace::kAlways, true, "%s %i %s %s %s",
                Translate("Error during processing style file").c_str(), analysed,
                StatusText(analysed).c_str(), folder.c_str(), name.c_str());
}

void ReplaceKeptRecord(RecordList& kept, size_t index, StyleDataPacket* fresh) {
    StyleDataPacket* old = kept[index];
    CarryOverUserFields(*old, *fresh);
    // A song that cannot be copied is dropped; the record is still worth keeping.
    MergeSongsOnReanalysis(old, fresh);
    fresh->changed = 1;
    kept.Items()[index] = fresh;
    ReleaseStyleRecord(old);
}

StatusCode ReanalyseKeptRecord(TreeScanRun& run, FolderScanLists& lists, size_t index) {
    StyleDataPacket* old = lists.kept[index];
    const std::string name(old->Text(kFieldFilename));
    const std::string fullPath = std::string(old->Text(kFieldPath)) + name;
    if (fullPath.size() > kMaxPathLength) {
        return status::kFullNameError;
    }
    StyleDataPacket* fresh = NewStyleRecord();
    if (fresh == nullptr) {
        return status::kNoStyleRecord;
    }
    // The stored analyser value tells the analysis whether the user fixed the genre fields.
    fresh->SetNumber(kFieldAnalyser, old->Number(kFieldAnalyser));
    fresh->SetNumber(kFieldFiledateU, old->Number(kFieldFiledateU));
    fresh->SetNumber(kFieldFiledateL, old->Number(kFieldFiledateL));
    fresh->SetDateText(old->DateText());
    if (run.workers != nullptr) {
        return HandOver(run, PendingAnalysis{&lists, fresh, old, index}, fullPath, name);
    }
    const StatusCode analysed = AnalyseForScan(run, *fresh, fullPath, name);
    if (analysed != 0) {
        ReleaseStyleRecord(fresh);
        return analysed;
    }
    ReplaceKeptRecord(lists.kept, index, fresh);
    return 0;
}

StatusCode RescanIfNewAnalyserOrOldDataFile(FolderScanLists& lists, const std::string& dataFilePath,
                                            const std::string& moveFilePath) {
    ScanDebug("DBG - RescanIfNewAnalyserOrOldDataFile -- ", dataFilePath);
    RecordList& kept = lists.kept;
    TreeScanRun& run = *lists.run;
    const ScanStateValues& state = ScanState();
    if (state.readOnlyMedium != 0 || kept.empty()) {
        return 0;
    }
    FileTime dataTime = 0;
    const bool dataFound = PlainFileTime(dataFilePath, dataTime);
    bool analyserNewer = dataFound && dataTime < state.analyserReferenceTime;
    bool moveFound = false;
    if (!analyserNewer) {
        FileTime moveTime = 0;
        moveFound = PlainFileTime(moveFilePath, moveTime);
        if (moveFound) {
            analyserNewer = moveTime < state.analyserReferenceTime;
            dataTime = dataFound ? std::min(dataTime, moveTime) : moveTime;
        }
    }
    // Records of other extra files, or of files deleted meanwhile, have no date to be
    // compared with: they are analysed again rather than trusted or failing the scan.
    if (!dataFound && !moveFound) {
        analyserNewer = true;
    }
    TreeScanCounts& counts = run.counts;
    bool reanalysed = false;
    for (size_t i = 0; i < kept.size();) {
        if (state.abortFlag.load() != 0) {
            return status::kAbortedByUser;
        }
        CountFile(run);
        StyleDataPacket* record = kept[i];
        const bool unchanged = FileUnchanged(*record, dataTime);
        if (unchanged && !analyserNewer && !run.options.reanalyse &&
            AnalyserVersionCurrent(*record)) {
            ++counts.reused;
            ++i;
            continue;
        }
        reanalysed = true;
        const StatusCode analysed = ReanalyseKeptRecord(run, lists, i);
        if (analysed == status::kNoStyleRecord ||
            (run.workers != nullptr && analysed != 0 && analysed != status::kFullNameError)) {
            return analysed;
        }
        if (analysed != 0) {
            // Like a new file that cannot be analysed: left out, tried again next time.
            TraceAnalysisFailure(analysed, std::string(record->Text(kFieldPath)),
                                 std::string(record->Text(kFieldFilename)));
            ReleaseStyleRecord(kept.TakeAt(i));
            ++counts.failed;
            continue;
        }
        if (run.workers == nullptr) {
            ++counts.reanalysed;
        }
        ++i;
    }
    return reanalysed ? 1 : 0;
}

}  // namespace kelvane

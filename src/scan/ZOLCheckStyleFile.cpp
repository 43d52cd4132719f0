// The per-file steps of the tree scan: CheckStyleFile for every file the walk finds and
// ProcessStyleFile for the new ones, plus the per-folder lists they work on.
#include <unistd.h>

#include <algorithm>

#include "analysis/ZOLStyleFile.h"
#include "platform/FileSystem.h"
#include "records/ZOLStyleData.h"
#include "scan/ZOLScanState.h"
#include "scan/ZOLTreeScan.h"
#include "scan/ZOLTreeScanRun.h"
#include "support/NUVAtomicFile.h"
#include "support/NUVLang.h"
#include "support/NUVPath.h"
#include "support/NUVStatus.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

// A temporary file of one of the scan's own files (the data, extra and fast access files of
// either run mode) whose writer died before it was put in place.
bool IsLeftoverScanTemporary(const std::string& folder, const std::string& name) {
    TemporaryFileName parsed;
    if (!ParseTemporaryFileName(name, parsed)) {
        return false;
    }
    bool ours = false;
    for (const int mode : {kRunModeStyle, kRunModeMidi}) {
        const ModeNames& names = ModeNamesFor(mode);
        ours = ours || parsed.target == names.dataFile || parsed.target == names.fastAccessFile ||
               HasExtension(parsed.target, names.extraExtension) != 0;
    }
    return ours && IsAbandonedTemporaryFile(folder, name);
}

}  // namespace

void FolderScanLists::IndexCached() {
    byName_.clear();
    byName_.reserve(cached.size());
    for (size_t i = 0; i < cached.size(); ++i) {
        byName_[cached[i]->Text(kFieldFilename)] = i;
    }
    taken_ = 0;
}

bool FolderScanLists::IsCached(std::string_view name) const {
    return byName_.find(name) != byName_.end();
}

StyleDataPacket* FolderScanLists::MoveCachedToKept(std::string_view name) {
    const auto found = byName_.find(name);
    if (found == byName_.end()) {
        return nullptr;
    }
    // The slot is emptied instead of erased, so that finding a file stays cheap in large
    // folders; Leftovers() closes the gaps once.
    StyleDataPacket*& slot = cached.Items()[found->second];
    StyleDataPacket* record = slot;
    slot = nullptr;
    byName_.erase(found);
    ++taken_;
    kept.Append(record);
    return record;
}

RecordList& FolderScanLists::Leftovers() {
    if (taken_ > 0) {
        auto& items = cached.Items();
        items.erase(std::remove(items.begin(), items.end(), nullptr), items.end());
        taken_ = 0;
    }
    byName_.clear();
    return cached;
}

void FolderScanLists::ReleaseAll() {
    Leftovers().ReleaseAll();
    extra.ReleaseAll();
    kept.ReleaseAll();
    fresh.ReleaseAll();
}

FileTime RecordFileTime(const StyleDataPacket& record) {
    return FileTimeFromHalves(static_cast<uint32_t>(record.Number(kFieldFiledateL)),
                              static_cast<uint32_t>(record.Number(kFieldFiledateU)));
}

StatusCode SetRecordFileTime(StyleDataPacket& record, FileTime time) {
    record.SetNumber(kFieldFiledateU, static_cast<int32_t>(FileTimeHigh(time)));
    record.SetNumber(kFieldFiledateL, static_cast<int32_t>(FileTimeLow(time)));
    // Files of a folder mostly share their minute; time zones differ from UTC by whole
    // minutes, so one minute of file time has one local text.
    constexpr FileTime kMinute = 60 * static_cast<FileTime>(kFileTimeUnitsPerSecond);
    thread_local FileTime lastMinute = ~FileTime{0};
    thread_local std::string lastText;
    if (time / kMinute != lastMinute) {
        std::string text;
        if (!LocalTimeText(time, text)) {
            return status::kFileDateNotConverted;
        }
        lastMinute = time / kMinute;
        lastText = std::move(text);
    }
    record.SetDateText(lastText);
    return 0;
}

StatusCode CheckStyleFile(WalkContext& context) {
    const std::string& name = context.currentFileName;
    ScanTrace("CheckStyleFile : ", name);
    const ScanStateValues& state = ScanState();
    if (state.abortFlag.load() != 0) {
        return status::kAbortedByUser;
    }
    auto* lists = static_cast<FolderScanLists*>(context.userPointer);
    if (!IsScanFileName(name)) {
        if (lists != nullptr && state.readOnlyMedium == 0 &&
            IsLeftoverScanTemporary(context.currentFolder, name)) {
            ScanTrace("CheckStyleFile - Left-over temporary file deleted : ", name);
            ::unlink((context.currentFolder + name).c_str());
        }
        return 0;
    }
    ScanTrace("CheckStyleFile - Style file found : ", name);
    if (lists == nullptr) {
        return 0;
    }
    TreeScanRun& run = *lists->run;
    // The last-write time is looked up for the files whose record it decides here; a new
    // file's comes from its analysis (one system call less per file).
    const bool cached = lists->IsCached(name);
    if ((cached || NewFileTimeFromWalk()) && !CurrentFileTime(context)) {
        return 0;  // gone since the folder was listed
    }
    if (StyleDataPacket* record = cached ? lists->MoveCachedToKept(name) : nullptr) {
        ScanTrace("CheckStyleFile - Pkt found in queue : ", name);
        // A time without local-time text keeps the old text; that is not worth a report.
        SetRecordFileTime(*record, context.lastWriteTime);
        if (state.readOnlyMedium != 0) {
            CountFile(run);
            ++run.counts.reused;
        }
        return 0;
    }
    CountFile(run);
    const StatusCode analysed = ProcessStyleFile(context);
    const bool fileFailure = analysed == status::kFullNameError ||
                             analysed == status::kNoStyleRecord || run.workers == nullptr;
    if (analysed == status::kAbortedByUser || (analysed != 0 && !fileFailure)) {
        // With several workers the other failures are the scan's (a folder step's).
        return analysed;
    }
    if (analysed != 0) {
        ++run.counts.failed;
        TraceAnalysisFailure(analysed, context.currentFolder, name);
    }
    // A batch of data files waiting too long is put in place (a crash keeps finished folders).
    return FlushDataFilesWhenDue(run);
}

StatusCode ProcessStyleFile(WalkContext& context) {
    const std::string& name = context.currentFileName;
    ScanDebug("DBG - ProcessStyleFile called -- ", name);
    auto* lists = static_cast<FolderScanLists*>(context.userPointer);
    const std::string fullPath = context.currentFolder + name;
    if (fullPath.size() > kMaxPathLength) {
        return status::kFullNameError;
    }
    ScanTrace("ProcessStyleFile : ", fullPath);
    StyleDataPacket* record = NewStyleRecord();
    if (record == nullptr) {
        return status::kNoStyleRecord;
    }
    if (lists == nullptr) {
        ReleaseStyleRecord(record);
        return 0;
    }
    TreeScanRun& run = *lists->run;
    if (run.workers != nullptr) {
        // The record gets its last-write time with the values (TakeBack).
        lists->fresh.Append(record);
        return HandOver(run, PendingAnalysis{lists, record}, fullPath, name);
    }
    bool gone = false;
    const StatusCode analysed = AnalyseNewFile(run, *record, context, fullPath, gone);
    if (analysed != 0 || gone) {
        // A file that vanished once it was listed is passed over, as the walk passes it over.
        ReleaseStyleRecord(record);
        return analysed;
    }
    ++run.counts.analysed;
    lists->fresh.Append(record);
    return 0;
}

}  // namespace kelvane

#include "scan/ZOLTreeScan.h"

#include <strings.h>
#include <sys/stat.h>

#include <cstdio>
#include <ctime>

#include "analysis/ZOLKeyboardData.h"
#include "analysis/ZOLMidi.h"
#include "analysis/ZOLStyleFile.h"
#include "platform/FileSystem.h"
#include "records/ZOLRecordStore.h"
#include "scan/ZOLDataFileReader.h"
#include "scan/ZOLDataFileStatus.h"
#include "scan/ZOLDataFileWriter.h"
#include "scan/ZOLScanState.h"
#include "scan/ZOLTreeScanRun.h"
#include "support/NUVAtomicFile.h"
#include "support/NUVDbg.h"
#include "support/NUVFileInfo.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVPath.h"
#include "support/NUVTranslateFormat.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane {

TreeScanRuntime& ScanRuntime() {
    static TreeScanRuntime runtime;
    return runtime;
}

StatusCode AnalyseForScan(StyleDataPacket& record, const std::string& fullPath,
                          const std::string& fileName) {
    TreeScanRuntime& runtime = ScanRuntime();
    if (runtime.analysis) {
        return runtime.analysis(record, fullPath, fileName);
    }
    CZOLMidi& analyser = runtime.analyser != nullptr ? *runtime.analyser : ThreadAnalyser();
    return AnalyseFile(analyser, record, fullPath, fileName);
}

void SetScanFileAnalysis(ScanFileAnalysis analysis) {
    ScanRuntime().analysis = std::move(analysis);
}

void SetRecentFolderFeed(RecentFolderFeed feed) {
    ScanRuntime().recentFeed = std::move(feed);
}

void SetReadOnlyMediumProbe(ReadOnlyMediumProbe probe) {
    ScanRuntime().readOnlyProbe = std::move(probe);
}

const TreeScanCounts& LastTreeScanCounts() {
    return ScanRuntime().counts;
}

bool IsScanFileName(const std::string& name) {
    return IsAnalysedFileName(name, IsStyleMode());
}

namespace {

// Data files made durable together: at most this many, or this long, before a flush.
constexpr size_t kBatchFiles = 64;
constexpr std::chrono::seconds kBatchAge{1};

// The last-write time of the analyser configuration file; in midi mode, on the first scan of
// the run, the newest keyboard data file when that is later.
StatusCode AnalyserReferenceTime(FileTime& time) {
    FileDetails details;
    const std::string& file = Config().analyserConfigFile;
    if (file.empty() || !QueryFileDetails(file, details).Ok() || details.isFolder) {
        return status::kAnalyserConfigMissing;
    }
    time = details.lastWriteTime;
    ScanStateValues& state = ScanState();
    if (!IsStyleMode() && !state.firstScanOfRunDone) {
        const FileTime keyboards = KeyboardData().NewestKeyboardDataTime();
        if (keyboards > time) {
            time = keyboards;
        }
    }
    state.firstScanOfRunDone = true;
    return 0;
}

// The clock the file system stamps files with, so that a file written after the scan began
// is never dated before it.
FileTime Now() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME_COARSE, &now);
    return FileTimeFromTimespec(now);
}

int ReadOnlyMedium(const std::string& folder) {
    const ReadOnlyMediumProbe& probe = ScanRuntime().readOnlyProbe;
    return (probe ? probe(folder) : DiskFull(folder)) != 0 ? 1 : 0;
}

void FeedRecentFolder(const std::string& folder) {
    ScanStateValues& state = ScanState();
    if (strcasecmp(folder.c_str(), state.lastStartFolder.c_str()) == 0) {
        return;
    }
    state.lastStartFolder = folder;
    if (const RecentFolderFeed& feed = ScanRuntime().recentFeed) {
        feed(folder);
    }
}

// False when the file's last line has no line end: the file was cut.
bool EndsWithLineEnd(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return true;
    }
    const bool cut = std::fseek(file, -1, SEEK_END) == 0 && std::fgetc(file) != '\n';
    std::fclose(file);
    return !cut;
}

// Reads a data or extra file into `list`; false when the file is damaged. Every line the
// writer puts out ends with CR LF, so a file without one at its end was cut: when its last
// line also stops before the last column, that record (or the record of that song) may lack
// values and is left to a new analysis; a complete last line keeps its record. Either way the
// file is written whole again.
bool ReadCacheFile(const std::string& path, const std::string& folder, RecordList& list) {
    const size_t before = list.size();
    DataFileFacts facts;
    const StatusCode read = ProcessStyleDataFile(path, folder, list, nullptr, &facts);
    const bool cut = !EndsWithLineEnd(path);
    if (cut && facts.lastLineIncomplete && list.size() > before) {
        ReleaseStyleRecord(list.TakeAt(list.size() - 1));
    }
    return read == 0 && !cut;
}

// Reads the folder's data file into cached and its extra data files into extra (noting
// whether there were any). Records read before a bad line stay, the others count as new; a
// damaged file marks the folder changed, so that it is written whole again.
void ReadFolderDataFiles(const std::string& folder, const std::string& dataPath,
                         FolderScanLists& lists) {
    ScanTrace("ProcessAllStyleDataFilesOfOneDirectory : ", folder);
    // Only a plain file is read: opening a pipe of that name would wait for a writer forever.
    struct stat info {};
    if (::stat(dataPath.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        lists.changed = !ReadCacheFile(dataPath, folder, lists.cached) || lists.changed;
    }
    ScanTrace("ProcessAllStyleDataFilesOfOneDirectory : Looking for extra files in ", folder);
    const std::string& pattern = CurrentModeNames().extraPattern;
    WalkContext walk;
    InitWalkContext(walk);
    walk.fileSpec = folder + pattern;
    walk.currentFolder = folder;
    walk.fileNamePattern = pattern;
    walk.ignoreAccessDenied = 1;
    walk.ignorePathNotFound = 1;
    walk.fileCallback = [&folder, &lists](WalkContext& found) {
        const std::string path = found.currentFolder + found.currentFileName;
        lists.changed = !ReadCacheFile(path, folder, lists.extra) || lists.changed;
        return 0;
    };
    const StatusCode walked = ProcessAllFilesOfDirectory(walk, folder);
    if (walked == status::kNoFilesFound) {
        ScanTrace("ProcessAllStyleDataFilesOfOneDirectory : No extra files found in ", folder);
        lists.extraFilesFound = false;
        return;
    }
    if (walked != 0 && ScanState().readOnlyMedium == 0) {
        DeleteMatchingFiles(folder, pattern, true);
    }
}

StatusCode DeleteExtraFiles(const std::string& folder) {
    return DeleteMatchingFiles(folder, CurrentModeNames().extraPattern, true);
}

// Puts the data files waiting in the batch in place, then deletes the extra files of their
// folders (only now: until then they hold the only durable copy of their records).
StatusCode FlushDataFiles() {
    TreeScanRuntime& runtime = ScanRuntime();
    if (runtime.batch == nullptr || runtime.batch->Pending() == 0) {
        return 0;
    }
    StatusCode result = 0;
    if (!runtime.batch->Flush()) {
        NUV_WARNING("%s %s %d", Translate("Error closing zolfile").c_str(),
                    runtime.batch->FailedPath().c_str(), runtime.batch->Error());
        result = status::kDataFileClose;
    }
    for (const PendingFolder& pending : runtime.pending) {
        if (pending.batchIndex < runtime.batch->Placed()) {
            const StatusCode deleted = DeleteExtraFiles(pending.folder);
            result = result != 0 ? result : deleted;
        }
    }
    runtime.pending.clear();
    return result;
}

// Hands the folder's new data file to the batch (or writes it at once outside a scan); the
// batch is flushed every so many folders or seconds, so that an interrupted run loses little.
StatusCode WriteFolderDataFile(const std::string& folder, const std::string& dataPath,
                               RecordList& kept, bool extraFiles) {
    TreeScanRuntime& runtime = ScanRuntime();
    const size_t queued = runtime.batch != nullptr ? runtime.batch->Pending() : 0;
    const StatusCode written = WriteStyleDataFile(dataPath, dataPath, kept);
    if (written != 0) {
        return written;
    }
    ++runtime.counts.dataFilesWritten;
    // With writing switched off the extra files still hold the only copy of their records.
    // A folder without extra files when it was read has none to delete: one listing less.
    if (ScanState().writingDisabled != 0 || !extraFiles) {
        return 0;
    }
    if (runtime.batch == nullptr || runtime.batch->Pending() == queued) {
        return DeleteExtraFiles(folder);
    }
    const auto now = std::chrono::steady_clock::now();
    if (runtime.pending.empty()) {
        runtime.oldestPending = now;
    }
    runtime.pending.push_back(PendingFolder{folder, queued});
    if (runtime.batch->Pending() >= kBatchFiles || now - runtime.oldestPending >= kBatchAge) {
        return FlushDataFiles();
    }
    return 0;
}

// The end of a folder's step: drops the records of vanished files, rewrites the data file
// when anything changed and appends the folder's records to the record list.
StatusCode FinishFolder(FolderScanLists& lists, const std::string& folder,
                        const std::string& dataPath) {
    StatusCode result = 0;
    RecordList& gone = lists.Leftovers();
    if (!gone.empty() || !lists.fresh.empty() || lists.changed) {
        gone.ReleaseAll();
        lists.kept.AppendList(lists.fresh);
        if (ScanState().readOnlyMedium == 0) {
            result = WriteFolderDataFile(folder, dataPath, lists.kept, lists.extraFilesFound);
            if (result != 0) {
                lists.ReleaseAll();
                return result;
            }
        }
    }
    RecordStore().records.AppendList(lists.kept);
    ++ScanRuntime().counts.folders;
    return result;
}

}  // namespace

StatusCode ProcessStyleDirectory(WalkContext& context, const std::string& folderPath) {
    const std::string folder = WithSlash(folderPath);
    ScanTrace("ProcessStyleDirectory : ", folder);
    const ModeNames& names = CurrentModeNames();
    const std::string dataPath = folder + names.dataFile;
    const std::string movePath = folder + names.moveFile;
    FolderScanLists lists;
    if (ScanState().ignoreDataFiles == 0) {
        ReadFolderDataFiles(folder, dataPath, lists);
    }
    if (!lists.extra.empty()) {
        lists.changed = true;
        lists.cached.AppendList(lists.extra);
    }
    lists.IndexCached();
    SetStatusPaneText(0, StrFormat(TranslateFormat("Processing %s").c_str(), folder.c_str()));
    ScanTrace("ProcessStyleDirectory - Looking for style/midi files ", folder);

    WalkContext walk;
    CopyWalkContext(walk, context);
    walk.fileCallback = CheckStyleFile;
    walk.userPointer = &lists;
    // Checks this folder's files, then runs this handler for every subfolder.
    const StatusCode walked = ProcessAllFilesOfDirectory(walk, folder);
    if (walked != 0) {
        lists.ReleaseAll();
        return walked;
    }
    const StatusCode rescanned = RescanIfNewAnalyserOrOldDataFile(lists.kept, dataPath, movePath);
    if (rescanned == 1) {
        lists.changed = true;
    } else if (rescanned != 0) {
        lists.ReleaseAll();
        return rescanned;
    }
    return FinishFolder(lists, folder, dataPath);
}

namespace {

// Every file of the start folder ("*.*"), and with `includeSubfolders` of every folder below
// it, through ProcessStyleDirectory; folders that cannot be read are passed over.
StatusCode WalkStartFolder(const std::string& folder, int includeSubfolders) {
    WalkContext walk;
    InitWalkContext(walk);
    walk.fileSpec = folder + "*.*";
    walk.currentFolder = folder;
    walk.fileNamePattern = "*.*";
    walk.ignorePathNotFound = 1;
    walk.ignoreAccessDenied = 1;
    walk.folderHandler = ProcessStyleDirectory;
    walk.recurse = includeSubfolders != 0 ? 1 : 0;
    walk.followFolderLinks = 1;  // collections assembled with links show all their files
    return ProcessStyleDirectory(walk, folder);
}

}  // namespace

StatusCode ProcessStyleTree(const std::string& startFolder, int includeSubfolders) {
    const std::string folder = WithSlash(startFolder);
    ScanTrace(includeSubfolders != 0 ? "--- ProcessStyleTree incl subdirs : "
                                     : "--- ProcessStyleTree without subdirs : ",
              folder);
    ScanStateValues& state = ScanState();
    state.fastAccessMode = 0;
    state.treeComplete = 0;
    state.foreignFields = 0;
    FileTime reference = 0;
    StatusCode result = AnalyserReferenceTime(reference);
    if (result != 0) {
        return result;
    }
    state.analyserReferenceTime = reference;
    state.scanStartTime = Now();
    state.readOnlyMedium = ReadOnlyMedium(folder);
    state.currentStartFolder = folder;
    state.includeSubfolders = includeSubfolders != 0 ? 1 : 0;
    FeedRecentFolder(folder);
    state.fileCounter = 0;
    SetStatusPaneText(1, "0");

    TreeScanRuntime& runtime = ScanRuntime();
    runtime.counts = {};
    runtime.analyser = std::make_unique<CZOLMidi>();
    CNuvAtomicBatch batch;
    runtime.batch = &batch;
    const std::string fastAccessPath = folder + CurrentModeNames().fastAccessFile;
    const bool fastAccess = state.readOnlyMedium != 0 || state.alwaysUseFastAccess != 0;
    if (includeSubfolders != 0 && fastAccess && FileExists(fastAccessPath) != 0) {
        result = ReadFastAccessDataFile(folder, RecordStore().records);
    } else {
        result = WalkStartFolder(folder, includeSubfolders);
    }
    // Folders finished before an abort or a failure keep their new data files.
    const StatusCode flushed = FlushDataFiles();
    result = flushed != 0 ? flushed : result;
    runtime.batch = nullptr;
    runtime.analyser.reset();
    SetStatusPaneText(1, " ");

    if (result == status::kNoFilesFound) {
        const char* text = IsStyleMode() ? "No styles found in %s" : "No midi files found in %s";
        SetStatusPaneText(0, StrFormat(TranslateFormat(text).c_str(), folder.c_str()));
        result = 0;
    }
    if (result == 0) {
        state.treeComplete = 1;
    }
    ScanTrace("--- ProcessStyleTree finished : ", folder);
    return result;
}

}  // namespace kelvane

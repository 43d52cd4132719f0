#include "scan/ZOLTreeScan.h"

#include <strings.h>
#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <thread>

#include "analysis/FileValues.h"
#include "analysis/ZOLKeyboardData.h"
#include "analysis/ZOLMidi.h"
#include "analysis/ZOLStyleFile.h"
#include "platform/FileSystem.h"
#include "records/ZOLRecordStore.h"
#include "scan/AnalysisWorkers.h"
#include "scan/ZOLDataFileReader.h"
#include "scan/ZOLDataFileWriter.h"
#include "scan/ZOLScanState.h"
#include "scan/ZOLTreeScanRun.h"
#include "support/NUVAtomicFile.h"
#include "support/NUVDbg.h"
#include "support/NUVFileInfo.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVPath.h"
#include "support/NUVStatus.h"
#include "support/NUVTranslateFormat.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane {

TreeScanRuntime& ScanRuntime() {
    static TreeScanRuntime runtime;
    return runtime;
}

TreeScanRun::TreeScanRun() = default;
TreeScanRun::~TreeScanRun() = default;

TreeScanRun& RunOf(const WalkContext& context) {
    return *static_cast<TreeScanRun*>(context.userPointers[0]);
}

void CountFile(TreeScanRun& run) {
    CountScannedFile();
    if (run.options.progress != nullptr) {
        run.options.progress->files.fetch_add(1, std::memory_order_relaxed);
    }
}

int EffectiveScanWorkers(int workers) {
    if (workers > 0) {
        return workers;
    }
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? static_cast<int>(cores) : 1;
}

namespace {

// The analyser of the scan thread: the run's, or with workers the thread's own, as a worker's.
CZOLMidi& ScanThreadAnalyser(TreeScanRun& run) {
    return run.analyser != nullptr ? *run.analyser : ThreadAnalyser();
}

}  // namespace

StatusCode AnalyseForScan(TreeScanRun& run, StyleDataPacket& record, const std::string& fullPath,
                          const std::string& fileName) {
    if (const ScanFileAnalysis& analysis = ScanRuntime().analysis) {
        return analysis(record, fullPath, fileName);
    }
    return AnalyseFile(ScanThreadAnalyser(run), record, fullPath, fileName);
}

bool NewFileTimeFromWalk() {
    return static_cast<bool>(ScanRuntime().analysis);
}

StatusCode AnalyseNewFile(TreeScanRun& run, StyleDataPacket& record, const WalkContext& context,
                          const std::string& fullPath, bool& gone) {
    gone = false;
    const std::string& fileName = context.currentFileName;
    if (NewFileTimeFromWalk()) {
        SetRecordFileTime(record, context.lastWriteTime);
        return AnalyseForScan(run, record, fullPath, fileName);
    }
    // As a worker analyses it; reused by the files of the thread, so that nothing is
    // allocated per file.
    thread_local FileValues values;
    const StatusCode result = AnalyseFileValues(ScanThreadAnalyser(run), fullPath, fileName,
                                                record.Number(kFieldAnalyser), values);
    gone = result == 0 && !CompleteFileTime(fullPath, values);
    if (result == 0 && !gone) {
        // A time without local-time text keeps the old text; that is not worth a report.
        SetRecordFileTime(record, values.LastWriteTime());
        values.ApplyTo(record);
    }
    values.Clear();
    return result;
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
    return ScanRuntime().lastCounts;
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

// Hands the folder's new data file to the batch (or writes it at once outside a batch); the
// batch is flushed every so many folders or seconds, so that an interrupted run loses little.
StatusCode WriteFolderDataFile(TreeScanRun& run, const std::string& folder,
                               const std::string& dataPath, RecordList& kept, bool extraFiles) {
    const size_t queued = run.batch != nullptr ? run.batch->Pending() : 0;
    if (queued == 0) {
        run.oldestPending = std::chrono::steady_clock::now();
    }
    const StatusCode written = WriteStyleDataFile(dataPath, dataPath, kept);
    if (written != 0) {
        return written;
    }
    ++run.counts.dataFilesWritten;
    // With writing switched off the extra files still hold the only copy of their records.
    // A folder without extra files when it was read has none to delete: one listing less.
    if (ScanState().writingDisabled != 0 || !extraFiles) {
        return FlushDataFilesWhenDue(run);
    }
    if (run.batch == nullptr || run.batch->Pending() == queued) {
        return DeleteExtraFiles(folder);
    }
    run.pending.push_back(PendingFolder{folder, queued});
    return FlushDataFilesWhenDue(run);
}

}  // namespace

namespace {

// The extra files of the folders whose data files the last flush put in place go only now:
// until then they held the only durable copy of their records.
StatusCode DeleteExtraFilesOfPlaced(TreeScanRun& run, const std::vector<PendingFolder>& folders,
                                    StatusCode result) {
    for (const PendingFolder& pending : folders) {
        if (pending.batchIndex < run.batch->Placed()) {
            const StatusCode deleted = DeleteExtraFiles(pending.folder);
            result = result != 0 ? result : deleted;
        }
    }
    return result;
}

StatusCode FlushFailure(TreeScanRun& run) {
    NUV_WARNING("%s %s %d", Translate("Error closing zolfile").c_str(),
                run.batch->FailedPath().c_str(), run.batch->Error());
    return status::kDataFileClose;
}

// Waits for the flush under way, if any, and ends it as FlushDataFiles ends its own.
StatusCode FinishBackgroundFlush(TreeScanRun& run) {
    if (run.batch == nullptr || !run.batch->Flushing()) {
        return 0;
    }
    const StatusCode result = run.batch->WaitFlush() ? 0 : FlushFailure(run);
    const StatusCode deleted = DeleteExtraFilesOfPlaced(run, run.flushing, result);
    run.flushing.clear();
    return deleted;
}

}  // namespace

StatusCode FlushDataFiles(TreeScanRun& run) {
    StatusCode result = FinishBackgroundFlush(run);
    if (result != 0 || run.batch == nullptr || run.batch->Pending() == 0) {
        return result;
    }
    result = run.batch->Flush() ? 0 : FlushFailure(run);
    result = DeleteExtraFilesOfPlaced(run, run.pending, result);
    run.pending.clear();
    return result;
}

StatusCode FlushDataFilesWhenDue(TreeScanRun& run) {
    if (run.batch == nullptr || run.batch->Pending() == 0) {
        return 0;
    }
    const bool due = run.batch->Pending() >= kBatchFiles ||
                     std::chrono::steady_clock::now() - run.oldestPending >= kBatchAge;
    if (!due) {
        return 0;
    }
    // The scan goes on while the medium takes the files; the flush before is waited for.
    const StatusCode result = FinishBackgroundFlush(run);
    if (result != 0) {
        return result;
    }
    run.flushing = std::move(run.pending);
    run.pending.clear();
    run.batch->StartFlush();
    return 0;
}

StatusCode FinishFolder(TreeScanRun& run, FolderScanLists& lists, const std::string& folder,
                        const std::string& dataPath) {
    StatusCode result = 0;
    RecordList& gone = lists.Leftovers();
    if (!gone.empty() || !lists.fresh.empty() || lists.changed) {
        gone.ReleaseAll();
        lists.kept.AppendList(lists.fresh);
        if (ScanState().readOnlyMedium == 0) {
            result = WriteFolderDataFile(run, folder, dataPath, lists.kept, lists.extraFilesFound);
            if (result != 0) {
                lists.ReleaseAll();
                return result;
            }
        }
    }
    RecordStore().records.AppendList(lists.kept);
    ++run.counts.folders;
    return result;
}

StatusCode ProcessStyleDirectory(WalkContext& context, const std::string& folderPath) {
    TreeScanRun& run = RunOf(context);
    const std::string folder = WithSlash(folderPath);
    ScanTrace("ProcessStyleDirectory : ", folder);
    const ModeNames& names = CurrentModeNames();
    const std::string dataPath = folder + names.dataFile;
    const std::string movePath = folder + names.moveFile;
    auto lists = std::make_unique<FolderScanLists>();
    lists->run = &run;
    if (!run.options.ignoreDataFiles) {
        ReadFolderDataFiles(folder, dataPath, *lists);
    }
    if (!lists->extra.empty()) {
        lists->changed = true;
        lists->cached.AppendList(lists->extra);
    }
    lists->IndexCached();
    SetStatusPaneText(0, StrFormat(TranslateFormat("Processing %s").c_str(), folder.c_str()));
    ScanTrace("ProcessStyleDirectory - Looking for style/midi files ", folder);

    WalkContext walk;
    CopyWalkContext(walk, context);
    walk.fileCallback = CheckStyleFile;
    walk.userPointer = lists.get();
    // Checks this folder's files, then runs this handler for every subfolder.
    StatusCode result = ProcessAllFilesOfDirectory(walk, folder);
    if (result == 0) {
        const StatusCode rescanned = RescanIfNewAnalyserOrOldDataFile(*lists, dataPath, movePath);
        lists->changed = lists->changed || rescanned == 1;
        result = rescanned == 1 ? 0 : rescanned;
    }
    if (result == 0) {
        return run.workers != nullptr ? QueueFolderStep(run, std::move(lists), folder, dataPath)
                                      : FinishFolder(run, *lists, folder, dataPath);
    }
    // Analyses still out may fill records of this folder: they come back first. (A folder
    // without files has none.)
    if (run.workers != nullptr && result != status::kNoFilesFound) {
        Settle(run);
    }
    lists->ReleaseAll();
    return result;
}

namespace {

// Every file of the start folder ("*.*"), and with `includeSubfolders` of every folder below
// it, through ProcessStyleDirectory; folders that cannot be read are passed over.
StatusCode WalkStartFolder(TreeScanRun& run, const std::string& folder, int includeSubfolders) {
    WalkContext walk;
    InitWalkContext(walk);
    walk.fileSpec = folder + "*.*";
    walk.currentFolder = folder;
    walk.fileNamePattern = "*.*";
    walk.ignorePathNotFound = 1;
    walk.ignoreAccessDenied = 1;
    walk.folderHandler = ProcessStyleDirectory;
    walk.recurse = includeSubfolders != 0 ? 1 : 0;
    walk.followFolderLinks = 1;   // collections assembled with links show all their files
    walk.fileTimesOnRequest = 1;  // only catalogued files need theirs (CheckStyleFile)
    walk.userPointers[0] = &run;
    return ProcessStyleDirectory(walk, folder);
}

// The workers of the run, when it is to have more than one and can: an installed analysis
// runs on the scan thread, and the keyboard data are loaded first, so that no analysis
// changes them.
void StartWorkers(TreeScanRun& run) {
    const int workers = EffectiveScanWorkers(run.options.workers);
    if (workers <= 1 || ScanRuntime().analysis) {
        return;
    }
    if (!IsStyleMode()) {
        KeyboardData().EnsureLoaded();
    }
    run.workers = std::make_unique<AnalysisWorkers>(workers, ScanState().abortFlag);
    if (run.workers->Count() == 0) {
        run.workers.reset();
    }
}

StatusCode ScanTree(TreeScanRun& run, const std::string& folder, int includeSubfolders) {
    const ScanStateValues& state = ScanState();
    const std::string fastAccessPath = folder + CurrentModeNames().fastAccessFile;
    const bool fastAccess = state.readOnlyMedium != 0 || run.options.alwaysUseFastAccess;
    if (includeSubfolders != 0 && fastAccess && FileExists(fastAccessPath) != 0) {
        return ReadFastAccessDataFile(folder, RecordStore().records, run.options.progress);
    }
    CNuvAtomicBatch batch;
    run.batch = &batch;
    StartWorkers(run);
    if (run.workers == nullptr) {
        // With workers the scan thread analyses with its thread's analyser, as a worker does.
        run.analyser = std::make_unique<CZOLMidi>();
    }
    StatusCode result = WalkStartFolder(run, folder, includeSubfolders);
    if (run.workers != nullptr) {
        Settle(run);
        result = result == 0 || result == status::kNoFilesFound
                     ? (run.stepFailure != 0 ? run.stepFailure : result)
                     : result;
        run.workers.reset();
    }
    // Folders finished before an abort or a failure keep their new data files.
    const StatusCode flushed = FlushDataFiles(run);
    run.batch = nullptr;
    return flushed != 0 ? flushed : result;
}

}  // namespace

StatusCode ProcessStyleTree(const std::string& startFolder, int includeSubfolders) {
    return ProcessStyleTree(startFolder, includeSubfolders, ScanOptions{});
}

StatusCode ProcessStyleTree(const std::string& startFolder, int includeSubfolders,
                            const ScanOptions& options) {
    const std::string folder = WithSlash(startFolder);
    ScanTrace(includeSubfolders != 0 ? "--- ProcessStyleTree incl subdirs : "
                                     : "--- ProcessStyleTree without subdirs : ",
              folder);
    ScanStateValues& state = ScanState();
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

    TreeScanRun run;
    run.options = options;
    result = ScanTree(run, folder, includeSubfolders);
    ScanRuntime().lastCounts = run.counts;
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

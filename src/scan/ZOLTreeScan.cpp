#include "scan/ZOLTreeScan.h"

#include <strings.h>

#include <cstdio>
#include <ctime>

#include "analysis/ZOLKeyboardData.h"
#include "analysis/ZOLMidi.h"
#include "analysis/ZOLStyleFile.h"
#include "platform/NuvFileSystem.h"
#include "records/ZOLRecordStore.h"
#include "scan/ZOLDataFileReader.h"
#include "scan/ZOLDataFileStatus.h"
#include "scan/ZOLDataFileWriter.h"
#include "scan/ZOLScanState.h"
#include "scan/ZOLTreeScanRun.h"
#include "support/NUVFileInfo.h"
#include "support/NUVFormat.h"
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

// Reads a data or extra file into `list`. Every line the writer puts out ends with CR LF, so
// a last line without one was cut short: its record (and any songs) may lack values, and it
// is left to a new analysis rather than trusted.
void ReadCacheFile(const std::string& path, const std::string& folder, RecordList& list) {
    const size_t before = list.size();
    ProcessStyleDataFile(path, folder, list);
    if (list.size() > before && !EndsWithLineEnd(path)) {
        ReleaseStyleRecord(list.TakeAt(list.size() - 1));
    }
}

// Reads the folder's data file into cached and its extra data files into extra. Reading
// failures are not used: records read before a bad line stay, the others count as new.
void ReadFolderDataFiles(const std::string& folder, const std::string& dataPath,
                         FolderScanLists& lists) {
    ScanTrace("ProcessAllStyleDataFilesOfOneDirectory : ", folder);
    if (FileExists(dataPath) != 0) {
        ReadCacheFile(dataPath, folder, lists.cached);
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
        ReadCacheFile(found.currentFolder + found.currentFileName, folder, lists.extra);
        return 0;
    };
    const StatusCode walked = ProcessAllFilesOfDirectory(walk, folder);
    if (walked == status::kNoFilesFound) {
        ScanTrace("ProcessAllStyleDataFilesOfOneDirectory : No extra files found in ", folder);
    } else if (walked != 0 && ScanState().readOnlyMedium == 0) {
        DeleteMatchingFiles(folder, pattern, true);
    }
}

// The end of a folder's step: drops the records of vanished files, rewrites the data file
// when anything changed and appends the folder's records to the record list.
StatusCode FinishFolder(FolderScanLists& lists, const std::string& folder,
                        const std::string& dataPath) {
    StatusCode result = 0;
    RecordList& gone = lists.Leftovers();
    const ScanStateValues& state = ScanState();
    if (!gone.empty() || !lists.fresh.empty() || lists.changed) {
        gone.ReleaseAll();
        lists.kept.AppendList(lists.fresh);
        if (state.readOnlyMedium == 0) {
            const StatusCode written = WriteStyleDataFile(dataPath, dataPath, lists.kept);
            if (written != 0) {
                lists.ReleaseAll();
                return written;
            }
            ++ScanRuntime().counts.dataFilesWritten;
            // With writing switched off the extra files still hold the only copy of their
            // records.
            if (state.writingDisabled == 0) {
                result = DeleteMatchingFiles(folder, CurrentModeNames().extraPattern, true);
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
    const std::string fastAccessPath = folder + CurrentModeNames().fastAccessFile;
    if (includeSubfolders != 0 && state.readOnlyMedium != 0 && FileExists(fastAccessPath) != 0) {
        result = ReadFastAccessDataFile(folder, RecordStore().records);
    } else {
        WalkContext walk;
        InitWalkContext(walk);
        walk.fileSpec = folder + "*.*";
        walk.currentFolder = folder;
        walk.fileNamePattern = "*.*";
        walk.ignorePathNotFound = 1;
        walk.ignoreAccessDenied = 1;
        walk.folderHandler = ProcessStyleDirectory;
        walk.recurse = includeSubfolders != 0 ? 1 : 0;
        result = ProcessStyleDirectory(walk, folder);
    }
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

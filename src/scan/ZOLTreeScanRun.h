// Inside the tree scan: the per-folder lists that travel with the walk, the state of one
// scan run (its options, analyser or analysing workers, data-file batch and counters) and the
// record's file-time fields.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/FileTime.h"
#include "platform/NonCopyable.h"
#include "records/ZOLRecordList.h"
#include "scan/ZOLTreeScan.h"
#include "support/NUVStatus.h"
#include "support/NUVTrace.h"

namespace kelvane {

class CZOLMidi;
class CNuvAtomicBatch;
class AnalysisWorkers;
struct TreeScanRun;

// The lists of the folder being processed (attached to the walk context's user pointer).
class FolderScanLists {
  public:
    RecordList cached;
    RecordList extra;
    RecordList kept;
    RecordList fresh;  // the description's "new" list
    bool changed = false;
    // The folder may hold extra data files: it had some when it was read, or it was not read
    // (a hard rescan), so the extra files are deleted after the data file is written.
    bool extraFilesFound = true;
    TreeScanRun* run = nullptr;  // the scan the folder belongs to

    // Indexes cached by file name; call once cached is complete. The last record of a name
    // wins (extra files come after the data file).
    void IndexCached();
    // True when cached holds a record of `name` (not yet moved to kept).
    bool IsCached(std::string_view name) const;
    // Moves the cached record of `name` to kept and returns it; nullptr when there is none.
    StyleDataPacket* MoveCachedToKept(std::string_view name);
    // Cached records whose file was not found (the taken ones removed from the list).
    RecordList& Leftovers();
    // Frees the records of every list.
    void ReleaseAll();

  private:
    std::unordered_map<std::string_view, size_t> byName_;
    size_t taken_ = 0;
};

// A folder whose data file waits in the batch; its extra files go once the file is in place.
struct PendingFolder {
    std::string folder;
    std::size_t batchIndex;
};

// With several workers: what the scan thread does with a file once its analysis is back.
struct PendingAnalysis {
    FolderScanLists* lists = nullptr;
    StyleDataPacket* record = nullptr;  // receives the values: a new file's record (in fresh),
                                        // or the replacement of a kept record
    StyleDataPacket* old = nullptr;     // a kept record analysed again; nullptr for a new file
    std::size_t keptIndex = 0;          // its place in kept
};

// With several workers: a folder whose walk is over and whose step ends (records of vanished
// files dropped, data file written, records listed) once the analyses handed over before
// `analysesEnd` are back.
struct PendingFolderStep {
    std::unique_ptr<FolderScanLists> lists;
    std::string folder;
    std::string dataPath;
    uint64_t analysesEnd = 0;
};

// One run of ProcessStyleTree, on the scan thread; the walk carries it to every folder step.
struct TreeScanRun : NonCopyable {
    TreeScanRun();
    ~TreeScanRun();

    ScanOptions options;
    std::unique_ptr<CZOLMidi> analyser;   // one worker: the scan thread analyses with it
    CNuvAtomicBatch* batch = nullptr;     // the scan's data files, made durable together
    std::vector<PendingFolder> pending;   // data files queued in the batch
    std::vector<PendingFolder> flushing;  // data files of the flush under way
    std::chrono::steady_clock::time_point oldestPending{};
    TreeScanCounts counts;

    // Several workers (workers is null with one).
    std::unique_ptr<AnalysisWorkers> workers;
    std::deque<PendingAnalysis> analyses;  // one per file handed over and not taken back
    std::deque<PendingFolderStep> steps;   // in the order their walks ended
    StatusCode stepFailure = 0;            // the first failing folder step; no step after it runs
    bool abandoned = false;                // an analysis came back aborted: nothing more is used
};

// The hooks the front ends and tests install, and the counts of the last scan.
struct TreeScanRuntime {
    TreeScanCounts lastCounts;
    RecentFolderFeed recentFeed;
    ReadOnlyMediumProbe readOnlyProbe;
    ScanFileAnalysis analysis;
};
TreeScanRuntime& ScanRuntime();

// The run a walk of the scan belongs to (carried in the walk context).
TreeScanRun& RunOf(const WalkContext& context);

// Counts one file for the readouts: the status pane every ten files and the options' progress.
void CountFile(TreeScanRun& run);

// The end of a folder's step: drops the records of vanished files, rewrites the data file
// when anything changed and appends the folder's records to the record list. 0 or the
// failure of the data file (the lists are then released).
StatusCode FinishFolder(TreeScanRun& run, FolderScanLists& lists, const std::string& folder,
                        const std::string& dataPath);
// Starts putting the data files waiting in the batch in place once they are many or the oldest
// has waited a while, so that a crash loses little; the scan goes on meanwhile. A failure of
// that flush is returned by the next call of either. FlushDataFiles puts them in place now.
StatusCode FlushDataFilesWhenDue(TreeScanRun& run);
StatusCode FlushDataFiles(TreeScanRun& run);

// With several workers (ZOLScanMerge.cpp). HandOver gives the analysis of `fullPath` to the
// workers; what to do with its values is `pending`. QueueFolderStep queues a folder whose walk
// is over. KeepUp takes back the analyses that are done, in order, and ends the folder steps
// that have all theirs; with more files handed over than the workers can keep in hand it
// waits. Settle waits for every analysis and ends what can be ended: after an abort the folder
// steps whose analyses all came back, after a failing folder step nothing more. Each returns
// 0, -206 when aborted, or the failure of a folder step.
StatusCode HandOver(TreeScanRun& run, const PendingAnalysis& pending, std::string fullPath,
                    std::string fileName);
StatusCode QueueFolderStep(TreeScanRun& run, std::unique_ptr<FolderScanLists> lists,
                           const std::string& folder, const std::string& dataPath);
StatusCode KeepUp(TreeScanRun& run);
void Settle(TreeScanRun& run);

// The failure trace of a file whose analysis failed.
void TraceAnalysisFailure(StatusCode analysed, const std::string& folder, const std::string& name);
// A kept record analysed again takes the place of the old one: the user's fields and songs
// are carried over, the old record is released.
void ReplaceKeptRecord(RecordList& kept, std::size_t index, StyleDataPacket* fresh);

// Analyses one file on the scan thread (the installed analysis, or AnalyseFile with the run's
// analyser).
StatusCode AnalyseForScan(TreeScanRun& run, StyleDataPacket& record, const std::string& fullPath,
                          const std::string& fileName);

// True when the walk looks up a new file's last-write time before its analysis: only for an
// installed analysis. Otherwise the analysis takes it from the open file, on whichever thread.
bool NewFileTimeFromWalk();

// Analyses a new file on the scan thread into `record`, with its last-write time: from the
// walk (`context`) for an installed analysis, else from the analysis as a worker takes it.
// `gone`: the file vanished once it was listed (no failure; the record gets nothing).
StatusCode AnalyseNewFile(TreeScanRun& run, StyleDataPacket& record, const WalkContext& context,
                          const std::string& fullPath, bool& gone);

// The record's last-write time (FILEDATE_U / FILEDATE_L) and its date text.
FileTime RecordFileTime(const StyleDataPacket& record);
// Sets both; a time that has no local-time text leaves the text and gives -10390.
StatusCode SetRecordFileTime(StyleDataPacket& record, FileTime time);

// Analyses the file of `record` again (its folder + name) into a fresh record that replaces
// it at `index` of `kept`. User fields the new analysis leaves empty (or 0) and the user's
// songs are carried over from the old record. 0, -130, -10306 or the analysis failure (the
// old record then stays). With several workers the analysis is handed over instead and the
// old record replaced when it is back (0, -130, -10306, or a failure of KeepUp).
StatusCode ReanalyseKeptRecord(TreeScanRun& run, FolderScanLists& lists, size_t index);

// Trace "<literal> <value>" at the scan level, built only when the trace wants it.
inline void ScanTrace(const char* literal, const std::string& value) {
    if (TraceWanted(trace::kScan)) {
        TraceFormat(trace::kScan, true, "%s %s", literal, value.c_str());
    }
}
// The debug lines of the scan ("DBG - ..."), at the walker's detail level.
inline void ScanDebug(const char* literal, const std::string& value) {
    if (TraceWanted(trace::kDetail)) {
        TraceFormat(trace::kDetail, true, "%s %s", literal, value.c_str());
    }
}

}  // namespace kelvane

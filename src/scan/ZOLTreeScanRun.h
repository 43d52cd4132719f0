// Inside the tree scan: the per-folder lists that travel with the walk, the state of one
// scan run (its analyser and counters) and the record's file-time fields.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/FileTime.h"
#include "records/ZOLRecordList.h"
#include "scan/ZOLTreeScan.h"
#include "support/NUVStatus.h"
#include "support/NUVTrace.h"

namespace kelvane {

class CZOLMidi;
class CNuvAtomicBatch;

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

    // Indexes cached by file name; call once cached is complete. The last record of a name
    // wins (extra files come after the data file).
    void IndexCached();
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

// The state of the scan that runs (one at a time, on the worker).
struct TreeScanRuntime {
    std::unique_ptr<CZOLMidi> analyser;  // one for the whole scan; null between scans
    CNuvAtomicBatch* batch = nullptr;    // the scan's data files, made durable together
    std::vector<PendingFolder> pending;
    std::chrono::steady_clock::time_point oldestPending{};
    TreeScanCounts counts;
    RecentFolderFeed recentFeed;
    ReadOnlyMediumProbe readOnlyProbe;
    ScanFileAnalysis analysis;
};
TreeScanRuntime& ScanRuntime();

// Analyses one file for the scan (the installed analysis, or AnalyseFile with the running
// scan's analyser; outside a scan with the calling thread's one).
StatusCode AnalyseForScan(StyleDataPacket& record, const std::string& fullPath,
                          const std::string& fileName);

// The record's last-write time (FILEDATE_U / FILEDATE_L) and its date text.
FileTime RecordFileTime(const StyleDataPacket& record);
// Sets both; a time that has no local-time text leaves the text and gives -10390.
StatusCode SetRecordFileTime(StyleDataPacket& record, FileTime time);

// Analyses the file of `record` again (its folder + name) into a fresh record that replaces
// it at `index` of `kept`. User fields the new analysis leaves empty (or 0) and the user's
// songs are carried over from the old record. 0, -130, -10306 or the analysis failure (the
// old record then stays).
StatusCode ReanalyseKeptRecord(RecordList& kept, size_t index);

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

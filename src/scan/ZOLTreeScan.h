// The tree scan: builds the record list (RecordStore().records) for a start folder, with or
// without its subfolders, reusing the records cached in each folder's data file for files
// that have not changed and analysing the others.
//
// Per folder (ProcessStyleDirectory, run by the walker for the start folder and, depth first,
// for every subfolder):
//   cached  the records of the folder's data file, then those of its extra data files
//           ("*.SDE" / "*.SDM", the move file among them)
//   kept    cached records whose file was found again (CheckStyleFile moves them)
//   new     records of files without a cached record, analysed now (ProcessStyleFile)
// Then RescanIfNewAnalyserOrOldDataFile analyses again the kept records that are out of date.
// Whatever is left in cached belongs to files that are gone. When anything changed the data
// file is rewritten from kept + new (after those of all subfolders, as the walker finishes the
// subfolders first) and the extra data files are deleted; kept + new join the record list.
//
// A cached record is reused while its file's last-write time is earlier than the data file's
// (the size is not compared), its stored analyser version is current, the analyser
// configuration (and in midi mode, on the first scan of a run, the keyboard data) is older
// than the data file, and no soft rescan runs. On a read-only medium (no free space or
// mounted read-only) cached records are used whatever their age and nothing is written or
// deleted; with subfolders a fast access file in the start folder replaces the walk.
//
// File names identify cached records byte for byte (the file system is case-sensitive). When
// a folder's data and extra files hold several records of one name, the last one read wins:
// extra files are newer than the data file they are merged into.
//
// Abort (the scan abort flag, polled per file and per kept record) ends every level with
// -206: folders finished before keep their new data files, unfinished ones are untouched.
//
// Several workers: the files to analyse (new ones, and kept records out of date) are handed to
// analysing threads as the walk finds them, so that they work ahead across folders; the scan
// thread takes their values back in the order it handed them over and fills the records,
// ends the folder steps and writes the data files in the walk's order. Records, data files and
// the record list are the same as with one worker, byte for byte. After Abort every worker
// finishes at most the file it is on; the folders whose walk was over and whose analyses are
// all back still get their data files.
//
// The data files of finished folders are made durable in batches, at the latest about a second
// after the first of a batch was written, so that a crash or a kill keeps the finished folders.
// Temporary data files that a killed scan left behind are deleted when the folder is next
// scanned (on a writable medium).
//
// Runs on the scan worker thread; trace lines at level 1000.
#pragma once

#include <functional>
#include <string>

#include "records/ZOLRecordList.h"
#include "scan/ZOLScanState.h"
#include "support/NUVStatus.h"
#include "support/NUVWalk.h"

namespace kelvane {

class FolderScanLists;

// How a scan is to run; the caller passes it in.
struct ScanOptions {
    bool reanalyse = false;        // soft rescan: every file is analysed again
    bool ignoreDataFiles = false;  // hard rescan: the data files are not read (all rewritten)
    // With subfolders, a fast access file in the start folder replaces the walk also on a
    // writable medium (the developer toggle; on a read-only medium it always does).
    bool alwaysUseFastAccess = false;
    // Threads that analyse files: 1 analyses on the scan thread itself; 0 or less, as many
    // as the machine has cores. An installed ScanFileAnalysis runs on the scan thread: the
    // scan then uses one.
    int workers = 1;
    ScanProgress* progress = nullptr;  // counts the files, for a progress readout (optional)
};

// The number of workers a value of ScanOptions::workers stands for (at least 1).
int EffectiveScanWorkers(int workers);

// Scans `startFolder` (a "/" is appended when missing) into the record list, which the caller
// has emptied. 0 also when nothing was found (status pane 0 then says "No styles found in %s"
// / "No midi files found in %s"); -10420 without the analyser configuration file; -206 when
// aborted; otherwise the first failure of a folder (-10380 and the other data-file write
// failures, a failing deletion of extra files, ...). Sets the tree-complete flag on success.
StatusCode ProcessStyleTree(const std::string& startFolder, int includeSubfolders,
                            const ScanOptions& options);
// The same with the default options (one worker, data files read, nothing forced).
StatusCode ProcessStyleTree(const std::string& startFolder, int includeSubfolders);

// The per-folder handler of the scan walk (see above); the walk context carries the run.
// `folder` ends with "/".
StatusCode ProcessStyleDirectory(WalkContext& context, const std::string& folder);

// The per-file callback of the scan walk: 0, or -206 when the abort flag is set.
StatusCode CheckStyleFile(WalkContext& context);

// Analyses the walk's current file into a new record appended to the folder's new list (with
// several workers: hands it over, and the record is filled when its values are back). 0;
// -130 path too long; -10306 no record; or the analysis failure.
StatusCode ProcessStyleFile(WalkContext& context);

// Analyses again the records of the folder's kept list that are out of date (rules above). 1 when
// at least one was analysed again, 0 when none, -206 when aborted, -10306 when no record can be
// had. A file that cannot be analysed any more is traced and its record dropped from `kept` (it
// counts as a change, so the data file is rewritten without it).
StatusCode RescanIfNewAnalyserOrOldDataFile(FolderScanLists& lists, const std::string& dataFilePath,
                                            const std::string& moveFilePath);

// True for the files the run mode catalogues: ".sty", ".bcs", ".prs", ".sst", ".pcs", ".pst" in
// style mode, ".mid", ".kar" in midi mode (after the last ".", any letter case).
bool IsScanFileName(const std::string& name);

// The front end's recent-folder list: called with the start folder when a scan starts in a
// folder other than the last one (compared without regard to case, as typed paths are). Runs
// on the thread that runs the scan (the worker): marshal to the user-interface thread. An
// empty function removes the feed.
using RecentFolderFeed = std::function<void(const std::string& folder)>;
void SetRecentFolderFeed(RecentFolderFeed feed);

// How the scan learns whether the start folder's medium is read-only (1) or writable (0). The
// default asks the file system (DiskFull); a front end may treat a medium as read-only on
// request, tests simulate one. An empty function restores the default.
using ReadOnlyMediumProbe = std::function<int(const std::string& folder)>;
void SetReadOnlyMediumProbe(ReadOnlyMediumProbe probe);

// The per-file analysis of the scan: AnalyseFile with the scan's one analyser unless replaced
// (tests count or fail analyses this way). An empty function restores the default.
using ScanFileAnalysis = std::function<StatusCode(
    StyleDataPacket& record, const std::string& fullPath, const std::string& fileName)>;
void SetScanFileAnalysis(ScanFileAnalysis analysis);

// What the last scan did, for summaries and tests (set when the scan ends).
struct TreeScanCounts {
    long folders = 0;           // folders whose step finished
    long analysed = 0;          // new files analysed
    long reanalysed = 0;        // cached records analysed again
    long reused = 0;            // cached records used as they were
    long failed = 0;            // files that could not be analysed
    long dataFilesWritten = 0;  // rewrites (of an empty list: deletions)
};
const TreeScanCounts& LastTreeScanCounts();

}  // namespace kelvane

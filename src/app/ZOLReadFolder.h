// Reading a folder tree: the main view's read command around the scan window, as one core
// operation that both front ends call (desktop: Refresh, F5, the rescan variants, the start
// folder; kelvane-cli: scan, list, export, import, fast-access).
//
//   SetRecentFolderFeed(...)       once at start (scan/ZOLTreeScan.h), to learn new folders
//   ReadFolderTree(Config().effectiveStartPath, Config().includeSubfolders != 0,
//                  RefreshKind::Normal, progressHost);
//
// Call it on the user-interface thread. While it runs, the host's RunModal shows the scan
// window (title and information text from the session; Abort calls RequestAbort) and the
// worker sends status-bar texts through IStatusPanes (pane 0: "Processing <folder>", pane 1:
// the file counter every 10 files). Afterwards the lists of ListViewMgr() are rebuilt, pane 0
// holds the list's status line (or "Aborted"), pane 1 the files per second. The scan state
// the front end may show: ScanState().treeComplete, readOnlyMedium (scan/ZOLScanState.h) and
// LastTreeScanCounts() (scan/ZOLTreeScan.h).
#pragma once

#include <string>

#include "app/ZOLRefresh.h"
#include "scan/ZOLTreeScan.h"
#include "support/NUVStatus.h"
#include "support/NUVWorkThread.h"

namespace kelvane {

// Checks `folder` (box "Folder does not exist.\n(Or drive is not ready)" -> -10400, "Folder is
// not accessible" -> -10401, nothing else happens), empties the lists, runs the scan (a soft
// rescan analyses every file again, a hard rescan ignores the data files) behind `host`, and
// rebuilds the list. Returns the scan's status: 0; -206 aborted (the list shows the folders
// finished before); -10380 a data file could not be written (reported); any other failure
// (reported, the list is empty); or the refusal of the worker (-10101 busy).
StatusCode ReadFolderTree(const std::string& folder, bool withSubfolders, RefreshKind kind,
                          IProgressHost& host);
// The same with the scan's options as they are given.
StatusCode ReadFolderTree(const std::string& folder, bool withSubfolders,
                          const ScanOptions& options, IProgressHost& host);

// The scan's options for a refresh of `kind`: a soft rescan analyses every file again, a hard
// rescan ignores the data files; the fast access toggle of the developer menu
// (ScanState().alwaysUseFastAccess) and the number of workers of the settings
// (Config().scanWorkers) as they stand.
ScanOptions ScanOptionsFor(RefreshKind kind);

}  // namespace kelvane

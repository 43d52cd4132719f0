// The shared scan state: the program-wide flags and values that the tree scan, the data-file
// reader and writers, the fast access files, import and export consult. Most are reset at the
// start of every scan (by the scan); the last start folder, the writing switch and the
// remembered export and import files live for the whole run. One instance, ScanState().
//
// The worker thread and the user-interface thread never use it at the same time (the user
// interface waits behind the progress window), except for the abort flag, which the Abort
// button sets while the worker polls it.
#pragma once

#include <atomic>
#include <chrono>
#include <string>

#include "platform/FileTime.h"

namespace kelvane {

struct ScanStateValues {
    std::atomic<int> abortFlag{0};  // set by Abort, cleared when a scan starts
    int treeComplete = 0;           // 1 when the last scan ended without error
    int foreignFields = 0;          // a data-file header named a field this program lacks
    int readOnlyMedium = 0;         // the start folder's medium has no free space or is read-only
    FileTime analyserReferenceTime = 0;
    FileTime scanStartTime = 0;       // UTC
    long fileCounter = 0;             // files counted so far, shown every 10
    std::string lastStartFolder;      // feeds the recent-file list
    std::string currentStartFolder;   // of the scan running or last run; ends with "/"
    int includeSubfolders = 0;        // of that scan
    bool firstScanOfRunDone = false;  // midi mode: the keyboard data time counts only once

    // For the whole run.
    int writingDisabled = 0;      // the developer command switched data-file writing off
    int alwaysUseFastAccess = 0;  // developer toggle: a tree with a fast access file is read
                                  // from it also on a writable medium
    std::string lastExportFile;
    std::string lastImportFile;
    std::chrono::steady_clock::time_point readStart{};  // StartReadTiming
};

// The one instance.
ScanStateValues& ScanState();

// Back to the values at program start (tests; a new run).
void ResetScanState();

// Counts one file: counter + 1; every tenth count is shown ("%ld") in status pane 1.
void CountScannedFile();

// A running count for a progress readout: the scan (or the fast access reader) adds each file
// it counts, any thread may read it meanwhile.
struct ScanProgress {
    std::atomic<long> files{0};
};

}  // namespace kelvane

// The program's work-thread window (CZOLWorkThread: import, upper-casing short names) and the
// scan window, both on the worker-thread machinery of support/NUVWorkThread.h, plus the
// files-per-second readout of a read.
//
// The scan itself belongs to the tree scan module: RunScan is
//     StatusCode RunScan() {
//         return RunScanWith(ProcessStyleTree, Config().effectiveStartPath,
//                            Config().includeSubfolders);
//     }
// and the read command wraps it with StartReadTiming / ShowReadRate.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>

#include "support/NUVStatus.h"
#include "support/NUVWorkThread.h"

namespace kelvane {

// A job of the program's work-thread window. The job reads the abort flag from its window.
struct ZolWorkJob {
    CWorkSession* dialog = nullptr;
    std::function<StatusCode(ZolWorkJob&)> jobFunction;

    bool Aborted() const { return dialog != nullptr && dialog->AbortRequested(); }
    // The window's abort flag while it is open, else nullptr.
    const std::atomic<int>* AbortFlag() const {
        return dialog != nullptr ? &dialog->AbortFlag() : nullptr;
    }
};

using ZolThreadFunction = std::function<StatusCode(ZolWorkJob&)>;

// Opens the work-thread window with `texts` (empty ones get their defaults) and runs
// `threadFunction` on the worker; the function sets its own status texts. Returns 0, -10100
// without a thread function, or the refusals of RunOnWorker; the function's status goes to
// `threadStatus`.
StatusCode RunZolWorkThread(const ZolThreadFunction& threadFunction, ZolWorkJob& job,
                            const WorkJobTexts& texts, StatusCode* threadStatus = nullptr);

// Runs `jobFunction` in the work-thread window: status pane 0 shows the working text, then
// the aborted text (-206), the error text (other failures) or the finished text. Returns 0
// (or a refusal, see RunZolWorkThread); the job's status goes to `jobStatus`.
StatusCode RunWorkJob(std::function<StatusCode(ZolWorkJob&)> jobFunction,
                      const WorkJobTexts& texts = {}, StatusCode* jobStatus = nullptr);

// The tree scan as the scan window runs it: (start folder, include-subfolders flag) -> status.
using ScanFunction = std::function<StatusCode(const std::string&, int)>;

// The scan window's title ("Reading Style Data" / "Reading Midi Data") and information text,
// translated, by run mode.
WorkJobTexts ScanDialogTexts();
std::string ScanDialogInformation();

// Shows the scan window while the worker clears the scan abort flag and runs `scan`. A status
// other than 0, -206 and -10380 (already reported by the writer) empties the record list and
// is shown as the warning "Error scanning styles - Error Nr : " (midi: "... midi files ...")
// with the status and its text. The Abort button sets the scan abort flag. Returns 0 or a
// refusal of RunOnWorker; the scan's status goes to `scanStatus`.
StatusCode RunScanWith(const ScanFunction& scan, const std::string& startFolder,
                       int includeSubfolders, StatusCode* scanStatus = nullptr);
// The same with the scan window shown by `host`.
StatusCode RunScanWith(IProgressHost& host, const ScanFunction& scan,
                       const std::string& startFolder, int includeSubfolders,
                       StatusCode* scanStatus = nullptr);

// Notes the start of a read.
void StartReadTiming();
// Status pane 1 := rows per second since StartReadTiming, "%.0f " + Translate("files/sec").
void ShowReadRate(std::size_t rows);

}  // namespace kelvane

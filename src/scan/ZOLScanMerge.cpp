// The tree scan with several workers: handing files to the analysing threads, taking their
// values back in the order they were handed over, and ending the folder steps in the order
// their walks ended (see ZOLTreeScan.h). Everything here runs on the scan thread.
#include <algorithm>
#include <chrono>

#include "records/ZOLStyleData.h"
#include "scan/AnalysisWorkers.h"
#include "scan/ZOLScanState.h"
#include "scan/ZOLTreeScan.h"
#include "scan/ZOLTreeScanRun.h"
#include "support/NUVStatus.h"

namespace kelvane {
namespace {

// How long one wait for a worker lasts before the abort flag and the batch are looked at.
constexpr std::chrono::milliseconds kWaitSlice{50};
// Files each worker may have in hand (handed over, not taken back): enough to look ahead
// across many small folders, few enough to keep the values small.
constexpr std::size_t kFilesPerWorker = 128;

// A record whose analysis failed or was abandoned leaves the folder's lists.
void DropRecord(const PendingAnalysis& pending) {
    if (pending.old == nullptr) {
        pending.lists->fresh.Remove(pending.record);
        ReleaseStyleRecord(pending.record);
        return;
    }
    // The replacement is in no list; the kept record stays until its folder is released.
    ReleaseStyleRecord(pending.record);
}

// The values of one analysis into its record.
void TakeBack(TreeScanRun& run, AnalysisTask& task, const PendingAnalysis& pending) {
    if (run.abandoned || task.status == status::kAbortedByUser) {
        // After Abort nothing handed over later is used; the folders wait for the next scan.
        run.abandoned = true;
        if (pending.old != nullptr) {
            ReleaseStyleRecord(pending.record);
        }
        return;
    }
    if (task.status != 0) {
        const std::string folder =
            task.fullPath.substr(0, task.fullPath.size() - task.fileName.size());
        TraceAnalysisFailure(task.status, folder, task.fileName);
        ++run.counts.failed;
        DropRecord(pending);
        if (pending.old != nullptr) {
            // Like a new file that cannot be analysed: left out, tried again next time.
            pending.lists->kept.Items()[pending.keptIndex] = nullptr;
            ReleaseStyleRecord(pending.old);
        }
        return;
    }
    if (pending.old == nullptr) {
        // A new file's last-write time comes with its values (the walk did not look it up).
        if (task.gone) {
            // Passed over, as the walk passes over a file that vanished once it was listed.
            DropRecord(pending);
            return;
        }
        SetRecordFileTime(*pending.record, task.values.LastWriteTime());
    }
    task.values.ApplyTo(*pending.record);
    if (pending.old != nullptr) {
        ReplaceKeptRecord(pending.lists->kept, pending.keptIndex, pending.record);
        ++run.counts.reanalysed;
    } else {
        ++run.counts.analysed;
    }
}

// Ends the folder steps at the front whose analyses are all back, in order; stops at the
// first failure.
void FinishReadySteps(TreeScanRun& run) {
    while (!run.steps.empty() && !run.abandoned && run.stepFailure == 0 &&
           run.steps.front().analysesEnd <= run.workers->FrontNumber()) {
        PendingFolderStep step = std::move(run.steps.front());
        run.steps.pop_front();
        // Kept records whose new analysis failed left a gap.
        auto& kept = step.lists->kept.Items();
        kept.erase(std::remove(kept.begin(), kept.end(), nullptr), kept.end());
        run.stepFailure = FinishFolder(run, *step.lists, step.folder, step.dataPath);
    }
    if (run.stepFailure == 0) {
        run.stepFailure = FlushDataFilesWhenDue(run);
    }
}

// Takes back every analysis at the front that is done, ending the folder steps it completes;
// with `wait`, waits a while for the first.
void TakeBackDone(TreeScanRun& run, bool wait) {
    AnalysisWorkers& workers = *run.workers;
    FinishReadySteps(run);
    while (!workers.Empty()) {
        if (!workers.WaitFront(std::chrono::milliseconds(0))) {
            if (!wait) {
                break;
            }
            // Rather than wait, the scan thread analyses the next file itself; it waits only
            // when every file is begun.
            if (workers.AnalyseNextHere()) {
                continue;
            }
            if (!workers.WaitFront(kWaitSlice)) {
                break;
            }
        }
        TakeBack(run, workers.Front(), run.analyses.front());
        workers.PopFront();
        run.analyses.pop_front();
        FinishReadySteps(run);
        wait = false;
    }
}

}  // namespace

StatusCode HandOver(TreeScanRun& run, const PendingAnalysis& pending, std::string fullPath,
                    std::string fileName) {
    run.workers->Submit(std::move(fullPath), std::move(fileName),
                        pending.record->Number(kFieldAnalyser));
    run.analyses.push_back(pending);
    return KeepUp(run);
}

StatusCode QueueFolderStep(TreeScanRun& run, std::unique_ptr<FolderScanLists> lists,
                           const std::string& folder, const std::string& dataPath) {
    PendingFolderStep step;
    step.lists = std::move(lists);
    step.folder = folder;
    step.dataPath = dataPath;
    step.analysesEnd = run.workers->FrontNumber() + run.workers->Outstanding();
    run.steps.push_back(std::move(step));
    return KeepUp(run);
}

StatusCode KeepUp(TreeScanRun& run) {
    const std::size_t window = kFilesPerWorker * static_cast<std::size_t>(run.workers->Count());
    bool wait = false;
    for (;;) {
        TakeBackDone(run, wait);
        if (run.stepFailure != 0) {
            return run.stepFailure;
        }
        if (ScanState().abortFlag.load() != 0) {
            return status::kAbortedByUser;
        }
        if (run.workers->Outstanding() < window) {
            return 0;
        }
        wait = true;
    }
}

void Settle(TreeScanRun& run) {
    while (!run.workers->Empty()) {
        TakeBackDone(run, true);
    }
    FinishReadySteps(run);
    // What is left cannot be ended: an analysis was abandoned or a step failed before it.
    for (PendingFolderStep& step : run.steps) {
        step.lists->ReleaseAll();
    }
    run.steps.clear();
}

}  // namespace kelvane

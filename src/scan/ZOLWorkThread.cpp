#include "scan/ZOLWorkThread.h"

#include <chrono>
#include <utility>

#include "records/ZOLRecordStore.h"
#include "scan/ZOLScanState.h"
#include "support/NUVDbg.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVStatus.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLRunMode.h"

namespace kelvane {

StatusCode RunZolWorkThread(const ZolThreadFunction& threadFunction, ZolWorkJob& job,
                            const WorkJobTexts& texts, StatusCode* threadStatus) {
    if (!threadFunction) {
        return status::kNoThreadFunction;
    }
    CWorkSession session(CompleteWorkJobTexts(texts));
    job.dialog = &session;
    StatusCode result = 0;
    const StatusCode started = RunOnWorker(
        session, [&threadFunction, &job] { return threadFunction(job); }, result);
    job.dialog = nullptr;
    if (threadStatus != nullptr) {
        *threadStatus = result;
    }
    return started;
}

StatusCode RunWorkJob(std::function<StatusCode(ZolWorkJob&)> jobFunction, const WorkJobTexts& texts,
                      StatusCode* jobStatus) {
    if (!jobFunction) {
        return status::kNoThreadFunction;
    }
    ZolWorkJob job;
    job.jobFunction = std::move(jobFunction);
    const WorkJobTexts complete = CompleteWorkJobTexts(texts);
    const auto threadFunction = [&complete](ZolWorkJob& work) {
        SetStatusPaneText(0, complete.working);
        const StatusCode status = work.jobFunction(work);
        SetStatusPaneText(0, FinalStatusText(complete, status));
        return status;
    };
    return RunZolWorkThread(threadFunction, job, complete, jobStatus);
}

WorkJobTexts ScanDialogTexts() {
    WorkJobTexts texts;
    texts.title = Translate(IsStyleMode() ? "Reading Style Data" : "Reading Midi Data");
    return CompleteWorkJobTexts(texts);
}

std::string ScanDialogInformation() {
    return Translate(IsStyleMode()
                         ? "Reading style data for the first time may take a long time depending "
                           "of the number of styles.\n\nSo please be patient.\n\nSubsequent "
                           "reads will be much quicker, even if the program is restarted."
                         : "Reading midi data for the first time may take a long time depending "
                           "of the number of midi files.\n\nSo please be patient.\n\nSubsequent "
                           "reads will be much quicker, even if the program is restarted.");
}

StatusCode RunScanWith(const ScanFunction& scan, const std::string& startFolder,
                       int includeSubfolders, StatusCode* scanStatus) {
    return RunScanWith(ProgressHost(), scan, startFolder, includeSubfolders, scanStatus);
}

StatusCode RunScanWith(IProgressHost& host, const ScanFunction& scan,
                       const std::string& startFolder, int includeSubfolders,
                       StatusCode* scanStatus) {
    if (!scan) {
        return status::kNoThreadFunction;
    }
    CWorkSession session(ScanDialogTexts(), &ScanState().abortFlag, ScanDialogInformation());
    StatusCode result = 0;
    const StatusCode started = RunOnWorker(
        host, session,
        [&] {
            ScanState().abortFlag.store(0);
            const StatusCode status = scan(startFolder, includeSubfolders);
            if (status != 0 && status != status::kAbortedByUser &&
                status != status::kDataFileOpenForWrite) {
                ClearAllRecords();
                const char* text = IsStyleMode() ? "Error scanning styles - Error Nr : "
                                                 : "Error scanning midi files - Error Nr : ";
                NUV_WARNING("%s %d %s %s", Translate(text).c_str(), status, "\n",
                            StatusText(status).c_str());
            }
            return status;
        },
        result);
    if (scanStatus != nullptr) {
        *scanStatus = result;
    }
    return started;
}

void StartReadTiming() {
    ScanState().readStart = std::chrono::steady_clock::now();
}

void ShowReadRate(std::size_t rows) {
    const std::chrono::duration<double> elapsed =
        std::chrono::steady_clock::now() - ScanState().readStart;
    // A read faster than the clock can tell is shown as taking one millisecond.
    const double seconds = elapsed.count() > 0.001 ? elapsed.count() : 0.001;
    const double rate = static_cast<double>(rows) / seconds;
    SetStatusPaneText(1, StrFormat("%.0f ", rate) + Translate("files/sec"));
}

}  // namespace kelvane

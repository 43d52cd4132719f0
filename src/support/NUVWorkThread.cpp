#include "support/NUVWorkThread.h"

#include <system_error>
#include <thread>
#include <utility>

#include "support/NUVDbg.h"
#include "support/NUVLang.h"

namespace kelvane {
namespace {

struct WorkerState {
    CWaitingProgressHost waitingHost;
    IProgressHost* host = &waitingHost;
    std::atomic<bool> workerRunning{false};
    NuvWorkJob sharedNuvJob;
};

WorkerState& State() {
    static WorkerState state;
    return state;
}

std::string OrDefault(const std::string& given, const char* fallback) {
    return given.empty() ? Translate(fallback) : given;
}

}  // namespace

WorkJobTexts CompleteWorkJobTexts(const WorkJobTexts& given) {
    WorkJobTexts texts;
    texts.working = OrDefault(given.working, "Working...");
    texts.finished = OrDefault(given.finished, "Finished");
    texts.error = OrDefault(given.error, "Finished with error");
    texts.aborting = OrDefault(given.aborting, "Aborting...");
    texts.aborted = OrDefault(given.aborted, "Aborted");
    texts.title = OrDefault(given.title, "Working");
    return texts;
}

const std::string& FinalStatusText(const WorkJobTexts& texts, StatusCode status) {
    if (status == status::kAbortedByUser) {
        return texts.aborted;
    }
    return status != 0 ? texts.error : texts.finished;
}

CWorkSession::CWorkSession(WorkJobTexts texts, std::atomic<int>* abortFlag, std::string information)
    : texts_(std::move(texts)),
      information_(std::move(information)),
      abortFlag_(abortFlag != nullptr ? abortFlag : &ownAbortFlag_) {
    abortFlag_->store(0);
}

void CWorkSession::RequestAbort() {
    abortFlag_->store(1);
    NUV_DEBUG("%s", "Abort button pressed");
}

void CWorkSession::RequestClose() {
    std::function<void()> callback;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closeRequested_ = true;
        callback = onClose_;
    }
    closed_.notify_all();
    if (callback) {
        callback();
    }
}

bool CWorkSession::CloseRequested() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return closeRequested_;
}

void CWorkSession::WaitForClose() {
    std::unique_lock<std::mutex> lock(mutex_);
    closed_.wait(lock, [this] { return closeRequested_; });
}

bool CWorkSession::WaitForClose(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    return closed_.wait_for(lock, timeout, [this] { return closeRequested_; });
}

void CWorkSession::OnCloseRequested(std::function<void()> callback) {
    bool already = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        onClose_ = callback;
        already = closeRequested_;
    }
    if (already && callback) {
        callback();
    }
}

void SetProgressHost(IProgressHost* host) {
    State().host = host != nullptr ? host : &State().waitingHost;
}

IProgressHost& ProgressHost() {
    return *State().host;
}

StatusCode RunOnWorker(CWorkSession& session, const std::function<StatusCode()>& worker,
                       StatusCode& workerStatus) {
    return RunOnWorker(*State().host, session, worker, workerStatus);
}

StatusCode RunOnWorker(IProgressHost& host, CWorkSession& session,
                       const std::function<StatusCode()>& worker, StatusCode& workerStatus) {
    WorkerState& state = State();
    bool idle = false;
    if (!state.workerRunning.compare_exchange_strong(idle, true)) {
        return status::kWorkerBusy;
    }
    workerStatus = 0;
    std::thread thread;
    try {
        thread = std::thread([&session, &worker, &workerStatus] {
            workerStatus = worker();
            session.RequestClose();
        });
    } catch (const std::system_error&) {
        state.workerRunning.store(false);
        return status::kWorkerNotStarted;
    }
    host.RunModal(session);
    thread.join();
    state.workerRunning.store(false);
    return 0;
}

NuvWorkJob& SharedNuvWorkJob() {
    return State().sharedNuvJob;
}

StatusCode RunNuvWorkJob(std::function<StatusCode(NuvWorkJob&)> jobFunction, NuvWorkJob* job,
                         const WorkJobTexts& texts, StatusCode* jobStatus) {
    if (!jobFunction) {
        return status::kNoThreadFunction;
    }
    NuvWorkJob& work = job != nullptr ? *job : SharedNuvWorkJob();
    work.texts = CompleteWorkJobTexts(texts);
    work.jobFunction = std::move(jobFunction);
    CWorkSession session(work.texts, &work.abortFlag);
    work.dialog = &session;
    const auto display = [&work](const std::string& text) {
        if (work.displayText) {
            work.displayText(text);
        }
    };
    StatusCode result = 0;
    const StatusCode started = RunOnWorker(
        session,
        [&work, &display] {
            display(work.texts.working);
            const StatusCode status = work.jobFunction(work);
            display(FinalStatusText(work.texts, status));
            return status;
        },
        result);
    work.dialog = nullptr;
    if (jobStatus != nullptr) {
        *jobStatus = result;
    }
    return started;
}

}  // namespace kelvane

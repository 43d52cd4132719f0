// Long jobs on one worker thread behind a modal progress window with an Abort button.
//
// The pattern: the caller (the user-interface thread) prepares a session with the job's texts
// and abort flag and calls RunOnWorker. The job function runs on a new worker thread; the
// calling thread meanwhile runs the progress host's modal loop (desktop: a dialog with Abort;
// command line: a progress line and Ctrl-C; tests: a plain wait). Abort only sets the flag,
// which the job polls; when the job returns, the worker asks the window to close and the host
// returns. One worker runs at a time.
//
// The support library's own job kind (CNUVWorkThread: RunNuvWorkJob) shows its texts through
// the job's text-display function; the program's kind (RunWorkJob) lives in scan/.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>

#include "platform/NonCopyable.h"
#include "support/NUVStatus.h"

namespace kelvane {

// The six texts of a job, in this order.
struct WorkJobTexts {
    std::string working;   // default "Working..."
    std::string finished;  // default "Finished"
    std::string error;     // default "Finished with error"
    std::string aborting;  // default "Aborting..."
    std::string aborted;   // default "Aborted"
    std::string title;     // default "Working"
};

// Given texts as they are; every empty one gets its translated default.
WorkJobTexts CompleteWorkJobTexts(const WorkJobTexts& given);

// The text for a job's final status: aborted for -206, error for other failures, finished
// for 0.
const std::string& FinalStatusText(const WorkJobTexts& texts, StatusCode status);

// One showing of a progress window: its texts, the abort flag its Abort button sets, and the
// worker's request to close it. Shared by the user-interface thread and the worker.
class CWorkSession : NonCopyable {
  public:
    // `abortFlag` is the flag the job polls (the session's own one when none is given); it
    // is cleared when the session opens.
    explicit CWorkSession(WorkJobTexts texts, std::atomic<int>* abortFlag = nullptr,
                          std::string information = {});

    const WorkJobTexts& Texts() const { return texts_; }
    // An explanation shown above the Abort button (the scan window has one); may be empty.
    const std::string& Information() const { return information_; }

    // The Abort button: sets the flag and writes the debug line "Abort button pressed". The
    // window then disables its button. Any thread.
    void RequestAbort();
    bool AbortRequested() const { return abortFlag_->load() != 0; }
    std::atomic<int>& AbortFlag() { return *abortFlag_; }

    // The worker, when it has set its final status text: the window is to close.
    void RequestClose();
    bool CloseRequested() const;
    void WaitForClose();
    // True when the close was requested within `timeout`.
    bool WaitForClose(std::chrono::milliseconds timeout);
    // Registers what the host does when the worker asks to close (e.g. post a close event to
    // its dialog). Runs on the worker thread, or at once on the caller's when the close was
    // requested already. One callback; a new one replaces the old.
    void OnCloseRequested(std::function<void()> callback);

  private:
    WorkJobTexts texts_;
    std::string information_;
    std::atomic<int> ownAbortFlag_{0};
    std::atomic<int>* abortFlag_;
    mutable std::mutex mutex_;
    std::condition_variable closed_;
    bool closeRequested_ = false;
    std::function<void()> onClose_;
};

// What a front end implements to show the progress window.
class IProgressHost {
  public:
    virtual ~IProgressHost() = default;
    // Runs on the calling (user-interface) thread while the worker works. Shows a modal
    // window titled session.Texts().title with session.Information() and an Abort button
    // (label Translate("@button_abort@&Abort")) whose press calls session.RequestAbort() and
    // disables the button. Returns only after session.CloseRequested(): the window cannot be
    // dismissed otherwise (Escape and Enter do nothing while the worker runs).
    virtual void RunModal(CWorkSession& session) = 0;
};

// Shows nothing and waits for the worker: tests and unattended runs.
class CWaitingProgressHost final : public IProgressHost {
  public:
    void RunModal(CWorkSession& session) override { session.WaitForClose(); }
};

// The installed host; nullptr restores the waiting one.
void SetProgressHost(IProgressHost* host);
IProgressHost& ProgressHost();

// Runs `worker` on a new worker thread while ProgressHost() shows `session`; the worker's
// result is stored in `workerStatus`. The session is asked to close when the worker returns.
// Returns 0, -10101 when another worker runs, -10102 when no thread can be started.
StatusCode RunOnWorker(CWorkSession& session, const std::function<StatusCode()>& worker,
                       StatusCode& workerStatus);
// The same with the progress window shown by `host`.
StatusCode RunOnWorker(IProgressHost& host, CWorkSession& session,
                       const std::function<StatusCode()>& worker, StatusCode& workerStatus);

// A job of the support library's work thread (CNUVWorkThread).
struct NuvWorkJob {
    WorkJobTexts texts;
    std::atomic<int> abortFlag{0};  // set by Abort, cleared when the window opens
    int reserved = 0;
    std::function<void(const std::string&)> displayText;  // empty: texts are not shown
    std::function<StatusCode(NuvWorkJob&)> jobFunction;
    CWorkSession* dialog = nullptr;  // while the job runs

    bool Aborted() const { return abortFlag.load() != 0; }
};

// The job used when RunNuvWorkJob is given none.
NuvWorkJob& SharedNuvWorkJob();

// Runs `jobFunction` on the worker with `job` (nullptr: the shared one): displays the working
// text, runs the function, displays the aborted, error or finished text and closes the
// window. Returns 0 (or the refusals of RunOnWorker, or -10100 without a function); the job
// function's own status goes to `jobStatus` when given.
StatusCode RunNuvWorkJob(std::function<StatusCode(NuvWorkJob&)> jobFunction, NuvWorkJob* job,
                         const WorkJobTexts& texts, StatusCode* jobStatus = nullptr);

}  // namespace kelvane

// A work job: a long operation run on the worker thread behind the modal progress dialog with
// its Abort button. The job function polls the abort flag and returns -206 once it is set; the
// worker shows the working text in status pane 0 before the job and the finished, error or
// aborted text after it, then asks the dialog to close.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "support/NUVStatus.h"
#include "support/NUVWorkThread.h"

namespace kelvane {

// WorkJobTexts and FinalStatusText (aborted for -206, error for any other failure, finished
// for 0) are the support library's (support/NUVWorkThread.h).

// The texts with every empty one replaced by its translated default.
WorkJobTexts ResolvedTexts(const WorkJobTexts& texts);

// Reads the abort flag the dialog's Abort button sets.
using WorkJobFunction = std::function<StatusCode(const std::atomic<int>& abortFlag)>;

// The worker's body: pane 0 := working text; status := job; pane 0 := final text. Returns the
// job's status. The dialog runs it on its worker thread.
StatusCode RunWorkJobBody(const WorkJobFunction& job, const WorkJobTexts& resolved,
                          const std::atomic<int>& abortFlag);

}  // namespace kelvane

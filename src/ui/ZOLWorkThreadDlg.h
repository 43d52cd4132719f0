// The generic progress dialog of work jobs: modal, titled by the job, with an Abort button
// that sets the job's abort flag and disables itself. The worker thread runs the job (status
// texts in pane 0) and asks the dialog to close when it ends; Escape, Enter and the window's
// close button do not close it while the worker runs.
#pragma once

#include <atomic>
#include <thread>

#include "app/ZOLWorkJob.h"
#include "ui/ZOLProgressDlg.h"

namespace kelvane {

class CZOLWorkThreadDlg : public CZOLProgressDlg {
    Q_OBJECT

  public:
    CZOLWorkThreadDlg(QWidget* parent, const WorkJobTexts& texts, WorkJobFunction job);
    ~CZOLWorkThreadDlg() override;

    // Starts the worker and runs the dialog until the worker ends; the job's status.
    StatusCode Run();

    const std::atomic<int>& AbortFlag() const { return abortFlag_; }

  private:
    WorkJobTexts texts_;
    WorkJobFunction job_;
    std::atomic<int> abortFlag_{0};
    std::thread worker_;
    StatusCode status_ = 0;
};

// Runs one job behind the dialog (texts empty for their defaults); the job's status.
StatusCode RunWorkJobDialog(QWidget* parent, const WorkJobTexts& texts, WorkJobFunction job);

}  // namespace kelvane

// The generic progress dialog of work jobs: modal, titled by the job, with an Abort button
// that sets the job's abort flag and disables itself. The worker thread runs the job (status
// texts in pane 0) and asks the dialog to close when it ends; Escape, Enter and the window's
// close button do not close it while the worker runs. The scan dialog is the same dialog with
// an information text, whose job writes its own status texts.
#pragma once

#include <QDialog>
#include <atomic>
#include <thread>

#include "app/ZOLWorkJob.h"

class QLabel;
class QPushButton;

namespace kelvane {

class CZOLWorkThreadDlg : public QDialog {
    Q_OBJECT

  public:
    CZOLWorkThreadDlg(QWidget* parent, const WorkJobTexts& texts, WorkJobFunction job);
    // A dialog titled `title` that shows `information` above Abort and runs `job` as it is,
    // without the work job's status texts.
    CZOLWorkThreadDlg(QWidget* parent, const std::string& title, const std::string& information,
                      WorkJobFunction job);
    ~CZOLWorkThreadDlg() override;

    // Starts the worker and runs the dialog until the worker ends; the job's status.
    StatusCode Run();

    QPushButton* AbortButton() const { return abort_; }
    QLabel* InformationLabel() const { return information_; }
    const std::atomic<int>& AbortFlag() const { return abortFlag_; }
    bool WorkerRunning() const { return running_; }

    void reject() override;
    void accept() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildLayout(const std::string& information);
    void OnAbort();
    void OnWorkerEnded();

    WorkJobTexts texts_;
    WorkJobFunction job_;
    QLabel* text_ = nullptr;
    QLabel* information_ = nullptr;
    bool statusTexts_ = true;  // the worker shows the job texts in status pane 0
    QPushButton* abort_ = nullptr;
    std::atomic<int> abortFlag_{0};
    std::thread worker_;
    bool running_ = false;
    StatusCode status_ = 0;
};

// Runs one job behind the dialog (texts empty for their defaults); the job's status.
StatusCode RunWorkJobDialog(QWidget* parent, const WorkJobTexts& texts, WorkJobFunction job);

}  // namespace kelvane

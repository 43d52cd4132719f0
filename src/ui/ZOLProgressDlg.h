// The modal progress window of long jobs: a title, an optional information text, the working
// text and the Abort button. Abort calls the owner's function once and disables itself; the
// window closes only when the owner says the worker has ended (Escape, Enter and the window's
// close button do nothing while it runs). The work-job dialog and the progress host of the
// worker-thread machinery both show it.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QLabel;
class QPushButton;

namespace kelvane {

class CZOLProgressDlg : public QDialog {
    Q_OBJECT

  public:
    CZOLProgressDlg(QWidget* parent, const std::string& title, const std::string& information,
                    const std::string& workingText, const std::string& abortingText);

    // Called on the user-interface thread when Abort is pressed.
    void SetAbortFunction(std::function<void()> onAbort) { onAbort_ = std::move(onAbort); }

    // The worker has ended: the window closes (user-interface thread).
    void WorkerEnded();
    // The same from any thread: queued to the window's thread.
    void PostWorkerEnded();
    bool WorkerRunning() const { return running_; }

    QPushButton* AbortButton() const { return abort_; }
    QLabel* InformationLabel() const { return information_; }
    QLabel* WorkingLabel() const { return text_; }

    void reject() override;
    void accept() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void OnAbort();

    std::string abortingText_;
    QLabel* information_ = nullptr;
    QLabel* text_ = nullptr;
    QPushButton* abort_ = nullptr;
    std::function<void()> onAbort_;
    bool running_ = true;
};

}  // namespace kelvane

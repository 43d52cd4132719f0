#include "ui/ZOLWorkThreadDlg.h"

#include "support/NUVDbg.h"

namespace kelvane {

CZOLWorkThreadDlg::CZOLWorkThreadDlg(QWidget* parent, const WorkJobTexts& texts,
                                     WorkJobFunction job)
    : CZOLProgressDlg(parent, ResolvedTexts(texts).title, {}, ResolvedTexts(texts).working,
                      ResolvedTexts(texts).aborting),
      texts_(ResolvedTexts(texts)),
      job_(std::move(job)) {
    SetAbortFunction([this] {
        abortFlag_ = 1;
        NUV_DEBUG("%s", "Abort button pressed");
    });
}

CZOLWorkThreadDlg::~CZOLWorkThreadDlg() {
    if (worker_.joinable()) {
        abortFlag_ = 1;
        worker_.join();
    }
}

StatusCode CZOLWorkThreadDlg::Run() {
    abortFlag_ = 0;
    worker_ = std::thread([this] {
        status_ = RunWorkJobBody(job_, texts_, abortFlag_);
        // The dialog closes on the user-interface thread, after the worker's last status text.
        PostWorkerEnded();
    });
    exec();
    if (worker_.joinable()) {
        worker_.join();
    }
    return status_;
}

StatusCode RunWorkJobDialog(QWidget* parent, const WorkJobTexts& texts, WorkJobFunction job) {
    CZOLWorkThreadDlg dialog(parent, texts, std::move(job));
    return dialog.Run();
}

}  // namespace kelvane

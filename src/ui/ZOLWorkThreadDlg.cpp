#include "ui/ZOLWorkThreadDlg.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "support/NUVDbg.h"
#include "ui/NuvQtText.h"

namespace kelvane {

CZOLWorkThreadDlg::CZOLWorkThreadDlg(QWidget* parent, const WorkJobTexts& texts,
                                     WorkJobFunction job)
    : QDialog(parent), texts_(ResolvedTexts(texts)), job_(std::move(job)) {
    BuildLayout({});
}

CZOLWorkThreadDlg::CZOLWorkThreadDlg(QWidget* parent, const std::string& title,
                                     const std::string& information, WorkJobFunction job)
    : QDialog(parent), job_(std::move(job)), statusTexts_(false) {
    WorkJobTexts texts;
    texts.title = title;
    texts_ = ResolvedTexts(texts);
    BuildLayout(information);
}

void CZOLWorkThreadDlg::BuildLayout(const std::string& information) {
    setModal(true);
    setWindowTitle(ToQt(texts_.title));
    auto* layout = new QVBoxLayout(this);
    if (!information.empty()) {
        information_ = new QLabel(ToQt(information), this);
        information_->setWordWrap(true);
        layout->addWidget(information_);
    }
    text_ = new QLabel(ToQt(texts_.working), this);
    layout->addWidget(text_);
    abort_ = new QPushButton(Tr("@button_abort@&Abort"), this);
    // Enter must not reach Abort through a default button.
    abort_->setAutoDefault(false);
    abort_->setDefault(false);
    layout->addWidget(abort_, 0, Qt::AlignHCenter);
    connect(abort_, &QPushButton::clicked, this, &CZOLWorkThreadDlg::OnAbort);
    setMinimumWidth(information.empty() ? 320 : 420);
}

CZOLWorkThreadDlg::~CZOLWorkThreadDlg() {
    if (worker_.joinable()) {
        abortFlag_ = 1;
        worker_.join();
    }
}

StatusCode CZOLWorkThreadDlg::Run() {
    abortFlag_ = 0;
    running_ = true;
    worker_ = std::thread([this] {
        const StatusCode status =
            statusTexts_ ? RunWorkJobBody(job_, texts_, abortFlag_) : job_(abortFlag_);
        // The dialog closes on the user-interface thread, after the worker's last status text.
        QMetaObject::invokeMethod(
            this,
            [this, status] {
                status_ = status;
                OnWorkerEnded();
            },
            Qt::QueuedConnection);
    });
    exec();
    if (worker_.joinable()) {
        worker_.join();
    }
    return status_;
}

void CZOLWorkThreadDlg::OnAbort() {
    abortFlag_ = 1;
    NUV_DEBUG("%s", "Abort button pressed");
    abort_->setEnabled(false);
    text_->setText(ToQt(texts_.aborting));
}

void CZOLWorkThreadDlg::OnWorkerEnded() {
    running_ = false;
    QDialog::accept();
}

void CZOLWorkThreadDlg::reject() {
    // Escape: Abort is the only way to stop a job.
    if (!running_) {
        QDialog::reject();
    }
}

void CZOLWorkThreadDlg::accept() {
    if (!running_) {
        QDialog::accept();
    }
}

void CZOLWorkThreadDlg::closeEvent(QCloseEvent* event) {
    if (running_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

StatusCode RunWorkJobDialog(QWidget* parent, const WorkJobTexts& texts, WorkJobFunction job) {
    CZOLWorkThreadDlg dialog(parent, texts, std::move(job));
    return dialog.Run();
}

}  // namespace kelvane

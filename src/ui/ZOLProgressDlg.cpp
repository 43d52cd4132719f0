#include "ui/ZOLProgressDlg.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/NuvQtText.h"

namespace kelvane {

CZOLProgressDlg::CZOLProgressDlg(QWidget* parent, const std::string& title,
                                 const std::string& information, const std::string& workingText,
                                 const std::string& abortingText)
    : QDialog(parent), abortingText_(abortingText) {
    setModal(true);
    setWindowTitle(ToQt(title));
    auto* layout = new QVBoxLayout(this);
    if (!information.empty()) {
        information_ = new QLabel(ToQt(information), this);
        information_->setWordWrap(true);
        layout->addWidget(information_);
    }
    text_ = new QLabel(ToQt(workingText), this);
    layout->addWidget(text_);
    abort_ = new QPushButton(Tr("@button_abort@&Abort"), this);
    // Enter must not reach Abort through a default button.
    abort_->setAutoDefault(false);
    abort_->setDefault(false);
    layout->addWidget(abort_, 0, Qt::AlignHCenter);
    connect(abort_, &QPushButton::clicked, this, &CZOLProgressDlg::OnAbort);
    setMinimumWidth(information.empty() ? 320 : 420);
}

void CZOLProgressDlg::OnAbort() {
    abort_->setEnabled(false);
    text_->setText(ToQt(abortingText_));
    if (onAbort_) {
        onAbort_();
    }
}

void CZOLProgressDlg::WorkerEnded() {
    running_ = false;
    QDialog::accept();
}

void CZOLProgressDlg::PostWorkerEnded() {
    QMetaObject::invokeMethod(
        this, [this] { WorkerEnded(); }, Qt::QueuedConnection);
}

void CZOLProgressDlg::reject() {
    // Escape: Abort is the only way to stop a job.
    if (!running_) {
        QDialog::reject();
    }
}

void CZOLProgressDlg::accept() {
    if (!running_) {
        QDialog::accept();
    }
}

void CZOLProgressDlg::closeEvent(QCloseEvent* event) {
    if (running_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace kelvane

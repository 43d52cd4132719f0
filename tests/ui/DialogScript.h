// Answers the program's modal dialogs by script while a command runs: each time the active
// modal window is of a type the script knows, its action runs on it (and must close it). The
// action runs from the event loop, not from the script's timer, so that it may open a nested
// dialog that the script answers too. A modal window the script does not know is rejected
// after a few seconds and named in Unexpected(), so that a test fails instead of hanging. The
// progress window is left alone.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/ZOLProgressDlg.h"

namespace kelvane::test {

class DialogScript {
  public:
    DialogScript() : timer_(new QTimer) {
        timer_->setInterval(10);
        QObject::connect(timer_.data(), &QTimer::timeout, [this] { Poll(); });
        timer_->start();
    }
    ~DialogScript() { delete timer_.data(); }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    // Runs `act` on each dialog of type T that comes up.
    template <typename T>
    void On(std::function<void(T*)> act) {
        handlers_.push_back({[](QWidget* modal) { return qobject_cast<T*>(modal) != nullptr; },
                             [act](QWidget* modal) { act(qobject_cast<T*>(modal)); }});
    }

    // How many dialogs the script answered.
    int Answered() const { return answered_; }
    const std::vector<std::string>& Unexpected() const { return unexpected_; }

  private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible() || modal == pending_) {
            waited_ = 0;
            return;
        }
        for (const auto& handler : handlers_) {
            if (handler.matches(modal)) {
                pending_ = modal;
                waited_ = 0;
                QTimer::singleShot(0, modal, [this, modal, act = handler.act] {
                    pending_ = nullptr;
                    ++answered_;
                    act(modal);
                });
                return;
            }
        }
        if (qobject_cast<CZOLProgressDlg*>(modal) != nullptr || ++waited_ < 500) {
            return;
        }
        unexpected_.push_back(modal->metaObject()->className());
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
        waited_ = 0;
    }

    struct Handler {
        std::function<bool(QWidget*)> matches;
        std::function<void(QWidget*)> act;
    };

    QPointer<QTimer> timer_;
    std::vector<Handler> handlers_;
    QPointer<QWidget> pending_;
    std::vector<std::string> unexpected_;
    int answered_ = 0;
    int waited_ = 0;
};

}  // namespace kelvane::test

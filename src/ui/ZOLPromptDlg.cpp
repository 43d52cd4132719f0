#include "ui/ZOLPromptDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "support/ZOLRunMode.h"
#include "ui/NuvQtText.h"
#include "ui/ZOLAppUi.h"

namespace kelvane {

CZOLPromptDlg::CZOLPromptDlg(QWidget* parent, const PromptLayout& layout)
    : QDialog(parent), escapeAnswer_(layout.escapeAnswer), answer_(layout.escapeAnswer) {
    setModal(true);
    setWindowTitle(layout.title.empty() ? ToQt(CurrentModeNames().productName) : Tr(layout.title));
    auto* column = new QVBoxLayout(this);
    for (const PromptLine& line : layout.lines) {
        auto* label = new QLabel(line.literal ? ToQt(line.text) : Tr(line.text), this);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setTextFormat(Qt::PlainText);
        column->addWidget(label);
    }
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    QPushButton* focus = nullptr;
    for (const PromptButton& entry : layout.buttons) {
        auto* button = new QPushButton(Tr(entry.text), this);
        button->setEnabled(entry.enabled);
        button->setAutoDefault(false);
        if (entry.isDefault) {
            button->setDefault(true);
            focus = button;
        }
        const int answer = entry.answer;
        connect(button, &QPushButton::clicked, this, [this, answer] {
            answer_ = answer;
            done(QDialog::Accepted);
        });
        row->addWidget(button);
        buttons_.push_back(button);
        answers_.push_back(answer);
    }
    column->addLayout(row);
    setMinimumWidth(440);
    if (focus != nullptr) {
        focus->setFocus(Qt::OtherFocusReason);
    }
}

QPushButton* CZOLPromptDlg::ButtonOf(int answer) const {
    for (size_t i = 0; i < answers_.size(); ++i) {
        if (answers_[i] == answer) {
            return buttons_[i];
        }
    }
    return nullptr;
}

void CZOLPromptDlg::reject() {
    // A prompt closed by its button keeps that answer.
    if (!isVisible()) {
        return;
    }
    answer_ = escapeAnswer_;
    QDialog::reject();
}

int AskPrompt(const PromptLayout& layout) {
    CZOLPromptDlg dialog(BoxParent(), layout);
    ExecWithNormalCursor(dialog);
    return dialog.Answer();
}

}  // namespace kelvane

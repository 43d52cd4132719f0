#include "ui/ZOLGotoLineNrDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "list/MyListCtrl.h"
#include "support/NUVLang.h"
#include "support/NUVUserInterface.h"
#include "ui/NuvQtText.h"

namespace kelvane {

CZOLGotoLineNrDlg::CZOLGotoLineNrDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Tr("Go to line nr"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(Tr("Line Number"), this);
    input_ = new QLineEdit(this);
    label->setBuddy(input_);
    row->addWidget(label);
    row->addWidget(input_, 1);
    layout->addLayout(row);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(Tr("@button_ok@&OK"), this);
    auto* cancel = new QPushButton(Tr("@button_cancel@&Cancel"), this);
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &CZOLGotoLineNrDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    input_->setFocus(Qt::OtherFocusReason);
}

void CZOLGotoLineNrDlg::accept() {
    long number = 0;
    if (!ParseGoToLineInput(TextFromQt(input_->text()), number)) {
        ShowBox(Translate("Wrong value"));
        input_->setFocus(Qt::OtherFocusReason);
        return;
    }
    lineNumber_ = number;
    QDialog::accept();
}

}  // namespace kelvane

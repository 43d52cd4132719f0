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
#include "ui/ZOLDialogParts.h"

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
    AddOkCancelRow(this, layout);
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

// Small pieces the program's dialogs share: the OK / Cancel row (with more buttons on its left
// when wanted), the text of an input that is a combo box or a line edit, and the wait cursor of
// commands that work for a moment.
#pragma once

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <initializer_list>
#include <string>

#include "platform/NonCopyable.h"
#include "ui/NuvQtText.h"

namespace kelvane {

struct OkCancelButtons {
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};

// A row: `leftKeys` buttons (returned through `left`, in order), a stretch, OK and Cancel.
// OK is the default button; OK accepts and Cancel rejects the dialog.
inline OkCancelButtons AddOkCancelRow(QDialog* dialog, QBoxLayout* layout,
                                      std::initializer_list<const char*> leftKeys = {},
                                      QPushButton** left = nullptr) {
    auto* row = new QHBoxLayout;
    int index = 0;
    for (const char* key : leftKeys) {
        auto* button = new QPushButton(Tr(key), dialog);
        button->setAutoDefault(false);
        row->addWidget(button);
        if (left != nullptr) {
            left[index] = button;
        }
        ++index;
    }
    row->addStretch(1);
    OkCancelButtons buttons;
    buttons.ok = new QPushButton(Tr("@button_ok@&OK"), dialog);
    buttons.cancel = new QPushButton(Tr("@button_cancel@&Cancel"), dialog);
    buttons.ok->setDefault(true);
    buttons.cancel->setAutoDefault(false);
    row->addWidget(buttons.ok);
    row->addWidget(buttons.cancel);
    layout->addLayout(row);
    QObject::connect(buttons.ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(buttons.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return buttons;
}

// The wait cursor while a command works; boxes show the normal cursor (see CZOLAppUi).
// Puts `text` into an editable combo box or a line edit; any other widget is left alone.
inline void SetInputText(QWidget* input, const QString& text) {
    if (auto* box = qobject_cast<QComboBox*>(input)) {
        box->setEditText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(input)) {
        edit->setText(text);
    }
}

class WaitCursor : NonCopyable {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace kelvane

#include "ui/ZOLModifySongDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/ZOLHelpTopics.h"
#include "output/ZOLModify.h"
#include "ui/HelpWindow.h"
#include "ui/ZOLAppUi.h"
#include "ui/ZOLDialogParts.h"
#include "ui/ZOLValueBox.h"

namespace kelvane {
namespace {

bool StoredInStyleFile(int songId) {
    return songId <= kSongFieldTimeSig;
}

QLabel* NoteLabel(QWidget* parent, const char* text) {
    auto* label = new QLabel(Tr(text), parent);
    label->setWordWrap(true);
    return label;
}

}  // namespace

CZOLModifySongDlg::CZOLModifySongDlg(QWidget* parent, CZOLModifySongLogic& logic)
    : QDialog(parent), logic_(logic) {
    setWindowTitle(logic.Title().empty() ? Tr("Modify Song Data") : Tr(logic.Title()));
    auto* layout = new QVBoxLayout(this);
    if (logic.NoteShown()) {
        styleFileNote_ = NoteLabel(this, kSongDialogNote);
        layout->addWidget(styleFileNote_);
    }
    auto* form = new QFormLayout;
    const SongFieldTexts& initial = logic.InitialTexts();
    for (int id : kSongDialogFieldIds) {
        const std::string& text = initial[static_cast<size_t>(id)];
        QWidget* control = nullptr;
        if (id == kSongFieldTempo) {
            tempo_ = NewValueEdit(this, text);
            control = tempo_;
        } else {
            combos_[static_cast<size_t>(id)] =
                NewValueCombo(this, ExistingFieldValues(kSongPoolBase + id), text);
            control = combos_[static_cast<size_t>(id)];
        }
        control->setEnabled(logic.InFileFieldsEnabled() || !StoredInStyleFile(id));
        // "*": written into the style file by Write MDB; the others stay in the catalogue.
        form->addRow(ToQt(SongFieldLabel(id)) + (StoredInStyleFile(id) ? " *" : ""), control);
    }
    layout->addLayout(form);
    layout->addWidget(NoteLabel(this,
                                "* written into the style file by Write MDB; the other "
                                "fields are kept in the catalogue only."));
    layout->addWidget(NoteLabel(this, kModifyFieldNote));
    QPushButton* left[2] = {};
    AddOkCancelRow(this, layout, {"@button_help@&Help", "@button_clear@C&lear"}, left);
    connect(left[0], &QPushButton::clicked, this, [] { OpenHelpPage(help::kModifySongDialog); });
    HelpOnF1(left[0]);
    connect(left[1], &QPushButton::clicked, this, [this] { Clear(); });
    setMinimumWidth(460);
}

QWidget* CZOLModifySongDlg::Control(int songId) const {
    if (songId == kSongFieldTempo) {
        return tempo_;
    }
    return songId >= 0 && songId < kSongFieldCount ? combos_[static_cast<size_t>(songId)] : nullptr;
}

void CZOLModifySongDlg::SetFieldText(int songId, const QString& text) {
    SetInputText(Control(songId), text);
}

void CZOLModifySongDlg::Clear() {
    for (int id : kSongDialogFieldIds) {
        if (Control(id)->isEnabled()) {
            SetFieldText(id, QString());
        }
    }
}

SongFieldTexts CZOLModifySongDlg::Texts() const {
    SongFieldTexts texts{};
    const SongFieldTexts& initial = logic_.InitialTexts();
    for (int id : kSongDialogFieldIds) {
        const auto slot = static_cast<size_t>(id);
        // A disabled field is left as it is.
        if (!Control(id)->isEnabled()) {
            continue;
        }
        texts[slot] = ValueInputBytes(Control(id), initial[slot]);
    }
    return texts;
}

void CZOLModifySongDlg::accept() {
    const DialogOkResult result = logic_.Ok(Texts());
    okStatus_ = result.status;
    if (result.close) {
        QDialog::accept();
    }
}

bool RunModifySongDialog(QWidget* parent, CZOLModifySongLogic& logic) {
    if (!logic.Ready()) {
        return false;
    }
    CZOLModifySongDlg dialog(parent, logic);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace kelvane

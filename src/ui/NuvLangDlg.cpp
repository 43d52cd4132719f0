#include "ui/NuvLangDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/SettingsStore.h"
#include "support/NUVLang.h"
#include "support/NUVTrace.h"
#include "ui/NuvQtText.h"
#include "ui/ZOLDialogParts.h"

namespace kelvane {

CNuvLangDlg::CNuvLangDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Tr("Language"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Tr("Select the language"), this));
    languages_ = new QComboBox(this);
    Lang().ListLanguages();
    for (const LanguageEntry& entry : Lang().Languages()) {
        languages_->addItem(ToQt(entry.fullName), QString::fromStdString(entry.fullName));
        if (entry.fullName == Lang().CurrentLanguageFullName()) {
            languages_->setCurrentIndex(languages_->count() - 1);
        }
    }
    layout->addWidget(languages_);
    layout->addWidget(
        new QLabel(Tr("A restart of the program is required to activate a new language."), this));
    AddOkCancelRow(this, layout);
}

void CNuvLangDlg::accept() {
    Lang().SetLanguageByFullName(languages_->currentData().toString().toStdString());
    QDialog::accept();
}

bool RunLanguageDialog(QWidget* parent) {
    CNuvLangDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    if (SettingsStore().WriteText("Global", "Language", Lang().CurrentLanguageShortName()) != 0) {
        TraceFormat(trace::kAlways, true, "%s %s %s", "Error - Cannot store setting - ", "Global",
                    "Language");
    }
    return true;
}

}  // namespace kelvane

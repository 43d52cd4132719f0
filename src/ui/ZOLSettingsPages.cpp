// Settings pages 1 to 4: folders and external programs.
#include "ui/ZOLSettingsPages.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ZOLHelpTopics.h"
#include "support/NUVConfig.h"
#include "support/ZOLRunMode.h"
#include "ui/DlgGetPath.h"
#include "ui/NuvQtText.h"

namespace kelvane {
namespace {

// Programs on this platform have no extension: the first filter shows every file.
QString ProgramFileFilter() {
    return Tr("Executable Files (*)") + ";;" + Tr("Shell Scripts (*.sh)") + ";;" +
           Tr("All Files (*)");
}

void BrowseFolder(QWidget* parent, QLineEdit* edit, const char* title) {
    std::string start = Trimmed(PathFromQt(edit->text()));
    NormaliseFolder(start);
    CDlgGetPath dialog(parent, Translate(title), start.empty() ? "/" : start);
    if (dialog.exec() == QDialog::Accepted) {
        edit->setText(PathToQt(dialog.Folder()));
    }
}

void BrowseProgram(QWidget* parent, QLineEdit* edit, const char* title) {
    const QString file =
        QFileDialog::getOpenFileName(parent, Tr(title), edit->text(), ProgramFileFilter());
    if (!file.isEmpty()) {
        edit->setText(file);
    }
}

std::string Value(const QLineEdit* edit) {
    return edit == nullptr ? std::string() : Trimmed(PathFromQt(edit->text()));
}

void Show(QLineEdit* edit, const std::string& value) {
    if (edit != nullptr) {
        edit->setText(PathToQt(value));
    }
}

}  // namespace

QLineEdit* CZOLSettingsPage::AddPathGroup(QVBoxLayout* layout, const char* title, const char* text,
                                          const char* key, const char* browseButton,
                                          const char* browseTitle, bool folder) {
    auto* group = new QGroupBox(Tr(title), this);
    auto* groupLayout = new QVBoxLayout(group);
    auto* description = new QLabel(Tr(text), group);
    description->setWordWrap(true);
    groupLayout->addWidget(description);
    auto* row = new QHBoxLayout;
    auto* edit = new QLineEdit(group);
    edit->setObjectName(QString::fromLatin1(key));
    auto* browse = new QPushButton(Tr(browseButton), group);
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, [this, edit, browseTitle, folder] {
        if (folder) {
            BrowseFolder(this, edit, browseTitle);
        } else {
            BrowseProgram(this, edit, browseTitle);
        }
    });
    row->addWidget(edit, 1);
    row->addWidget(browse);
    groupLayout->addLayout(row);
    layout->addWidget(group);
    return edit;
}

CZOLSettingsPage02::CZOLSettingsPage02(QWidget* parent)
    : CZOLSettingsPage(parent, help::kSettingsFolders) {
    const bool style = IsStyleMode();
    auto* layout = new QVBoxLayout(this);
    start_ = AddPathGroup(
        layout, style ? "Default style file folder" : "Default midi file folder",
        style ? "Specify the style file folder which should be selected after starting the "
                "program below."
              : "Specify the midi file folder which should be selected after starting the "
                "program below.",
        "DefaultStartPath", "@button_browse@&Browse", "Browse for start folder", true);
    subfolders_ = new QCheckBox(Tr("@check_box@Incl. Subfolders"), this);
    subfolders_->setObjectName("DefaultIncludeSubdirectories");
    layout->addWidget(subfolders_);
    trash_ =
        AddPathGroup(layout, "Trash folder",
                     "Specify the folder which should be used when moving files to trash "
                     "below.",
                     "TrashFolder", "@button_browse2@B&rowse", "Browse for trash folder", true);
    layout->addStretch(1);
}

void CZOLSettingsPage02::Load(const SettingsValues& values) {
    Show(start_, values.defaultStartPath);
    subfolders_->setChecked(values.defaultIncludeSubdirectories != 0);
    Show(trash_, values.trashFolder);
}

void CZOLSettingsPage02::Save(SettingsValues& values) const {
    values.defaultStartPath = Value(start_);
    values.defaultIncludeSubdirectories = subfolders_->isChecked() ? 1 : 0;
    values.trashFolder = Value(trash_);
}

CZOLSettingsPage01::CZOLSettingsPage01(QWidget* parent)
    : CZOLSettingsPage(parent, help::kSettingsPlayers) {
    auto* layout = new QVBoxLayout(this);
    if (IsStyleMode()) {
        const char* text =
            "If you want to play styles you need an external style player program.\nFill in the "
            "full path and name of this program below.";
        player1_ = AddPathGroup(layout, "External Style Player", text, "StylePlayer",
                                "@button_browse@&Browse", "Browse for Style Player", false);
        player2_ = AddPathGroup(layout, "External Style Player 2 (optional)", text, "StylePlayer2",
                                "@button_browse2@B&rowse", "Browse for Style Player", false);
    } else {
        const char* text =
            "If you want to play midi files you need an external midi player program.\nFill in "
            "the full path and name of this program below.";
        player1_ = AddPathGroup(layout, "External Midi Player", text, "MidiPlayer",
                                "@button_browse@&Browse", "Browse for Midi Player", false);
        player2_ = AddPathGroup(layout, "External Midi Player 2 (optional)", text, "MidiPlayer2",
                                "@button_browse2@B&rowse", "Browse for Midi Player", false);
        karaoke_ = AddPathGroup(layout, "External Karaoke Player",
                                "If you want to play karaoke files you may need an external "
                                "karaoke player program.\nFill in the full path and name of this "
                                "program below.",
                                "KaraokePlayer", "@button_browse@&Browse",
                                "Browse for Karaoke Player", false);
    }
    layout->addStretch(1);
}

void CZOLSettingsPage01::Load(const SettingsValues& values) {
    Show(player1_, values.player1);
    Show(player2_, values.player2);
    Show(karaoke_, values.karaokePlayer);
}

void CZOLSettingsPage01::Save(SettingsValues& values) const {
    values.player1 = Value(player1_);
    values.player2 = Value(player2_);
    if (karaoke_ != nullptr) {
        values.karaokePlayer = Value(karaoke_);
    }
}

CZOLSettingsPage03::CZOLSettingsPage03(QWidget* parent)
    : CZOLSettingsPage(parent, help::kSettingsEditors) {
    auto* layout = new QVBoxLayout(this);
    if (IsStyleMode()) {
        const char* text =
            "If you want to edit styles you need an external style editor program.\nFill in the "
            "full path and name of this program below.";
        editor1_ = AddPathGroup(layout, "External Style Editor", text, "StyleEditor",
                                "@button_browse@&Browse", "Browse for Style Editor", false);
        editor2_ = AddPathGroup(layout, "External Style Editor 2 (optional)", text, "StyleEditor2",
                                "@button_browse2@B&rowse", "Browse for Style Editor", false);
        casm_ = AddPathGroup(layout, "External Style CASM Editor",
                             "If you want to edit the CASM section of styles you need an external "
                             "CASM editor program.\nFill in the full path and name of this "
                             "program below.",
                             "StyleCASMEditor", "@button_browse@&Browse", "Browse for CASM Editor",
                             false);
    } else {
        const char* text =
            "If you want to edit midis you need an external midi editor (sequencer) "
            "program.\nFill in the full path and name of this program below.";
        editor1_ = AddPathGroup(layout, "External Midi Editor", text, "MidiEditor",
                                "@button_browse@&Browse", "Browse for Midi Editor", false);
        editor2_ = AddPathGroup(layout, "External Midi Editor 2 (optional)", text, "MidiEditor2",
                                "@button_browse2@B&rowse", "Browse for Midi Editor", false);
    }
    layout->addStretch(1);
}

void CZOLSettingsPage03::Load(const SettingsValues& values) {
    Show(editor1_, values.editor1);
    Show(editor2_, values.editor2);
    Show(casm_, values.casmEditor);
}

void CZOLSettingsPage03::Save(SettingsValues& values) const {
    values.editor1 = Value(editor1_);
    values.editor2 = Value(editor2_);
    if (casm_ != nullptr) {
        values.casmEditor = Value(casm_);
    }
}

CZOLSettingsPage06::CZOLSettingsPage06(QWidget* parent)
    : CZOLSettingsPage(parent, help::kSettingsTools) {
    auto* layout = new QVBoxLayout(this);
    dump_ = AddPathGroup(layout, "External Dump Program",
                         "If you want to dump files you need an external dump program.\nFill in "
                         "the full path and name of this program below.",
                         "DumpProgram", "@button_browse@&Browse", "Browse for Dump Program", false);
    layout->addStretch(1);
}

void CZOLSettingsPage06::Load(const SettingsValues& values) {
    Show(dump_, values.dumpProgram);
}

void CZOLSettingsPage06::Save(SettingsValues& values) const {
    values.dumpProgram = Value(dump_);
}

}  // namespace kelvane

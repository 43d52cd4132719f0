#include "ui/SettingsPage.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstring>

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

void BrowseProgram(QWidget* parent, QLineEdit* edit, const char* title) {
    const QString file =
        QFileDialog::getOpenFileName(parent, Tr(title), edit->text(), ProgramFileFilter());
    if (!file.isEmpty()) {
        edit->setText(file);
    }
}

bool ShownInMode(const SettingRow& row) {
    switch (row.modes) {
        case SettingModes::Style:
            return IsStyleMode();
        case SettingModes::Midi:
            return !IsStyleMode();
        case SettingModes::Both:
            break;
    }
    return true;
}

bool SameGroup(const char* a, const char* b) {
    return a != nullptr && b != nullptr && std::strcmp(a, b) == 0;
}

}  // namespace

void BrowseFolder(QWidget* parent, QLineEdit* edit, const char* title) {
    std::string start = Trimmed(PathFromQt(edit->text()));
    NormaliseFolder(start);
    CDlgGetPath dialog(parent, Translate(title), start.empty() ? "/" : start);
    if (dialog.exec() == QDialog::Accepted) {
        edit->setText(PathToQt(dialog.Folder()));
    }
}

SettingsPage::SettingsPage(QWidget* parent, const char* helpPage, std::span<const SettingRow> rows)
    : SettingsPage(parent, helpPage) {
    auto* layout = new QVBoxLayout(this);
    AddRows(layout, rows);
    layout->addStretch(1);
}

void SettingsPage::AddRows(QVBoxLayout* layout, std::span<const SettingRow> rows) {
    const char* groupTitle = nullptr;
    QVBoxLayout* group = nullptr;
    for (const SettingRow& row : rows) {
        if (!ShownInMode(row)) {
            continue;
        }
        if (row.control != SettingControl::CheckBox) {
            controls_.push_back({&row, AddPathGroup(layout, row), nullptr});
            groupTitle = nullptr;
            continue;
        }
        QVBoxLayout* target = layout;
        if (row.title != nullptr) {
            if (!SameGroup(groupTitle, row.title)) {
                auto* box = new QGroupBox(Tr(row.title), this);
                group = new QVBoxLayout(box);
                layout->addWidget(box);
                groupTitle = row.title;
            }
            target = group;
        } else {
            groupTitle = nullptr;
        }
        auto* check = new QCheckBox(Tr(row.text), this);
        check->setObjectName(QString::fromLatin1(row.key));
        target->addWidget(check);
        controls_.push_back({&row, nullptr, check});
    }
}

QLineEdit* SettingsPage::AddPathGroup(QVBoxLayout* layout, const SettingRow& row) {
    auto* group = new QGroupBox(Tr(row.title), this);
    auto* groupLayout = new QVBoxLayout(group);
    auto* description = new QLabel(Tr(row.text), group);
    description->setWordWrap(true);
    groupLayout->addWidget(description);
    auto* line = new QHBoxLayout;
    auto* edit = new QLineEdit(group);
    edit->setObjectName(QString::fromLatin1(row.key));
    auto* browse = new QPushButton(Tr(row.browseButton), group);
    browse->setAutoDefault(false);
    const bool folder = row.control == SettingControl::FolderPath;
    const char* title = row.browseTitle;
    connect(browse, &QPushButton::clicked, this, [this, edit, title, folder] {
        if (folder) {
            BrowseFolder(this, edit, title);
        } else {
            BrowseProgram(this, edit, title);
        }
    });
    line->addWidget(edit, 1);
    line->addWidget(browse);
    groupLayout->addLayout(line);
    layout->addWidget(group);
    return edit;
}

void SettingsPage::Load(const SettingsValues& values) {
    for (const Control& control : controls_) {
        if (control.edit != nullptr) {
            control.edit->setText(PathToQt(values.*(control.row->path)));
        } else {
            control.check->setChecked(values.*(control.row->flag) != 0);
        }
    }
}

void SettingsPage::Save(SettingsValues& values) const {
    for (const Control& control : controls_) {
        if (control.edit != nullptr) {
            values.*(control.row->path) = Trimmed(PathFromQt(control.edit->text()));
        } else {
            values.*(control.row->flag) = control.check->isChecked() ? 1 : 0;
        }
    }
}

}  // namespace kelvane

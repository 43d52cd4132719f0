#include "ui/SettingsPage.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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

// A program, or with `filter` a file of that kind.
void BrowseFile(QWidget* parent, QLineEdit* edit, const char* title, const char* filter) {
    const QString filters =
        filter != nullptr ? Tr(filter) + ";;" + Tr("All Files (*)") : ProgramFileFilter();
    const QString file = QFileDialog::getOpenFileName(parent, Tr(title), edit->text(), filters);
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
    groupTitle_ = nullptr;
    for (const SettingRow& row : rows) {
        if (!ShownInMode(row)) {
            continue;
        }
        if (row.control == SettingControl::CheckBox) {
            auto* check = new QCheckBox(Tr(row.text), this);
            check->setObjectName(QString::fromLatin1(row.key));
            GroupLayout(layout, row)->addWidget(check);
            controls_.push_back({&row, nullptr, check});
        } else if (row.control == SettingControl::Choice) {
            auto* radio = new QRadioButton(Tr(row.text), this);
            radio->setObjectName(QString::fromLatin1(row.key) + QString::number(row.choice));
            GroupLayout(layout, row)->addWidget(radio);
            controls_.push_back({&row, nullptr, nullptr, radio});
        } else {
            controls_.push_back({&row, AddPathGroup(layout, row), nullptr});
            groupTitle_ = nullptr;
        }
    }
}

QVBoxLayout* SettingsPage::GroupLayout(QVBoxLayout* layout, const SettingRow& row) {
    if (row.title == nullptr) {
        groupTitle_ = nullptr;
        return layout;
    }
    if (!SameGroup(groupTitle_, row.title)) {
        auto* box = new QGroupBox(Tr(row.title), this);
        group_ = new QVBoxLayout(box);
        layout->addWidget(box);
        groupTitle_ = row.title;
    }
    return group_;
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
    const char* filter = row.control == SettingControl::FilePath ? row.fileFilter : nullptr;
    connect(browse, &QPushButton::clicked, this, [this, edit, title, folder, filter] {
        if (folder) {
            BrowseFolder(this, edit, title);
        } else {
            BrowseFile(this, edit, title, filter);
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
        } else if (control.radio != nullptr) {
            control.radio->setChecked(values.*(control.row->flag) == control.row->choice);
        } else {
            control.check->setChecked(values.*(control.row->flag) != 0);
        }
    }
}

void SettingsPage::Save(SettingsValues& values) const {
    for (const Control& control : controls_) {
        if (control.edit != nullptr) {
            values.*(control.row->path) = Trimmed(PathFromQt(control.edit->text()));
        } else if (control.radio != nullptr) {
            if (control.radio->isChecked()) {
                values.*(control.row->flag) = control.row->choice;
            }
        } else {
            values.*(control.row->flag) = control.check->isChecked() ? 1 : 0;
        }
    }
}

}  // namespace kelvane

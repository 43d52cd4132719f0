#include "ui/SpecialSettingsPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/ZOLHelpTopics.h"
#include "platform/ProgramDir.h"
#include "platform/SettingsStore.h"
#include "support/NUVConfig.h"
#include "support/NUVLang.h"
#include "support/NUVTrace.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"
#include "ui/NuvLangDlg.h"
#include "ui/NuvQtText.h"
#include "ui/SettingsRows.h"

namespace kelvane {
namespace {

// A group titled `title` with one drop-down, labelled `label` and named `key`.
QComboBox* AddChoiceGroup(QWidget* page, QVBoxLayout* layout, const char* title, const char* label,
                          const char* key) {
    auto* group = new QGroupBox(Tr(title), page);
    auto* form = new QFormLayout(group);
    auto* box = new QComboBox(group);
    box->setObjectName(QString::fromLatin1(key));
    form->addRow(Tr(label), box);
    layout->addWidget(group);
    return box;
}

void SelectData(QComboBox* box, const QVariant& data) {
    const int index = box->findData(data);
    box->setCurrentIndex(index >= 0 ? index : 0);
}

}  // namespace

FunctionKeysPage::FunctionKeysPage(QWidget* parent)
    : SettingsPage(parent, help::kSettingsFunctionKeys) {
    auto* form = new QFormLayout(this);
    for (int key = 1; key <= kFunctionKeyCount; ++key) {
        const QString label = QStringLiteral("F%1").arg(key);
        if (!FunctionKeyAssignable(key)) {
            form->addRow(label, new QLabel(Tr(key == 1 ? "Help" : "Refresh List"), this));
            continue;
        }
        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("FunctionKey%1").arg(key));
        for (const FunctionKeyAction& action : FunctionKeyActions()) {
            if (action.number == kNoFunctionKeyAction ||
                CommandPresent(action.command, RunMode())) {
                box->addItem(ToQt(FunctionKeyActionText(action, Config().quickCopyPath)),
                             action.number);
            }
        }
        keys_[key - 1] = box;
        form->addRow(label, box);
    }
}

void FunctionKeysPage::Load(const SettingsValues& values) {
    loaded_ = values.functionKeys;
    for (int index = 0; index < kFunctionKeyCount; ++index) {
        if (keys_[index] != nullptr) {
            // 0 and numbers without an action show as "(no action)".
            const int number = values.functionKeys[static_cast<std::size_t>(index)];
            const int found = keys_[index]->findData(number);
            SelectData(keys_[index], found >= 0 ? number : kNoFunctionKeyAction);
        }
    }
}

void FunctionKeysPage::Save(SettingsValues& values) const {
    for (int index = 0; index < kFunctionKeyCount; ++index) {
        if (keys_[index] == nullptr) {
            continue;
        }
        const auto slot = static_cast<std::size_t>(index);
        const int number =
            keys_[index]->currentIndex() >= 0 ? keys_[index]->currentData().toInt() : -1;
        // "(no action)" keeps a stored value that the list cannot show (0 stays 0).
        const bool keepLoaded =
            number == kNoFunctionKeyAction && FunctionKeyActionName(loaded_[slot]).empty();
        values.functionKeys[slot] = keepLoaded || number < 0 ? loaded_[slot] : number;
    }
}

ViewPage::ViewPage(QWidget* parent) : SettingsPage(parent, help::kSettingsView) {
    auto* layout = new QVBoxLayout(this);
    fontSize_ =
        AddChoiceGroup(this, layout, "Font", "Font size of main list", "DefaultListViewFontSize");
    fontSize_->addItem(Tr("(default)"), 0);
    for (int size = kMinListFontSize; size <= kMaxListFontSize; ++size) {
        fontSize_->addItem(QString::number(size), size);
    }
    sortOrder_ =
        AddChoiceGroup(this, layout, "Sort Order", "Sort order in lists", "DefaultSortOrder");
    for (const char* name : SortOrderNames()) {
        sortOrder_->addItem(Tr(name), QString::fromLatin1(name));
    }

    auto* language = new QGroupBox(Tr("Language"), this);
    auto* languageLayout = new QVBoxLayout(language);
    language_ = new QComboBox(language);
    language_->setObjectName("Language");
    Lang().ListLanguages();
    for (const LanguageEntry& entry : Lang().Languages()) {
        language_->addItem(ToQt(entry.fullName), QString::fromStdString(entry.fullName));
    }
    languageLayout->addWidget(language_);
    languageLayout->addWidget(new QLabel(
        Tr("A restart of the program is required to activate a new language."), language));
    layout->addWidget(language);
    layout->addStretch(1);
}

void ViewPage::Load(const SettingsValues& values) {
    SelectData(fontSize_, values.listViewFontSize);
    SelectData(sortOrder_, QString::fromStdString(values.sortOrder));
    SelectLanguage(values.languageFullName);
}

void ViewPage::SelectLanguage(const std::string& fullName) {
    SelectData(language_, QString::fromStdString(fullName));
}

void ViewPage::Save(SettingsValues& values) const {
    values.listViewFontSize = fontSize_->currentData().toInt();
    values.sortOrder = sortOrder_->currentData().toString().toStdString();
    values.languageFullName = language_->currentData().toString().toStdString();
}

MiscellaneousPage::MiscellaneousPage(QWidget* parent)
    : SettingsPage(parent, help::kSettingsMiscellaneous) {
    auto* layout = new QVBoxLayout(this);
    auto* floppy = new QGroupBox(Tr("Floppy/USB-Device Handling Specials"), this);
    auto* floppyLayout = new QVBoxLayout(floppy);
    floppyLayout->addWidget(new QLabel(Tr("Destination drive for quick copy function"), floppy));
    quickPath_ = new QLineEdit(floppy);
    quickPath_->setObjectName("QuickCopyPath");
    auto* quickLine = new QHBoxLayout;
    auto* browse = new QPushButton(Tr("@button_browse2@B&rowse"), floppy);
    browse->setObjectName("QuickCopyPathBrowse");
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, [this] {
        BrowseFolder(this, quickPath_, "Destination drive for quick copy function");
    });
    quickLine->addWidget(quickPath_, 1);
    quickLine->addWidget(browse);
    floppyLayout->addLayout(quickLine);
    uppercase_ = new QCheckBox(floppy);
    uppercase_->setObjectName("DefaultUppercaseShortFilenamesOnCopyToA");
    floppyLayout->addWidget(uppercase_);
    if (IsStyleMode()) {
        renameToSty_ = new QCheckBox(floppy);
        renameToSty_->setObjectName("DefaultRenameToStyOnCopyToA");
        floppyLayout->addWidget(renameToSty_);
    }
    connect(quickPath_, &QLineEdit::textChanged, this, &MiscellaneousPage::UpdateCopyToTexts);
    layout->addWidget(floppy);

    AddRows(layout, MiscellaneousRows());

    // How many files the reading of a folder analyses at once; 0 is one per core.
    auto* workersLine = new QHBoxLayout;
    auto* workersLabel = new QLabel(Tr("Files analysed at once when reading folders:"), this);
    scanWorkers_ = new QSpinBox(this);
    scanWorkers_->setObjectName("ScanWorkers");
    scanWorkers_->setRange(kMinScanWorkers, kMaxScanWorkers);
    scanWorkers_->setSpecialValueText(Tr("one per core"));
    workersLabel->setBuddy(scanWorkers_);
    workersLine->addWidget(workersLabel);
    workersLine->addWidget(scanWorkers_);
    workersLine->addStretch(1);
    layout->addLayout(workersLine);

    if (IsStyleMode()) {
        auto* change = new QPushButton(Tr("Change Language"), this);
        change->setAutoDefault(false);
        connect(change, &QPushButton::clicked, this, [this] {
            if (RunLanguageDialog(this)) {
                Q_EMIT LanguageChanged();
            }
        });
        layout->addWidget(change, 0, Qt::AlignLeft);
    }
    layout->addStretch(1);
    UpdateCopyToTexts();
}

void MiscellaneousPage::UpdateCopyToTexts() {
    const std::string path = Trimmed(PathFromQt(quickPath_->text())) + "/";
    uppercase_->setText(Tr("Uppercase short (8.3) filenames on copy to ") + PathToQt(path));
    if (renameToSty_ != nullptr) {
        renameToSty_->setText(Tr("Change extension of file to *.STY on copy to ") + PathToQt(path));
    }
}

void MiscellaneousPage::Load(const SettingsValues& values) {
    quickPath_->setText(PathToQt(values.quickCopyPath));
    uppercase_->setChecked(values.uppercaseShortFilenamesOnCopyToA != 0);
    if (renameToSty_ != nullptr) {
        renameToSty_->setChecked(values.renameToStyOnCopyToA != 0);
    }
    scanWorkers_->setValue(ScanWorkersSetting(values.scanWorkers));
    SettingsPage::Load(values);
}

void MiscellaneousPage::Save(SettingsValues& values) const {
    values.quickCopyPath = Trimmed(PathFromQt(quickPath_->text()));
    values.uppercaseShortFilenamesOnCopyToA = uppercase_->isChecked() ? 1 : 0;
    if (renameToSty_ != nullptr) {
        values.renameToStyOnCopyToA = renameToSty_->isChecked() ? 1 : 0;
    }
    values.scanWorkers = scanWorkers_->value();
    SettingsPage::Save(values);
}

DeveloperPage::DeveloperPage(QWidget* parent) : SettingsPage(parent, "") {
    auto* form = new QFormLayout(this);
    form->addRow(Tr("Program folder"), new QLabel(PathToQt(ProgramFolder()), this));
    form->addRow(Tr("Settings file"), new QLabel(PathToQt(SettingsStore().FileName()), this));
    form->addRow(Tr("Trace file"), new QLabel(PathToQt(TraceFilePath()), this));
    form->addRow(Tr("Trace level"), new QLabel(QString::number(TraceLevel()), this));
}

}  // namespace kelvane

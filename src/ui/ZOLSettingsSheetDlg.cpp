#include "ui/ZOLSettingsSheetDlg.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/ZOLHelpTopics.h"
#include "app/ZOLSettingsValues.h"
#include "support/NUVLang.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"
#include "ui/NuvQtText.h"
#include "ui/SettingsRows.h"
#include "ui/SpecialSettingsPages.h"
#include "ui/ZOLAppUi.h"
#include "ui/ZOLDialogParts.h"

namespace kelvane {
namespace {

constexpr int kTabBarMargin = 16;

}  // namespace

CZOLSettingsSheetDlg::CZOLSettingsSheetDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Tr("Settings"));
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    layout->addWidget(tabs_);
    const bool style = IsStyleMode();
    AddPage(new SettingsPage(this, help::kSettingsFolders, FolderRows()), "Folders");
    AddPage(new SettingsPage(this, help::kSettingsPlayers, PlayerRows()),
            style ? "External Style Players" : "External Midi Players");
    AddPage(new SettingsPage(this, help::kSettingsEditors, EditorRows()),
            style ? "External Style Editors" : "External Midi Editors");
    AddPage(new SettingsPage(this, help::kSettingsTools, ToolRows()), "External Tools");
    AddPage(new FunctionKeysPage(this), "Function Keys");
    auto* view = new ViewPage(this);
    AddPage(view, "View");
    auto* misc = new MiscellaneousPage(this);
    AddPage(misc, "Miscellaneous");
    if (Config().specialMenu != 0) {
        AddPage(new DeveloperPage(this), "NUV-Spezial");
    }
    // The language dialog of the Miscellaneous page has stored its choice already.
    connect(misc, &MiscellaneousPage::LanguageChanged, this,
            [view] { view->SelectLanguage(Lang().CurrentLanguageFullName()); });

    const SettingsValues values = CurrentSettingsValues();
    for (SettingsPage* page : pages_) {
        page->Load(values);
    }
    tabs_->setCurrentIndex(0);
    // Every tab's title in view at the sheet's first size, without scroll arrows.
    tabs_->setMinimumWidth(tabs_->tabBar()->sizeHint().width() + kTabBarMargin);

    layout->addWidget(new QLabel(Tr("For Help press the 'F1' key."), this));
    AddOkCancelRow(this, layout);
}

void CZOLSettingsSheetDlg::AddPage(SettingsPage* page, const char* title) {
    pages_.push_back(page);
    tabs_->addTab(page, Tr(title));
}

void CZOLSettingsSheetDlg::accept() {
    SettingsValues values = CurrentSettingsValues();
    for (const SettingsPage* page : pages_) {
        page->Save(values);
    }
    // Failures are in the trace; the sheet closes either way.
    storeStatus_ = StoreSettingsValues(values);
    QDialog::accept();
}

void CZOLSettingsSheetDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_F1) {
        QDialog::keyPressEvent(event);
        return;
    }
    const auto* page = static_cast<SettingsPage*>(tabs_->currentWidget());
    if (page == nullptr || *page->HelpPage() == '\0') {
        return;
    }
    OpenHelpPage(page->HelpPage());
}

}  // namespace kelvane

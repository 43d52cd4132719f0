#include "ui/ZOLSettingsSheetDlg.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/ZOLSettingsValues.h"
#include "support/NUVLang.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"
#include "ui/NuvQtText.h"
#include "ui/ZOLAppUi.h"
#include "ui/ZOLSettingsPages.h"

namespace kelvane {

CZOLSettingsSheetDlg::CZOLSettingsSheetDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Tr("Settings"));
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    layout->addWidget(tabs_);
    const bool style = IsStyleMode();
    AddPage(new CZOLSettingsPage02(this), "Folders");
    AddPage(new CZOLSettingsPage01(this),
            style ? "External Style Players" : "External Midi Players");
    AddPage(new CZOLSettingsPage03(this),
            style ? "External Style Editors" : "External Midi Editors");
    AddPage(new CZOLSettingsPage06(this), "External Tools");
    AddPage(new CZOLSettingsPage07(this), "Function Keys");
    auto* view = new CZOLSettingsPage08(this);
    AddPage(view, "View");
    auto* misc = new CZOLSettingsPage04(this);
    AddPage(misc, "Miscellaneous");
    if (Config().specialMenu != 0) {
        AddPage(new CZOLSettingsPage99(this), "NUV-Spezial");
    }
    // The language dialog of the Miscellaneous page has stored its choice already.
    connect(misc, &CZOLSettingsPage04::LanguageChanged, this,
            [view] { view->SelectLanguage(Lang().CurrentLanguageFullName()); });

    const SettingsValues values = CurrentSettingsValues();
    for (CZOLSettingsPage* page : pages_) {
        page->Load(values);
    }
    tabs_->setCurrentIndex(0);

    layout->addWidget(new QLabel(Tr("For Help press the 'F1' key."), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Tr("@button_ok@&OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Tr("@button_cancel@&Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CZOLSettingsSheetDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CZOLSettingsSheetDlg::AddPage(CZOLSettingsPage* page, const char* title) {
    pages_.push_back(page);
    tabs_->addTab(page, Tr(title));
}

void CZOLSettingsSheetDlg::accept() {
    SettingsValues values = CurrentSettingsValues();
    for (const CZOLSettingsPage* page : pages_) {
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
    const auto* page = static_cast<CZOLSettingsPage*>(tabs_->currentWidget());
    if (page == nullptr || *page->HelpPage() == '\0') {
        return;
    }
    OpenHelpPage(page->HelpPage());
}

}  // namespace kelvane

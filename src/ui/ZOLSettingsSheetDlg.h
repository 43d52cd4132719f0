// The settings sheet: the pages in order (Folders, Players, Editors, External Tools, Function
// Keys, View, Miscellaneous, and the developer page with NUV_SPECIAL_MENU), opening on Folders.
// F1 opens the help page of the page shown; OK stores every value at once.
#pragma once

#include <QDialog>
#include <vector>

#include "support/NUVStatus.h"

class QTabWidget;

namespace kelvane {

class SettingsPage;

class CZOLSettingsSheetDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CZOLSettingsSheetDlg(QWidget* parent);

    QTabWidget* Pages() const { return tabs_; }
    // The status of the last store (-10020 when a value could not be written).
    StatusCode StoreStatus() const { return storeStatus_; }
    void accept() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void AddPage(SettingsPage* page, const char* title);

    QTabWidget* tabs_ = nullptr;
    std::vector<SettingsPage*> pages_;
    StatusCode storeStatus_ = 0;
};

}  // namespace kelvane

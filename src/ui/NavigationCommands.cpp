#include "ui/NavigationCommands.h"

#include <QCheckBox>
#include <QComboBox>
#include <optional>

#include "app/ZOLReadFolder.h"
#include "list/ZOLDuplicateSelection.h"
#include "list/ZOLListViewMgr.h"
#include "scan/ZOLTreeScan.h"
#include "support/NUVConfig.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "support/NUVUserInterface.h"
#include "support/NUVWorkThread.h"
#include "support/ZOLConfigValues.h"
#include "ui/DlgGetPath.h"
#include "ui/MainFrm.h"
#include "ui/NuvQtText.h"
#include "ui/ZOLAppUi.h"
#include "ui/ZOLGotoLineNrDlg.h"
#include "ui/ZOLListArea.h"
#include "ui/ZOLListWidget.h"

namespace kelvane {
namespace {

// The folder chooser of the duplicate selection: the program's folder dialog.
class CDlgFolderChooser final : public IFolderChooser {
  public:
    explicit CDlgFolderChooser(QWidget* parent) : parent_(parent) {}

    std::optional<std::string> ChooseFolder(const std::string& title,
                                            const std::string& startFolder) override {
        CDlgGetPath dialog(parent_, title, startFolder);
        if (dialog.exec() != QDialog::Accepted) {
            NUV_DEBUG("%s %d", "CommDlgExtendedError return", 0);
            return std::nullopt;
        }
        return dialog.Folder();
    }

  private:
    QWidget* parent_;
};

}  // namespace

NavigationCommands::NavigationCommands(QWidget& parent, CMainFrame& frame, CZOLListArea& lists,
                                       QComboBox& pathBox, QCheckBox& subfolders)
    : parent_(parent), lists_(lists), pathBox_(pathBox), subfolders_(subfolders) {
    // The scan names each new start folder from its worker thread.
    SetRecentFolderFeed([&frame](const std::string& folder) {
        RunOnUiThread([&frame, &folder] { frame.AddRecentFolder(folder); });
    });
}

NavigationCommands::~NavigationCommands() {
    SetRecentFolderFeed({});
}

void NavigationCommands::Refresh(RefreshKind kind) {
    if (PrepareRefresh(Trimmed(PathFromQt(pathBox_.currentText())), subfolders_.isChecked()) != 0) {
        return;
    }
    pathBox_.setEditText(PathToQt(ShownFolderText(Config().startPath)));
    ReadFolderTree(kind);
}

void NavigationCommands::ReadFolderTree(RefreshKind kind) {
    kelvane::ReadFolderTree(Config().effectiveStartPath, Config().includeSubfolders != 0, kind,
                            ProgressHost());
}

void NavigationCommands::OpenFolder(const std::string& folder) {
    pathBox_.setEditText(PathToQt(ShownFolderText(folder)));
    Refresh(RefreshKind::Normal);
}

void NavigationCommands::OnOpenFolder() {
    std::string start = Config().startPath;
    NormaliseFolder(start);
    CDlgGetPath dialog(&parent_, Translate("Browse for Folder"), start);
    if (dialog.exec() != QDialog::Accepted) {
        NUV_DEBUG("%s %d", "CommDlgExtendedError return", 0);
        return;
    }
    OpenFolder(dialog.Folder());
}

void NavigationCommands::OnHardRefresh() {
    if (ShowBox(HardRefreshQuestion(), BoxIcon::Question, BoxButtons::YesNo, BoxAnswer::No) ==
        BoxAnswer::Yes) {
        Refresh(RefreshKind::SoftRescan);
    }
}

void NavigationCommands::OnGotoLine() {
    CZOLGotoLineNrDlg dialog(&parent_);
    if (dialog.exec() == QDialog::Accepted) {
        ListViewMgr().GoToLine(dialog.LineNumber(), lists_.Current()->FirstVisibleRow());
    }
}

void NavigationCommands::OnSelectDuplicates(bool tree) {
    CDlgFolderChooser chooser(&parent_);
    SelectDuplicatesOfFolder(ListViewMgr(), chooser, tree);
}

}  // namespace kelvane

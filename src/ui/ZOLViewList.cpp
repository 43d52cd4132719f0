// The main view's commands on the list: filters and visibility modes, columns, statistics,
// duplicate selection, scrolling, Select All and the switch between the file list and the
// song list. The work is the list core's; this file opens the dialogs and passes the answers.
#include <QApplication>
#include <optional>

#include "list/ZOLColumnDefaults.h"
#include "list/ZOLDuplicateSelection.h"
#include "list/ZOLDuplicatesMode.h"
#include "list/ZOLFilterDlgLogic.h"
#include "list/ZOLListViewMgr.h"
#include "list/ZOLStatistics.h"
#include "scan/ZOLScanState.h"
#include "support/NUVDbg.h"
#include "ui/DlgGetPath.h"
#include "ui/MainFrm.h"
#include "ui/ZOLColumnsDlg.h"
#include "ui/ZOLDialogParts.h"
#include "ui/ZOLFilterDlg.h"
#include "ui/ZOLGotoLineNrDlg.h"
#include "ui/ZOLListArea.h"
#include "ui/ZOLListWidget.h"
#include "ui/ZOLView.h"

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

int DuplicatesModeOf(ViewCommand command) {
    return static_cast<int>(command) - static_cast<int>(ViewCommand::ShowAllFiles);
}

}  // namespace

void CZOLView::InstallLists() {
    CZOLListViewMgr& manager = ListViewMgr();
    lists_ = new CZOLListArea(manager, this);
    const auto menu = [this](const QPoint& globalPos, int selectedRows, const std::string& folder) {
        const CZOLListWidget* widget = lists_->Current();
        const StyleDataPacket* record =
            widget != nullptr ? ListViewMgr().StyleRecordOfRow(widget->ContextRow()) : nullptr;
        ShowRowContextMenu(globalPos, ListViewMgr().CurrentViewMode() == Songs, selectedRows,
                           folder, record);
    };
    lists_->FileListWidget()->SetContextMenuHandler(menu);
    lists_->SongListWidget()->SetContextMenuHandler(menu);
    InstallListWidget(lists_);
    manager.SetViewMode(Files);
    LoadColumnDefaults(manager, ProgramColumnSettings());
    manager.ShowFileList();
    frame_.SetCheckStateProvider([] {
        ViewCheckState state;
        state.autoResizeColumns = ColumnAutoresizeOn();
        state.rowNumber = ListViewMgr().IsReady() && ListViewMgr().RowNumberVisible();
        state.duplicatesMode = FilterDuplicatesMode();
        state.alwaysUseFastAccess = ScanState().alwaysUseFastAccess != 0;
        return state;
    });
}

bool CZOLView::RunListCommand(ViewCommand command) {
    CZOLListViewMgr& manager = ListViewMgr();
    using C = ViewCommand;
    switch (command) {
        case C::Filter:
            OnFilter();
            return true;
        case C::ClearFilterAll:
            NUV_DEBUG("%s", "ClearZOLFilterAll called");
            manager.ClearAllFilters();
            return true;
        case C::ClearFilter:
            NUV_DEBUG("%s", "ClearZOLFilter called");
            manager.ClearFilterOfView();
            return true;
        case C::Columns:
            OnColumns();
            return true;
        case C::AutoResizeColumns:
            SetColumnAutoresize(!ColumnAutoresizeOn());
            return true;
        case C::RowNumber:
            ToggleRowNumberColumn(manager);
            return true;
        case C::Statistics:
            OnStatistics();
            return true;
        case C::GotoLineNr:
            OnGotoLine();
            return true;
        case C::GotoNextSelected:
            manager.GoToNextSelectedLine(lists_->Current()->LastFullyVisibleRow());
            return true;
        case C::GotoPreviousSelected:
            manager.GoToPreviousSelectedLine(lists_->Current()->FirstVisibleRow());
            return true;
        case C::SelectAll:
            manager.SelectAll();
            return true;
        case C::ShowAllFiles:
        case C::ShowUniqueFiles:
        case C::ShowDuplicateFiles:
        case C::ShowUniqueScores:
        case C::ShowRelatedScores:
            manager.SetDuplicatesMode(DuplicatesModeOf(command));
            return true;
        case C::SelectDuplicatesOfFolder:
        case C::SelectDuplicatesOfTree:
            OnSelectDuplicates(command == C::SelectDuplicatesOfTree);
            return true;
        case C::SelectAllExceptOne:
            SelectAllExceptOneOfEach(manager);
            return true;
        case C::ViewStyles:
        case C::ViewSongs:
            ShowSongView(command == C::ViewSongs);
            return true;
        case C::ToggleSongStyle:
            ShowSongView(manager.CurrentViewMode() != Songs);
            return true;
        default:
            return false;
    }
}

void CZOLView::OnFilter() {
    NUV_DEBUG("%s", "Filter Dlg called");
    CZOLListViewMgr& manager = ListViewMgr();
    CZOLFilterDlgState& state =
        manager.CurrentViewMode() == Songs ? SongFilterDialog() : StyleFilterDialog();
    CZOLFilterDlg dialog(this, state, *lists_->Current());
    const int result = dialog.exec();
    NUV_DEBUG("%s %d", "FilterDlg return", result);
    if (result == QDialog::Accepted) {
        manager.ForceRebuild(true, nullptr, true);
    }
}

void CZOLView::OnColumns() {
    NUV_DEBUG("%s", "Columns Dlg called");
    CZOLListViewMgr& manager = ListViewMgr();
    CMyListCtrl* list = manager.CurrentList();
    if (list == nullptr) {
        return;
    }
    CZOLColumnsDlg dialog(this, *list);
    const int result = dialog.exec();
    NUV_DEBUG("%s %d", "ColumnsDlg return", result);
    if (result == QDialog::Accepted) {
        manager.BuildColumns(true);
    }
}

void CZOLView::OnGotoLine() {
    CZOLGotoLineNrDlg dialog(this);
    if (dialog.exec() == QDialog::Accepted) {
        ListViewMgr().GoToLine(dialog.LineNumber(), lists_->Current()->FirstVisibleRow());
    }
}

void CZOLView::OnSelectDuplicates(bool tree) {
    CDlgFolderChooser chooser(this);
    SelectDuplicatesOfFolder(ListViewMgr(), chooser, tree);
}

void CZOLView::OnStatistics() {
    WaitCursor wait;
    ShowStatistics(ListViewMgr());
}

void CZOLView::ShowSongView(bool songView) {
    CZOLListViewMgr& manager = ListViewMgr();
    if (songView) {
        manager.ShowSongList();
    } else {
        manager.ShowFileList();
    }
    frame_.SetSongView(songView);
}

}  // namespace kelvane

#include "ui/ListCommands.h"

#include <QDialog>

#include "list/CollectionCharts.h"
#include "list/ColumnToggle.h"
#include "list/ZOLColumnDefaults.h"
#include "list/ZOLDuplicatesMode.h"
#include "list/ZOLFilterDlgLogic.h"
#include "list/ZOLListViewMgr.h"
#include "list/ZOLStatistics.h"
#include "scan/ZOLScanState.h"
#include "support/NUVDbg.h"
#include "support/ZOLRunMode.h"
#include "ui/MainFrm.h"
#include "ui/StatisticsChartsDlg.h"
#include "ui/ZOLColumnsDlg.h"
#include "ui/ZOLDialogParts.h"
#include "ui/ZOLFilterDlg.h"
#include "ui/ZOLListArea.h"
#include "ui/ZOLListWidget.h"

namespace kelvane {
ListCommands::ListCommands(QWidget& parent, CMainFrame& frame, CZOLListArea& lists)
    : parent_(parent), frame_(frame), lists_(lists) {
    CZOLListViewMgr& manager = ListViewMgr();
    manager.SetViewMode(Files);
    LoadColumnDefaults(manager, ProgramColumnSettings());
    manager.ShowFileList();
    frame_.SetCheckStateProvider(&ListCommands::CheckMarks);
}

ViewCheckState ListCommands::CheckMarks() {
    ViewCheckState state;
    state.autoResizeColumns = ColumnAutoresizeOn();
    state.rowNumber = ListViewMgr().IsReady() && ListViewMgr().RowNumberVisible();
    state.duplicatesMode = FilterDuplicatesMode();
    state.alwaysUseFastAccess = ScanState().alwaysUseFastAccess != 0;
    return state;
}

void ListCommands::OnFilter() {
    NUV_DEBUG("%s", "Filter Dlg called");
    CZOLListViewMgr& manager = ListViewMgr();
    CZOLFilterDlgState& state =
        manager.CurrentViewMode() == Songs ? SongFilterDialog() : StyleFilterDialog();
    CZOLFilterDlg dialog(&parent_, state, *lists_.Current());
    const int result = dialog.exec();
    NUV_DEBUG("%s %d", "FilterDlg return", result);
    if (result == QDialog::Accepted) {
        manager.ForceRebuild(true, nullptr, true);
    }
}

void ListCommands::OnColumns() {
    NUV_DEBUG("%s", "Columns Dlg called");
    CZOLListViewMgr& manager = ListViewMgr();
    CMyListCtrl* list = manager.CurrentList();
    if (list == nullptr) {
        return;
    }
    CZOLColumnsDlg dialog(&parent_, *list);
    const int result = dialog.exec();
    NUV_DEBUG("%s %d", "ColumnsDlg return", result);
    if (result == QDialog::Accepted) {
        manager.BuildColumns(true);
    }
}

void ListCommands::OnStatistics() {
    WaitCursor wait;
    CZOLListViewMgr& manager = ListViewMgr();
    // The charts of the rows shown open beside the statistics box and stay after it.
    if (manager.IsReady() && manager.FileList().Counters().walked > 0) {
        if (charts_ == nullptr) {
            charts_ = new StatisticsChartsDlg(&parent_);
        }
        charts_->SetCharts(CountCharts(manager.FileList()), !IsStyleMode());
        charts_->show();
        charts_->raise();
    }
    ShowStatistics(manager);
}

void ListCommands::ShowSongView(bool songView) {
    CZOLListViewMgr& manager = ListViewMgr();
    if (songView) {
        manager.ShowSongList();
    } else {
        manager.ShowFileList();
    }
    frame_.SetSongView(songView);
}

}  // namespace kelvane

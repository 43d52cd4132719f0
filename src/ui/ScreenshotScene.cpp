#include "ui/ScreenshotScene.h"

#include <QHeaderView>
#include <QTabWidget>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "list/CollectionCharts.h"
#include "list/ZOLListViewMgr.h"
#include "support/ZOLRunMode.h"
#include "ui/AuditionBar.h"
#include "ui/DetailPane.h"
#include "ui/DetailPaneArea.h"
#include "ui/MainFrm.h"
#include "ui/StatisticsChartsDlg.h"
#include "ui/ZOLListArea.h"
#include "ui/ZOLListWidget.h"
#include "ui/ZOLView.h"

namespace kelvane {
namespace {

constexpr int kSettleMs = 150;        // for the last paint after the scene is ready
constexpr int kPictureWaitMs = 5000;  // a picture that never comes does not stop the shot

long NumberFromEnvironment(const char* name) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtol(text, nullptr, 10) : -1;
}

void ShowPaneAtRow(CMainFrame& frame, long row, const std::function<void(QWidget*)>& grab) {
    DetailPaneArea& area = *frame.PaneArea();
    if (!area.PaneShown()) {
        area.SetPaneShown(true);
    }
    // The first of the picture's arrival and the time limit grabs.
    auto done = std::make_shared<bool>(false);
    auto grabOnce = [&frame, grab, done] {
        if (!*done) {
            *done = true;
            QTimer::singleShot(kSettleMs, &frame, [&frame, grab] { grab(&frame); });
        }
    };
    QObject::connect(area.Pane(), &DetailPane::PictureShown, &frame, grabOnce);
    QTimer::singleShot(kPictureWaitMs, &frame, grabOnce);
    CZOLListWidget* list = frame.View()->Lists()->Current();
    list->setFocus();
    list->setCurrentIndex(list->model()->index(static_cast<int>(row - 1), 0));
}

void ShowChart(CMainFrame& frame, long chart, const std::function<void(QWidget*)>& grab) {
    auto* dialog = new StatisticsChartsDlg(&frame);
    dialog->SetCharts(CountCharts(ListViewMgr().FileList()), !IsStyleMode());
    dialog->Tabs()->setCurrentIndex(static_cast<int>(chart));
    dialog->show();
    QTimer::singleShot(kSettleMs, dialog, [dialog, grab] { grab(dialog); });
}

// The bar under the list follows the current row after its pause.
void FocusRow(CMainFrame& frame, long row, const std::function<void(QWidget*)>& grab) {
    CZOLListWidget* list = frame.View()->Lists()->FileListWidget();
    if (row >= list->model()->rowCount()) {
        grab(&frame);
        return;
    }
    list->setFocus();
    list->setCurrentIndex(list->model()->index(static_cast<int>(row), 0));
    QTimer::singleShot(AuditionBar::kFollowDelayMs * 2, &frame, [&frame, grab] { grab(&frame); });
}

// As a click on the header of the file list's column `column` (from 0).
void ClickHeader(CMainFrame& frame, long column) {
    CZOLListWidget* list = frame.View()->Lists()->FileListWidget();
    QHeaderView* header = list->horizontalHeader();
    if (column < header->count()) {
        Q_EMIT header->sectionClicked(static_cast<int>(column));
    }
}

}  // namespace

void PrepareScreenshotScene(CMainFrame& frame, std::function<void(QWidget*)> grab) {
    // The list is sorted first, as a user sorts before looking.
    const long sortColumn = NumberFromEnvironment("KELVANE_SCREENSHOT_SORT");
    if (sortColumn >= 0) {
        ClickHeader(frame, sortColumn);
    }
    const long chart = NumberFromEnvironment("KELVANE_SCREENSHOT_CHART");
    if (chart >= 0 && chart < StatisticsChartsDlg::kChartCount) {
        ShowChart(frame, chart, grab);
        return;
    }
    const long row = NumberFromEnvironment("KELVANE_SCREENSHOT_PANE");
    if (row >= 1) {
        ShowPaneAtRow(frame, row, grab);
        return;
    }
    const long current = NumberFromEnvironment("KELVANE_SHOT_ROW");
    if (current >= 0) {
        FocusRow(frame, current, grab);
        return;
    }
    grab(&frame);
}

}  // namespace kelvane

// What a screenshot of the program shows besides the main window as it starts
// (scripts/screenshot passes these on):
//   KELVANE_SCREENSHOT_PANE=ROW   the detail pane shown and row ROW (from 1) of the list
//                                 focused; grabbed once the row's picture is drawn
//   KELVANE_SCREENSHOT_CHART=N    the Statistics charts of the rows shown, chart N (0 tempo,
//                                 1 time signatures, 2 genres, 3 years, 4 duplicates,
//                                 5 problems); the charts' window is grabbed instead
//   KELVANE_SHOT_ROW=N            row N (from 0) of the list made the current one, grabbed once
//                                 the bar under the list shows its sections
#pragma once

#include <functional>

class QWidget;

namespace kelvane {

class CMainFrame;

// Sets the scene up and calls `grab` once with the widget to grab.
void PrepareScreenshotScene(CMainFrame& frame, std::function<void(QWidget*)> grab);

}  // namespace kelvane

// kelvane: the desktop program (Morvane with -m).
//
// KELVANE_SCREENSHOT=file.png grabs the main window once it is shown, writes the picture and
// ends the program (scripts/screenshot uses it for the README). KELVANE_SHOT_ROW=N makes row N
// of the file list the current one first, so that the bar under the list shows its sections.
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/ZOLMain.h"
#include "ui/AuditionBar.h"
#include "ui/MainFrm.h"
#include "ui/ZOLAppUi.h"
#include "ui/ZOLListArea.h"
#include "ui/ZOLListWidget.h"
#include "ui/ZOLView.h"

namespace {

constexpr int kScreenshotDelayMs = 400;

// True when a row was made current (the bar follows it after its pause).
bool FocusShotRow(kelvane::CMainFrame* frame) {
    const char* text = std::getenv("KELVANE_SHOT_ROW");
    if (text == nullptr || *text == '\0') {
        return false;
    }
    kelvane::CZOLListWidget* list = frame->View()->Lists()->FileListWidget();
    const int row = std::atoi(text);
    if (row < 0 || row >= list->model()->rowCount()) {
        return false;
    }
    list->setFocus();
    list->setCurrentIndex(list->model()->index(row, 0));
    return true;
}

void ScheduleScreenshot(kelvane::CMainFrame* frame) {
    const char* file = std::getenv("KELVANE_SCREENSHOT");
    if (file == nullptr || *file == '\0' || frame == nullptr) {
        return;
    }
    const QString target = QString::fromLocal8Bit(file);
    const auto grab = [frame, target] {
        const bool saved = frame->grab().save(target, "PNG");
        if (!saved) {
            std::fprintf(stderr, "kelvane: cannot write %s\n", qPrintable(target));
        }
        QApplication::exit(saved ? 0 : 1);
    };
    QTimer::singleShot(kScreenshotDelayMs, frame, [frame, grab] {
        if (FocusShotRow(frame)) {
            QTimer::singleShot(kelvane::AuditionBar::kFollowDelayMs * 2, frame, grab);
        } else {
            grab();
        }
    });
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    int result = 0;
    {
        kelvane::CZOLAppUi program;
        result = program.Start(argc, argv);
        if (result == 0) {
            ScheduleScreenshot(program.Frame());
            result = QApplication::exec();
        }
    }
    kelvane::CZOLApp().ExitInstance();
    return result < 0 ? 1 : result;
}

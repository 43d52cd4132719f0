// kelvane: the desktop program (Morvane with -m).
//
// KELVANE_SCREENSHOT=file.png grabs the main window once it is shown, writes the picture and
// ends the program (scripts/screenshot uses it for the README); ui/ScreenshotScene.h says what
// else it can show.
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/ZOLMain.h"
#include "ui/MainFrm.h"
#include "ui/ScreenshotScene.h"
#include "ui/ZOLAppUi.h"

namespace {

constexpr int kScreenshotDelayMs = 400;

void ScheduleScreenshot(kelvane::CMainFrame* frame) {
    const char* file = std::getenv("KELVANE_SCREENSHOT");
    if (file == nullptr || *file == '\0' || frame == nullptr) {
        return;
    }
    const QString target = QString::fromLocal8Bit(file);
    QTimer::singleShot(kScreenshotDelayMs, frame, [frame, target] {
        kelvane::PrepareScreenshotScene(*frame, [target](QWidget* shown) {
            const bool saved = shown->grab().save(target, "PNG");
            if (!saved) {
                std::fprintf(stderr, "kelvane: cannot write %s\n", qPrintable(target));
            }
            QApplication::exit(saved ? 0 : 1);
        });
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

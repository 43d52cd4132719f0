#include "ui/WindowMemory.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <algorithm>

#include "app/FirstStart.h"
#include "list/ZOLColumnDefaults.h"

namespace kelvane {
namespace {

constexpr double kFirstShare = 0.8;
constexpr int kSmallestWidth = 800;
constexpr int kSmallestHeight = 600;

void PlaceFirstWindow(QMainWindow& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        window.resize(kSmallestWidth, kSmallestHeight);
        return;
    }
    const QRect free = screen->availableGeometry();
    // 80 % of the screen, but not below the form's comfortable size where the screen has room.
    const int width = std::max(static_cast<int>(free.width() * kFirstShare),
                               std::min(kSmallestWidth, free.width()));
    const int height = std::max(static_cast<int>(free.height() * kFirstShare),
                                std::min(kSmallestHeight, free.height()));
    window.resize(width, height);
    window.move(free.x() + (free.width() - width) / 2, free.y() + (free.height() - height) / 2);
}

}  // namespace

void PlaceMainWindow(QMainWindow& window) {
    const std::string place = StoredWindowPlace();
    if (place.empty() ||
        !window.restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(place)))) {
        PlaceFirstWindow(window);
    }
}

void RememberMainWindow(const QMainWindow& window, CZOLListViewMgr& lists, bool includeSubfolders) {
    StoreWindowState(window.saveGeometry().toBase64().toStdString(), includeSubfolders);
    StoreLastLayout(lists, ProgramColumnSettings());
}

}  // namespace kelvane

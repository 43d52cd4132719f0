// Records for the widget tests, built directly in the record store as a scan would leave them,
// and small helpers to drive the program's modal dialogs from inside a test.
#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "records/ZOLDataPacket.h"

class QWidget;

namespace kelvane {
class CZOLListWidget;
}

namespace kelvane::test {

struct UiRecord {
    std::string name;  // L_FILENAME
    std::string path = "/music/";
    int32_t fileId = 0;
    int32_t size = 100;
    std::string styleName;
    std::string styleType;
    int32_t tempo = 0;
    std::string aux;
};

// Appends a record to the record store's list (the list is rebuilt by the caller).
StyleDataPacket* AddUiRecord(const UiRecord& wanted);
// Appends a Music Finder song to a record.
SongDataPacket* AddUiSong(StyleDataPacket* record, const std::string& title,
                          const std::string& genre = "");
// Releases every record (the lists drop their rows first).
void ClearUiRecords();

// The texts of column `column` of a list widget, top to bottom, as its model hands them to
// the view.
QStringList ColumnTexts(const CZOLListWidget& widget, int column);

// Waits for a modal dialog while it lives: gives up when it goes out of scope, so a test that
// fails early leaves nothing behind for the next one.
class ModalAction {
  public:
    explicit ModalAction(QTimer* timer) : timer_(timer) {}
    ~ModalAction();
    ModalAction(const ModalAction&) = delete;
    ModalAction& operator=(const ModalAction&) = delete;

  private:
    QPointer<QTimer> timer_;
};

// Runs `act` on the next modal dialog once it is shown (the caller then starts it); `act`
// must close it. Gives up after about five seconds, so a test fails instead of hanging.
[[nodiscard]] ModalAction WhenModal(std::function<void(QWidget*)> act);

}  // namespace kelvane::test

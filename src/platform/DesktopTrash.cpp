#include "platform/DesktopTrash.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>

namespace kelvane {

bool MoveToDesktopTrash(const std::string& path, std::string* trashedPath) {
    // The home trash lies in the user's data folder, which a fresh account may not have yet
    // (the toolkit makes the Trash folder only inside an existing one).
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QString where;
    if (!QFile::moveToTrash(QFile::decodeName(path.c_str()), &where)) {
        return false;
    }
    if (trashedPath != nullptr) {
        *trashedPath = QFile::encodeName(where).toStdString();
    }
    return true;
}

}  // namespace kelvane

#include "platform/DesktopTrash.h"

#include <QFile>
#include <QString>

namespace kelvane {

bool MoveToDesktopTrash(const std::string& path, std::string* trashedPath) {
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

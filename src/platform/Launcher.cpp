#include "platform/Launcher.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace kelvane {
namespace {

// Texts are bytes; the local 8-bit decoding gives the same bytes back on the way to exec.
QString FromBytes(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

bool LaunchProgram(const std::string& program, const std::string& argument) {
    if (program.empty()) {
        return false;
    }
    return QProcess::startDetached(FromBytes(program), QStringList{FromBytes(argument)});
}

bool LaunchProgramWithArguments(const std::string& program,
                                const std::vector<std::string>& arguments) {
    if (program.empty()) {
        return false;
    }
    QStringList list;
    for (const std::string& argument : arguments) {
        list.push_back(FromBytes(argument));
    }
    return QProcess::startDetached(FromBytes(program), list);
}

bool OpenByType(const std::string& path) {
    return LaunchProgram("xdg-open", path);
}

}  // namespace kelvane

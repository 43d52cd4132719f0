#include "platform/ProgramDir.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace kelvane {

std::string ExecutablePath() {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return {};
    }
    return std::string(buffer, static_cast<size_t>(n));
}

std::string ProgramFolder() {
    std::string folder;
    if (const char* home = std::getenv("KELVANE_HOME"); home != nullptr && *home != '\0') {
        folder = home;
    } else {
        folder = ExecutablePath();
        auto slash = folder.rfind('/');
        folder = slash == std::string::npos ? std::string() : folder.substr(0, slash);
    }
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

}  // namespace kelvane

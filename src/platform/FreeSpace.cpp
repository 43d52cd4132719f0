#include "platform/FreeSpace.h"

#include <sys/statvfs.h>

#include <cerrno>

namespace kelvane {

PlatformStatus QueryFreeSpace(const std::string& path, FreeSpaceInfo& info) {
    std::string probe = path.empty() ? std::string(".") : path;
    struct statvfs fs {};
    while (statvfs(probe.c_str(), &fs) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            return StatusFromErrno(errno);
        }
        while (probe.size() > 1 && probe.back() == '/') {
            probe.pop_back();
        }
        const auto slash = probe.rfind('/');
        if (slash == std::string::npos) {
            if (probe == ".") {
                return StatusFromErrno(ENOENT);
            }
            probe.assign(1, '.');
        } else if (slash == 0) {
            if (probe == "/") {
                return StatusFromErrno(ENOENT);
            }
            probe.resize(1);  // keep the leading "/"
        } else {
            probe.resize(slash);
        }
    }
    info.bytesAvailable = static_cast<std::uint64_t>(fs.f_bavail) * fs.f_frsize;
    info.readOnlyMount = (fs.f_flag & ST_RDONLY) != 0;
    return {};
}

}  // namespace kelvane

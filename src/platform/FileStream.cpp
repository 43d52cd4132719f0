#include "platform/FileStream.h"

#include <sys/stat.h>

#include <cerrno>

namespace kelvane {

std::FILE* OpenFileStream(const std::string& path, const std::string& mode) {
    std::FILE* file = std::fopen(path.c_str(), (mode + "e").c_str());
    if (file == nullptr) {
        return nullptr;
    }
    struct stat info {};
    if (fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(file);
        errno = EISDIR;
        return nullptr;
    }
    return file;
}

}  // namespace kelvane

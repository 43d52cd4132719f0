#include "platform/FileSystem.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace kelvane {

PlatformError ErrorFromErrno(int errnoValue) {
    switch (errnoValue) {
        case 0:
            return PlatformError::None;
        case ENOENT:
            return PlatformError::FileNotFound;
        case ENOTDIR:
            return PlatformError::PathNotFound;
        case EACCES:
        case EPERM:
            return PlatformError::AccessDenied;
        case ENAMETOOLONG:
        case EINVAL:
        case EILSEQ:
            return PlatformError::InvalidName;
        case EEXIST:
        case ENOTEMPTY:
            return PlatformError::AlreadyExists;
        case EXDEV:
            return PlatformError::NotSameDevice;
        case ENOSPC:
        case EDQUOT:
            return PlatformError::DiskFull;
        case EROFS:
            return PlatformError::WriteProtected;
        case ENOMEDIUM:
        case ENXIO:
        case ENODEV:
            return PlatformError::NotReady;
        case EMLINK:
        case EFBIG:
            return PlatformError::CannotMake;
        default:
            return PlatformError::Other;
    }
}

PlatformStatus StatusFromErrno(int errnoValue) {
    return {ErrorFromErrno(errnoValue), errnoValue};
}

namespace {

std::string ParentOf(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') {
        trimmed.pop_back();
    }
    const auto slash = trimmed.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : trimmed.substr(0, slash);
}

}  // namespace

PlatformStatus StatusOfMissing(const std::string& path, int errnoValue) {
    if (errnoValue != ENOENT) {
        return StatusFromErrno(errnoValue);
    }
    return {IsFolder(ParentOf(path)) ? PlatformError::FileNotFound : PlatformError::PathNotFound,
            errnoValue};
}

PlatformStatus QueryFileDetails(const std::string& path, FileDetails& details) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return StatusOfMissing(path, errno);
    }
    details.isFolder = S_ISDIR(info.st_mode);
    details.readOnly = (info.st_mode & S_IWUSR) == 0;
    details.size = static_cast<std::uint64_t>(info.st_size);
    details.lastWriteTime = FileTimeFromTimespec(info.st_mtim);
    return {};
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool NameIsFree(const std::string& path) {
    const int saved = errno;
    struct stat info {};
    const bool free = lstat(path.c_str(), &info) != 0 && errno == ENOENT;
    errno = saved;
    return free;
}

PlatformStatus SetReadOnly(const std::string& path, bool readOnly) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return StatusOfMissing(path, errno);
    }
    mode_t mode = info.st_mode & 07777;
    mode = readOnly ? (mode & ~S_IWUSR) : (mode | S_IWUSR);
    if (mode != (info.st_mode & 07777) && chmod(path.c_str(), mode) != 0) {
        return StatusFromErrno(errno);
    }
    return {};
}

PlatformStatus DeleteFilePath(const std::string& path) {
    if (unlink(path.c_str()) != 0) {
        return StatusOfMissing(path, errno);
    }
    return {};
}

PlatformStatus RenamePath(const std::string& oldPath, const std::string& newPath) {
    if (renameat2(AT_FDCWD, oldPath.c_str(), AT_FDCWD, newPath.c_str(), RENAME_NOREPLACE) == 0) {
        return {};
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return StatusFromErrno(errno);
    }
    // File systems without the no-replace flag: test first, then rename.
    struct stat info {};
    if (lstat(newPath.c_str(), &info) == 0) {
        return {PlatformError::AlreadyExists, EEXIST};
    }
    if (rename(oldPath.c_str(), newPath.c_str()) != 0) {
        return StatusFromErrno(errno);
    }
    return {};
}

PlatformStatus CreateFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0777) != 0) {
        return StatusOfMissing(path, errno);
    }
    return {};
}

std::string AbsolutePath(const std::string& path) {
    std::string full;
    if (path.empty() || path[0] != '/') {
        std::vector<char> buffer(kMaxPathLength + 1);
        if (getcwd(buffer.data(), buffer.size()) == nullptr) {
            return {};
        }
        full = buffer.data();
        full += '/';
    }
    full += path;
    const bool trailingSlash = !path.empty() && path.back() == '/';

    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= full.size()) {
        std::size_t end = full.find('/', start);
        if (end == std::string::npos) {
            end = full.size();
        }
        std::string part = full.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(std::move(part));
        }
        start = end + 1;
    }
    std::string result;
    for (const std::string& part : parts) {
        result += '/';
        result += part;
    }
    if (result.empty() || trailingSlash) {
        result += '/';
    }
    return result;
}

}  // namespace kelvane

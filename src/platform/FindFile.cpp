#include "platform/FindFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

namespace kelvane {
namespace {

// A folder that cannot be listed: the walker tells a missing folder from a refused one.
PlatformStatus OpenFailure(int errnoValue) {
    PlatformStatus status = StatusFromErrno(errnoValue);
    if (status.error == PlatformError::FileNotFound) {
        status.error = PlatformError::PathNotFound;
    }
    return status;
}

bool IsListable(mode_t mode) {
    return S_ISREG(mode) || S_ISDIR(mode);
}

}  // namespace

CNuvFindFile::~CNuvFindFile() {
    Close();
}

void CNuvFindFile::Close() {
    if (dir_ != nullptr) {
        closedir(dir_);
        dir_ = nullptr;
    }
    single_ = false;
    singleDone_ = false;
}

PlatformStatus CNuvFindFile::First(const std::string& pattern, FindEntry& entry) {
    Close();
    const auto slash = pattern.rfind('/');
    folder_ = slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
    const std::string namePattern =
        slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    const std::string listed = folder_.empty() ? std::string(".") : folder_;
    if (folder_.size() + namePattern.size() > kMaxPathLength) {
        return {PlatformError::InvalidName, ENAMETOOLONG};
    }
    wildcard_ = CNuvWildcard(namePattern);

    if (namePattern.empty() || !wildcard_.HasWildcards()) {
        // One name: look it up instead of listing the folder.
        struct stat info {};
        if (namePattern.empty() || stat((folder_ + namePattern).c_str(), &info) != 0) {
            const int error = namePattern.empty() ? ENOENT : errno;
            if (error == ENOENT || error == ENOTDIR) {
                struct stat folderInfo {};
                const bool folderThere =
                    stat(listed.c_str(), &folderInfo) == 0 && S_ISDIR(folderInfo.st_mode);
                return {folderThere ? PlatformError::FileNotFound : PlatformError::PathNotFound,
                        error};
            }
            return OpenFailure(error);
        }
        if (!IsListable(info.st_mode)) {
            return {PlatformError::FileNotFound, ENOENT};
        }
        struct stat linkInfo {};
        single_ = true;
        singleDone_ = true;
        current_ = namePattern;
        entry.name = namePattern;
        entry.isFolder = S_ISDIR(info.st_mode);
        entry.isLink =
            lstat((folder_ + namePattern).c_str(), &linkInfo) == 0 && S_ISLNK(linkInfo.st_mode);
        return {};
    }

    dir_ = opendir(listed.c_str());
    if (dir_ == nullptr) {
        return OpenFailure(errno);
    }
    PlatformStatus status = Next(entry);
    if (status.error == PlatformError::NoMoreFiles) {
        status.error = PlatformError::FileNotFound;
    }
    return status;
}

PlatformStatus CNuvFindFile::Next(FindEntry& entry) {
    if (single_ || dir_ == nullptr) {
        return {PlatformError::NoMoreFiles, 0};
    }
    for (;;) {
        errno = 0;
        const dirent* item = readdir(dir_);
        if (item == nullptr) {
            if (errno != 0) {
                return StatusFromErrno(errno);
            }
            return {PlatformError::NoMoreFiles, 0};
        }
        if (Accept(*item, entry)) {
            current_ = entry.name;
            return {};
        }
    }
}

bool CNuvFindFile::Accept(const dirent& item, FindEntry& entry) const {
    const char* name = item.d_name;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) {
        return false;
    }
    if (!wildcard_.Matches(name)) {
        return false;
    }
    entry.isLink = false;
    switch (item.d_type) {
        case DT_DIR:
            entry.isFolder = true;
            break;
        case DT_REG:
            entry.isFolder = false;
            break;
        case DT_LNK:
        case DT_UNKNOWN: {
            struct stat info {};
            if (fstatat(dirfd(dir_), name, &info, 0) != 0 || !IsListable(info.st_mode)) {
                return false;  // dangling link, special file, or gone meanwhile
            }
            entry.isFolder = S_ISDIR(info.st_mode);
            entry.isLink = item.d_type == DT_LNK;
            if (item.d_type == DT_UNKNOWN) {
                struct stat linkInfo {};
                entry.isLink = fstatat(dirfd(dir_), name, &linkInfo, AT_SYMLINK_NOFOLLOW) == 0 &&
                               S_ISLNK(linkInfo.st_mode);
            }
            break;
        }
        default:
            return false;  // pipes, sockets and devices would block or mislead a reader
    }
    entry.name = name;
    return true;
}

PlatformStatus CNuvFindFile::Details(FileDetails& details) const {
    struct stat info {};
    const int result = dir_ != nullptr ? fstatat(dirfd(dir_), current_.c_str(), &info, 0)
                                       : stat((folder_ + current_).c_str(), &info);
    if (result != 0) {
        return StatusFromErrno(errno);
    }
    details.isFolder = S_ISDIR(info.st_mode);
    details.readOnly = (info.st_mode & S_IWUSR) == 0;
    details.size = static_cast<std::uint64_t>(info.st_size);
    details.lastWriteTime = FileTimeFromTimespec(info.st_mtim);
    return {};
}

unsigned CNuvFindFile::Attributes(const FindEntry& entry) const {
    FileDetails details;
    if (!Details(details).Ok()) {
        return 0;
    }
    unsigned attributes = 0;
    if (details.readOnly) {
        attributes |= 1;
    }
    if (!entry.name.empty() && entry.name[0] == '.') {
        attributes |= 2;
    }
    attributes |= details.isFolder ? 16 : 0;
    return attributes == 0 ? 128 : attributes;
}

}  // namespace kelvane

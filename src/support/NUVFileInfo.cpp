#include "support/NUVFileInfo.h"

#include <unistd.h>

#include "platform/FileSystem.h"
#include "platform/FindFile.h"
#include "platform/FreeSpace.h"
#include "support/NUVPath.h"
#include "support/NUVTrace.h"

namespace kelvane {

int FileWritableState(const std::string& path) {
    FileDetails details;
    const PlatformStatus queried = QueryFileDetails(path, details);
    if (queried.Missing()) {
        return status::kFileNotFound;
    }
    if (!queried.Ok()) {
        return status::kUnknownError;
    }
    return details.readOnly ? 1 : 2;
}

int FileExists(const std::string& path) {
    return PathExists(path) ? 1 : 0;
}

int FileExistsByPattern(const std::string& pattern) {
    CNuvFindFile find;
    FindEntry entry;
    return find.First(pattern, entry).Ok() ? 1 : 0;
}

int FolderExists(const std::string& folder) {
    const std::string path = WithSlash(folder);
    return !path.empty() && PathExists(path) ? 1 : 0;
}

int FolderAccessible(const std::string& folder) {
    const std::string path = WithSlash(folder);
    return !path.empty() && access(path.c_str(), F_OK) == 0 ? 1 : 0;
}

std::int64_t FileSize(const std::string& path) {
    FileDetails details;
    if (!QueryFileDetails(path, details).Ok()) {
        return status::kFileSizeError;
    }
    return static_cast<std::int64_t>(details.size);
}

int DiskFull(const std::string& path) {
    FreeSpaceInfo info;
    return QueryFreeSpace(path, info).Ok() && info.NoFreeSpace() ? 1 : 0;
}

StatusCode ListingStatus(PlatformError error) {
    switch (error) {
        case PlatformError::None:
        case PlatformError::FileNotFound:
        case PlatformError::NoMoreFiles:
            return status::kOk;
        case PlatformError::PathNotFound:
        case PlatformError::InvalidName:
            return status::kPathNotFound;
        case PlatformError::AccessDenied:
            return status::kAccessDenied;
        default:
            return status::kFindFirstError;
    }
}

StatusCode NewestFileTime(const std::string& folder, const std::string& pattern, FileTime& time) {
    const std::string dir = WithSlash(folder);
    CNuvFindFile find;
    FindEntry entry;
    PlatformStatus listed = find.First(dir + pattern, entry);
    if (const StatusCode status = ListingStatus(listed.error); status != status::kOk) {
        return status;
    }
    bool any = false;
    FileTime newest = 0;
    for (; listed.Ok(); listed = find.Next(entry)) {
        FileDetails details;
        if (entry.isFolder || !find.Details(details).Ok()) {
            continue;
        }
        if (TraceWanted(trace::kDetail)) {
            TraceFormat(trace::kDetail, true, "%s %s", "Found path", dir.c_str());
            TraceFormat(trace::kDetail, true, "%s %s", "Found file", entry.name.c_str());
        }
        if (!any || details.lastWriteTime > newest) {
            newest = details.lastWriteTime;
            any = true;
        }
    }
    if (any) {
        time = newest;
    }
    return 0;
}

}  // namespace kelvane

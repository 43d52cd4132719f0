// Questions about files and folders: existence, writability, size, free space of the medium,
// and the newest file time in a folder.
#pragma once

#include <cstdint>
#include <string>

#include "platform/FileSystem.h"
#include "platform/FileTime.h"
#include "support/NUVStatus.h"

namespace kelvane {

// 2 the file exists and may be written; 1 it exists and is read-only; -117 it does not
// exist; -114 any other failure.
int FileWritableState(const std::string& path);

// 1 when the platform can report the path's status (files and folders), else 0.
int FileExists(const std::string& path);

// 1 when the folder enumeration finds at least one entry for `pattern`, else 0.
int FileExistsByPattern(const std::string& pattern);

// 1 when the folder ("/" appended when missing) exists, else 0.
int FolderExists(const std::string& folder);
// 1 when the folder ("/" appended when missing) passes the existence test, else 0.
int FolderAccessible(const std::string& folder);

// The size in bytes; -128 when it cannot be had.
std::int64_t FileSize(const std::string& path);

// 1 when the medium holding `path` has no space left for the user or is mounted read-only;
// 0 otherwise and when it cannot be asked.
int DiskFull(const std::string& path);

// The latest last-write time among the plain files of `folder` matching `pattern`. 0 also
// when nothing matches (`time` is then unchanged); -203 path not found; -207 access denied;
// -214 any other enumeration failure.
StatusCode NewestFileTime(const std::string& folder, const std::string& pattern, FileTime& time);

// The status of a failed listing of a folder (find first): 0 when it found nothing, else
// -203 (no such folder, or a bad name), -207 (access denied) or -214 (any other failure).
StatusCode ListingStatus(PlatformError error);

}  // namespace kelvane

// File-system operations the support library builds on: attribute and existence tests, the
// read-only attribute (no owner write permission), delete, rename, create folder and the
// absolute form of a path. Failures come back as a PlatformStatus: the error kind the callers
// map to their status codes, plus the errno for reports.
#pragma once

#include <cstdint>
#include <string>

#include "platform/FileTime.h"

namespace kelvane {

// The error cases the callers distinguish.
enum class PlatformError {
    None,
    FileNotFound,    // the folder exists, the entry does not
    PathNotFound,    // a folder on the way is missing or not a folder
    AccessDenied,    // permission refused
    InvalidName,     // name too long or not acceptable to the file system
    NoMoreFiles,     // enumeration ended
    AlreadyExists,   // target of a rename or create exists
    NotSameDevice,   // rename across file systems
    DiskFull,        // ENOSPC, EDQUOT
    WriteProtected,  // read-only file system
    NotReady,        // no medium, device gone
    CannotMake,      // the entry cannot be made there (link count, size or name limits)
    Other,
};

struct PlatformStatus {
    PlatformError error = PlatformError::None;
    int code = 0;  // errno of the failing call, 0 on success
    bool Ok() const { return error == PlatformError::None; }
    // The file or a folder on its path does not exist.
    bool Missing() const {
        return error == PlatformError::FileNotFound || error == PlatformError::PathNotFound;
    }
};

// The error kind of an errno value. ENOENT maps to FileNotFound; callers that need to tell a
// missing folder from a missing file use StatusOfMissing.
PlatformError ErrorFromErrno(int errnoValue);
PlatformStatus StatusFromErrno(int errnoValue);
// FileNotFound when the folder holding `path` exists, else PathNotFound.
PlatformStatus StatusOfMissing(const std::string& path, int errnoValue);

// Longest path the helpers build (PATH_MAX less the terminating NUL).
inline constexpr std::size_t kMaxPathLength = 4095;

struct FileDetails {
    bool isFolder = false;
    bool readOnly = false;  // no owner write permission
    std::uint64_t size = 0;
    FileTime lastWriteTime = 0;
};

// Details of a path (symbolic links followed).
PlatformStatus QueryFileDetails(const std::string& path, FileDetails& details);
bool PathExists(const std::string& path);
bool IsFolder(const std::string& path);
// True when nothing of that name exists and the platform does not deny looking at it.
bool NameIsFree(const std::string& path);

// Sets or clears the read-only attribute: removes or adds owner write permission.
PlatformStatus SetReadOnly(const std::string& path, bool readOnly);
// Deletes a file (not a folder).
PlatformStatus DeleteFilePath(const std::string& path);
// Renames a file or folder; never replaces an existing target (AlreadyExists).
PlatformStatus RenamePath(const std::string& oldPath, const std::string& newPath);
PlatformStatus CreateFolder(const std::string& path);

// The absolute form of a path: relative paths are taken from the current folder, "." and ".."
// are resolved by text (symbolic links are not), repeated "/" collapse. A trailing "/" stays.
// Empty when the current folder cannot be had.
std::string AbsolutePath(const std::string& path);

}  // namespace kelvane

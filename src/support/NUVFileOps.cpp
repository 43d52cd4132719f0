#include "support/NUVFileOps.h"

#include <vector>

#include "platform/FileSystem.h"
#include "support/FileCopy.h"
#include "support/NUVPath.h"
#include "support/NUVTrace.h"
#include "support/NUVWalk.h"

namespace kelvane {

StatusCode FileDelete(const std::string& path) {
    FileDetails details;
    const PlatformStatus queried = QueryFileDetails(path, details);
    if (queried.Missing()) {
        return status::kDeleteNotFound;
    }
    if (queried.Ok() && details.readOnly) {
        return status::kDeleteWriteProtected;
    }
    switch (DeleteFilePath(path).error) {
        case PlatformError::None:
            return 0;
        case PlatformError::FileNotFound:
        case PlatformError::PathNotFound:
            return status::kDeleteNotFound;
        case PlatformError::AccessDenied:
        case PlatformError::WriteProtected:
            return status::kDeleteWriteProtected;
        default:
            return status::kDeleteFailed;
    }
}

StatusCode FileDeleteForced(const std::string& path) {
    if (!SetReadOnly(path, false).Ok() || !DeleteFilePath(path).Ok()) {
        return status::kDeleteNotFound;
    }
    return 0;
}

StatusCode FileRename(const std::string& oldPath, const std::string& newPath) {
    if (oldPath == newPath) {
        return PathExists(oldPath) ? 0 : status::kRenameNotFound;
    }
    switch (RenamePath(oldPath, newPath).error) {
        case PlatformError::None:
            return 0;
        case PlatformError::FileNotFound:
        case PlatformError::PathNotFound:
            // A missing target folder is a bad target name, not a missing file.
            return PathExists(oldPath) ? status::kRenameBadName : status::kRenameNotFound;
        case PlatformError::AccessDenied:
        case PlatformError::AlreadyExists:
        case PlatformError::InvalidName:
        case PlatformError::WriteProtected:
            return status::kRenameBadName;
        case PlatformError::NotSameDevice:
            return status::kRenameOtherDrive;
        case PlatformError::DiskFull:
            return status::kRenameNoSpace;
        default:
            return status::kUnknownError;
    }
}

StatusCode CopyFileStatus(const std::string& source, const std::string& target) {
    TraceFormat(trace::kCopy, true, "%s %s", "Copying file :", source.c_str());
    switch (CopyFileOverwrite(source, target).error) {
        case PlatformError::None:
            return 0;
        case PlatformError::WriteProtected:
            return status::kWriteProtected;
        case PlatformError::NotReady:
            return status::kDriveNotReady;
        case PlatformError::CannotMake:
            return status::kCannotMakeFile;
        case PlatformError::DiskFull:
            return status::kNoSpaceLeft;
        default:
            return status::kFileCopyError;
    }
}

int SetFileTimes(const std::string& path, FileTime time) {
    return SetPathTimes(path, time) ? 1 : 0;
}

StatusCode RenameByPattern(const std::string& fileSpec, const std::string& newName) {
    // The matching names are collected first: a renamed file must not turn up again in the
    // listing that is still running.
    std::vector<std::string> paths;
    WalkContext context;
    context.fileSpec = fileSpec;
    context.fileCallback = [&paths](WalkContext& walk) {
        paths.push_back(walk.currentFolder + walk.currentFileName);
        return 0;
    };
    const StatusCode walked = ProcessAllFiles(context);
    if (walked != 0 && walked != status::kNoFilesFound) {
        return walked;
    }
    const auto newDot = newName.rfind('.');
    const std::string newBase = newDot == std::string::npos ? newName : newName.substr(0, newDot);
    for (const std::string& path : paths) {
        const PathParts parts = SplitPath(path);
        const StatusCode renamed = FileRename(path, parts.folder + newBase + parts.extension);
        if (renamed != 0) {
            return renamed;
        }
    }
    return 0;
}

StatusCode UpperCaseShortNames(const std::string& fileSpec, bool recurse) {
    StatusCode firstFailure = 0;
    WalkContext context;
    context.fileSpec = fileSpec;
    context.recurse = recurse ? 1 : 0;
    context.fileCallback = [&firstFailure](WalkContext& walk) {
        const std::string& name = walk.currentFileName;
        if (IsShortName(name) == 1) {
            std::string upper = name;
            UpperCaseNamePart(upper);
            if (upper != name) {
                const StatusCode renamed =
                    FileRename(walk.currentFolder + name, walk.currentFolder + upper);
                if (firstFailure == 0) {
                    firstFailure = renamed;
                }
            }
        }
        return 0;
    };
    const StatusCode walked = ProcessAllFiles(context);
    return walked != 0 ? walked : firstFailure;
}

}  // namespace kelvane

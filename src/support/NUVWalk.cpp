#include "support/NUVWalk.h"

#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "platform/FindFile.h"
#include "platform/NonCopyable.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "support/NUVPath.h"
#include "support/NUVTrace.h"

namespace kelvane {
namespace {

constexpr int kNoMoreFilesCode = 18;  // reported in the "no more files" trace lines

// The trace texts of one of the two passes.
struct PassTexts {
    const char* noFirstFile;
    const char* fileFound;
    const char* nextAccessDenied;
    const char* nextNoMoreFiles;
    const char* nextError;
};

constexpr PassTexts kFilePass{
    "ProcessAllFilesOfDirectory - No first file found (last error): ",
    "ProcessAllFilesOfDirectory - File found : ",
    "ProcessAllFilesOfDirectory - Find next file - Access denied : ",
    "ProcessAllFilesOfDirectory - Find next file - no more files (last error): ",
    "ProcessAllFilesOfDirectory - Find next file error (last error): ",
};
constexpr PassTexts kFolderPass{
    "ProcessAllFilesOfDirectory - No first file found_2 (last error): ",
    "ProcessAllFilesOfDirectory - File found_2 : ",
    "ProcessAllFilesOfDirectory - Find next file_2 - Access denied : ",
    "ProcessAllFilesOfDirectory - Find next file_2 - no more files (last error): ",
    "ProcessAllFilesOfDirectory - Find next file_2 error (last error): ",
};

void TraceText(int level, const char* literal, const std::string& value) {
    if (TraceWanted(level)) {
        TraceFormat(level, true, "%s %s", literal, value.c_str());
    }
}

// The find status of a failed first find.
StatusCode FirstFindStatus(WalkContext& context, const PlatformStatus& found,
                           const std::string& pattern, const PassTexts& texts) {
    if (TraceWanted(trace::kScan)) {
        TraceFormat(trace::kScan, true, "%s %s %d", texts.noFirstFile, pattern.c_str(), found.code);
    }
    switch (found.error) {
        case PlatformError::FileNotFound:
        case PlatformError::NoMoreFiles:
            return 0;
        case PlatformError::PathNotFound:
        case PlatformError::InvalidName:
            TraceText(trace::kScan, "ProcessAllFilesOfDirectory - Path not found : ", pattern);
            return context.ignorePathNotFound != 0 ? 0 : status::kPathNotFound;
        case PlatformError::AccessDenied:
            TraceText(trace::kScan, "ProcessAllFilesOfDirectory - Access denied : ", pattern);
            return context.ignoreAccessDenied != 0 ? 0 : status::kAccessDenied;
        default:
            context.lastPlatformError = found.code;
            context.platformErrorFlag = 1;
            return status::kFindFirstError;
    }
}

// The find status of a failed find-next (the normal end of the entries gives 0).
StatusCode NextFindStatus(WalkContext& context, const PlatformStatus& found,
                          const std::string& pattern, const PassTexts& texts) {
    switch (found.error) {
        case PlatformError::NoMoreFiles:
            if (TraceWanted(trace::kScan)) {
                TraceFormat(trace::kScan, true, "%s %d", texts.nextNoMoreFiles, kNoMoreFilesCode);
            }
            return 0;
        case PlatformError::AccessDenied:
            TraceText(trace::kScan, texts.nextAccessDenied, pattern);
            return context.ignoreAccessDenied != 0 ? 0 : status::kAccessDenied;
        default:
            if (TraceWanted(trace::kScan)) {
                TraceFormat(trace::kScan, true, "%s %d", texts.nextError, found.code);
            }
            context.lastPlatformError = found.code;
            context.platformErrorFlag = 1;
            return status::kFindNextError;
    }
}

void TraceEntry(const CNuvFindFile& find, const FindEntry& entry, const PassTexts& texts) {
    if (TraceWanted(trace::kScan)) {
        TraceFormat(trace::kScan, true, "%s %s %u", texts.fileFound, entry.name.c_str(),
                    find.Attributes(entry));
    }
}

// A listed folder the walk enters.
bool EntersFolder(const WalkContext& context, const FindEntry& entry) {
    return entry.isFolder && (!entry.isLink || context.followFolderLinks == 1) &&
           entry.name[0] != '.';
}

// First pass: the files of the folder matching the pattern, each handed to the per-file
// callback. A file that vanished between listing and looking at it is passed over. When
// `subfolders` holds a list, the folders to enter are collected into it on the way; it is
// emptied when the listing did not go through every entry, as the folders would be missing.
StatusCode VisitFiles(WalkContext& context, const std::string& folder, bool& found,
                      std::optional<std::vector<std::string>>& subfolders) {
    const std::string pattern = folder + context.fileNamePattern;
    TraceText(trace::kScan, "ProcessAllFilesOfDirectory : ", pattern);
    CNuvFindFile find;
    FindEntry entry;
    StatusCode findStatus = 0;
    StatusCode callbackResult = 0;
    PlatformStatus listed = find.First(pattern, entry);
    bool listedAll = listed.Ok() || listed.error == PlatformError::FileNotFound;
    if (!listed.Ok()) {
        findStatus = FirstFindStatus(context, listed, pattern, kFilePass);
    }
    while (listed.Ok()) {
        TraceEntry(find, entry, kFilePass);
        if (subfolders && EntersFolder(context, entry)) {
            subfolders->push_back(entry.name);
        }
        FileDetails details;
        if (!entry.isFolder && (context.fileTimesOnRequest != 0 || find.Details(details).Ok())) {
            TraceText(trace::kDetail, "Found path", folder);
            TraceText(trace::kDetail, "Found file", entry.name);
            found = true;
            context.currentFolder = folder;
            context.currentFileName = entry.name;
            context.lastWriteTime = details.lastWriteTime;
            context.currentFind = &find;
            if (context.fileCallback) {
                callbackResult = context.fileCallback(context);
            }
            if (callbackResult != 0) {
                break;
            }
        }
        listed = find.Next(entry);
        if (!listed.Ok()) {
            listedAll = listedAll && listed.error == PlatformError::NoMoreFiles;
            findStatus = NextFindStatus(context, listed, pattern, kFilePass);
        }
    }
    if (!listedAll || callbackResult != 0) {
        subfolders.reset();
    }
    context.currentFind = nullptr;
    find.Close();
    if (callbackResult != 0 && callbackResult != status::kAbortedByUser) {
        return callbackResult;
    }
    if (findStatus != 0) {
        return findStatus;
    }
    return callbackResult;
}

// The subfolders to enter, in enumeration order; listed before any is entered so that no
// folder stays open while its descendants are walked.
StatusCode ListSubfolders(WalkContext& context, const std::string& folder,
                          std::vector<std::string>& names) {
    const std::string pattern = folder + "*";
    TraceText(trace::kScan, "ProcessAllFilesOfDirectory - Looking for Subdirectories : ", pattern);
    CNuvFindFile find;
    FindEntry entry;
    PlatformStatus listed = find.First(pattern, entry);
    if (!listed.Ok()) {
        return FirstFindStatus(context, listed, pattern, kFolderPass);
    }
    while (listed.Ok()) {
        TraceEntry(find, entry, kFolderPass);
        if (EntersFolder(context, entry)) {
            names.push_back(entry.name);
        }
        listed = find.Next(entry);
    }
    return NextFindStatus(context, listed, pattern, kFolderPass);
}

bool IdentityOf(const std::string& folder, FolderIdentity& identity) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        return false;
    }
    identity = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    return true;
}

// True when `subfolder` is one of the folders being walked: entering it would walk the same
// folders again and again. The first time a loop into that folder is met it is reported.
bool IsLoop(WalkContext& context, const std::string& subfolder) {
    FolderIdentity identity;
    if (!IdentityOf(subfolder, identity) ||
        std::find(context.foldersOnPath.begin(), context.foldersOnPath.end(), identity) ==
            context.foldersOnPath.end()) {
        return false;
    }
    TraceText(trace::kScan, "ProcessAllFilesOfDirectory - Folder loop skipped : ", subfolder);
    if (context.reportedLoops == nullptr || context.reportedLoops->insert(identity).second) {
        NUV_WARNING("%s\n\n%s",
                    Translate("This folder leads back into a folder that contains it and is "
                              "skipped:")
                        .c_str(),
                    subfolder.c_str());
    }
    return true;
}

// Keeps the folder's identity on the walk's path while the folder is walked.
class FolderOnPath : NonCopyable {
  public:
    FolderOnPath(WalkContext& context, const std::string& folder) : context_(context) {
        FolderIdentity identity;
        pushed_ = IdentityOf(folder, identity);
        if (pushed_) {
            context_.foldersOnPath.push_back(identity);
        }
    }
    ~FolderOnPath() {
        if (pushed_ && !context_.foldersOnPath.empty()) {
            context_.foldersOnPath.pop_back();
        }
    }

  private:
    WalkContext& context_;
    bool pushed_ = false;
};

// Second pass: every subfolder through the per-folder handler: those the first pass collected,
// or else those of a listing of their own.
StatusCode VisitSubfolders(WalkContext& context, const std::string& folder, bool& found,
                           std::optional<std::vector<std::string>> collected) {
    std::vector<std::string> names;
    StatusCode findStatus = 0;
    if (collected) {
        names = std::move(*collected);
    } else {
        findStatus = ListSubfolders(context, folder, names);
    }
    StatusCode handlerResult = 0;
    for (const std::string& name : names) {
        const std::string subfolder = folder + name + "/";
        if (IsLoop(context, subfolder)) {
            continue;
        }
        TraceText(trace::kDetail, "Subdir found", name);
        TraceText(trace::kDetail, "Subdir", subfolder);
        handlerResult = context.folderHandler ? context.folderHandler(context, subfolder)
                                              : status::kNoFolderHandler;
        if (handlerResult == 0 || handlerResult == status::kAbortedByUser) {
            found = true;
        }
        if (handlerResult == status::kAccessDenied && context.ignoreAccessDenied != 0) {
            handlerResult = 0;
        }
        if (handlerResult != 0 && handlerResult != status::kNoFilesFound) {
            break;
        }
    }
    if (handlerResult == status::kAbortedByUser) {
        return handlerResult;
    }
    if (handlerResult != 0 && handlerResult != status::kNoFilesFound) {
        return handlerResult;
    }
    return findStatus != 0 ? status::kWalkFolderError : 0;
}

}  // namespace

void InitWalkContext(WalkContext& context) {
    context = WalkContext{};
}

void CopyWalkContext(WalkContext& destination, const WalkContext& source) {
    const FileTime kept = destination.lastWriteTime;
    destination = source;
    destination.lastWriteTime = kept;
}

bool CurrentFileTime(WalkContext& context) {
    if (context.fileTimesOnRequest == 0 || context.currentFind == nullptr) {
        return true;
    }
    FileDetails details;
    if (!context.currentFind->Details(details).Ok()) {
        return false;
    }
    context.lastWriteTime = details.lastWriteTime;
    return true;
}

StatusCode ProcessAllFilesOfDirectory(WalkContext& context, const std::string& folder) {
    const std::string dir = WithSlash(folder);
    const FolderOnPath onPath(context, dir);
    bool found = false;
    // When the files' pattern takes every name, the one listing gives the subfolders too. With
    // the scan trace on, the folder is listed twice as it always was, so the trace reads the same.
    const bool collect = context.recurse == 1 && !TraceWanted(trace::kScan) &&
                         CNuvWildcard(context.fileNamePattern).MatchesEverything();
    std::optional<std::vector<std::string>> subfolders;
    if (collect) {
        subfolders.emplace();
    }
    const StatusCode filesResult = VisitFiles(context, dir, found, subfolders);
    if (filesResult != 0) {
        return filesResult;
    }
    if (context.recurse == 1) {
        const StatusCode foldersResult =
            VisitSubfolders(context, dir, found, std::move(subfolders));
        if (foldersResult != 0) {
            return foldersResult;
        }
    }
    return found ? 0 : status::kNoFilesFound;
}

StatusCode ProcessAllFiles(WalkContext& context) {
    TraceText(trace::kDetail, "DBG - ProcessAllFiles called -- ", context.fileSpec);
    std::string absolute;
    if (ExpandPath(absolute, context.fileSpec) != 0) {
        return status::kExpandPathError;
    }
    const PathParts parts = SplitPath(absolute);
    context.currentFolder = parts.driveFolder;
    context.fileNamePattern = parts.nameExtension;
    if (TraceWanted(trace::kDetail)) {
        TraceText(trace::kDetail, "DBG - inFilespecAbs ", absolute);
        TraceText(trace::kDetail, "DBG - Filepath ", parts.driveFolder);
        TraceText(trace::kDetail, "DBG - inFilenameWithExt ", parts.nameExtension);
        TraceText(trace::kDetail, "DBG - inFiledrive ", parts.drive);
        TraceText(trace::kDetail, "DBG - inFiledir ", parts.folder);
        TraceText(trace::kDetail, "DBG - inFilename ", parts.name);
        TraceText(trace::kDetail, "DBG - inFileext ", parts.extension);
    }
    if (!context.folderHandler) {
        return status::kNoFolderHandler;
    }
    const std::string folder = context.currentFolder;  // the handler changes the field
    const StatusCode result = context.folderHandler(context, folder);
    return result == status::kAbortedByUser ? 0 : result;
}

}  // namespace kelvane

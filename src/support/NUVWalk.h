// The directory walker: the support library's one way of visiting files. It enumerates the
// files of a folder that match a name pattern and calls a per-file callback for each; with
// the recurse flag it then descends into every subfolder (depth first, through a per-folder
// handler the caller may replace). Subfolders whose name begins with "." are never entered;
// links to folders only with the follow-links flag (the readers of a tree set it, walkers that
// change files do not). A subfolder that is one of the folders being walked (a link back up the
// tree) is a loop: it is skipped and reported once per walk. A companion reads one file line by
// line into a per-line callback.
//
// Callback results: 0 go on; -206 stop the whole walk (travels up unchanged); -202 from a
// per-folder handler: that folder had nothing, go on; anything else stops and is returned.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileTime.h"
#include "support/NUVStatus.h"

namespace kelvane {

struct WalkContext;
class CNuvFindFile;
// A folder as the file system knows it: device and inode.
using FolderIdentity = std::pair<std::uint64_t, std::uint64_t>;
using WalkCallback = std::function<StatusCode(WalkContext&)>;
using FolderHandler = std::function<StatusCode(WalkContext&, const std::string& folder)>;

// The default per-folder handler.
StatusCode ProcessAllFilesOfDirectory(WalkContext& context, const std::string& folder);

// One walk's parameters and state: the caller fills it, the walker updates it while it runs.
struct WalkContext {
    std::string fileSpec;         // folder and pattern as one path: the input of ProcessAllFiles
    std::string currentFolder;    // ends with "/" while a callback runs
    std::string fileNamePattern;  // name and extension, may hold "*" and "?"
    std::string currentFileName;  // the file found, without folder
    void* userPointer = nullptr;
    int userInteger = 0;
    std::string currentLine;     // the line just read by ProcessOneFile_a
    int lineNumber = -1;         // 1-based while lines are read
    int lastPlatformError = 0;   // errno of an unexpected enumeration failure
    int platformErrorFlag = 0;   // 1 once such a failure was met
    int ignoreAccessDenied = 0;  // 1: a folder that cannot be read is skipped silently
    int ignorePathNotFound = 1;  // 1: a missing folder is not an error
    int consoleEcho = 0;         // 1: ProcessOneFile_a prints "\nProcessing file : %s"
    WalkCallback lineCallback;   // may be empty
    WalkCallback fileCallback;   // may be empty
    FolderHandler folderHandler = ProcessAllFilesOfDirectory;
    int recurse = 0;             // 1: visit subfolders
    int followFolderLinks = 0;   // 1: also enter subfolders that are symbolic links
    FileTime lastWriteTime = 0;  // of the current file
    // 1: the walker does not look up every file's last-write time; a per-file callback that
    // needs it calls CurrentFileTime (a walk that wants the time of few files saves a system
    // call per file).
    int fileTimesOnRequest = 0;
    const CNuvFindFile* currentFind = nullptr;  // the enumeration of the current file
    std::array<void*, 4> userPointers{};
    // The folders from the walk's start down to the current one (filled by the walker).
    std::vector<FolderIdentity> foldersOnPath;
    // The loops reported in this walk, shared by the copies of the context a handler makes.
    std::shared_ptr<std::set<FolderIdentity>> reportedLoops =
        std::make_shared<std::set<FolderIdentity>>();
};

// Resets every field: empty texts, zeros, line number -1, ignore path not found 1, the
// default per-folder handler.
void InitWalkContext(WalkContext& context);

// Copies every field except the current file's last-write time.
void CopyWalkContext(WalkContext& destination, const WalkContext& source);

// For a per-file callback: makes context.lastWriteTime the current file's last-write time
// (with fileTimesOnRequest it is looked up now). False when the file is gone.
bool CurrentFileTime(WalkContext& context);

// Walks context.fileSpec: expands it, splits it into folder and pattern and calls the
// per-folder handler with the folder. -131 when it cannot be expanded, -208 without a
// handler; an abort (-206) becomes 0; every other result is returned.
StatusCode ProcessAllFiles(WalkContext& context);

// Reads current folder + current file name line by line (at most 1994 characters with the
// line end) into the per-line callback until the end or a non-zero callback result.
// -130 name too long, -200 cannot open, -107 read error, -108 line too long; else the
// callback's non-zero result, else the close status.
StatusCode ProcessOneFile_a(WalkContext& context);

// Deletes every plain file of `folder` matching `pattern`, clearing the read-only attribute
// first when `forced`. 0, or the first failing status (-203, -207, -214, or a delete's).
StatusCode DeleteMatchingFiles(const std::string& folder, const std::string& pattern, bool forced);

// Size of the line buffer of ProcessOneFile_a.
inline constexpr std::size_t kWalkLineBufferSize = 1995;

}  // namespace kelvane

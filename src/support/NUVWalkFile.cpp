// The walker's file-level companions: reading one file line by line, and deleting the files
// of a folder that match a pattern.
#include "platform/FileSystem.h"
#include "platform/FindFile.h"
#include "support/NUVDbg.h"
#include "support/NUVFile.h"
#include "support/NUVFileInfo.h"
#include "support/NUVFileOps.h"
#include "support/NUVFormat.h"
#include "support/NUVPath.h"
#include "support/NUVTrace.h"
#include "support/NUVWalk.h"

namespace kelvane {

StatusCode ProcessOneFile_a(WalkContext& context) {
    if (TraceWanted(trace::kDetail)) {
        TraceFormat(trace::kDetail, true, "%s %s", "DBG - ProcessOneFile_a called -- ",
                    context.currentFileName.c_str());
    }
    context.currentLine.clear();
    const std::string fullName = context.currentFolder + context.currentFileName;
    if (fullName.size() > kMaxPathLength) {
        return status::kFullNameError;
    }
    if (TraceWanted(trace::kScan)) {
        TraceFormat(trace::kScan, true, "%s %s", "ProcessOneFile_a : ", fullName.c_str());
    }
    if (context.consoleEcho == 1) {
        MessageSink().ConsoleText(StrFormat("\nProcessing file : %s", fullName.c_str()));
    }
    FileHandle file = FileOpen(fullName, kFileBinary, kFileModeRead);
    if (file == nullptr) {
        return status::kCannotOpenFile;
    }
    StatusCode readStatus = 0;
    StatusCode callbackResult = 0;
    context.lineNumber = 0;
    for (;;) {
        const int length = FileReadLine(file, context.currentLine, kWalkLineBufferSize);
        if (length == status::kEndOfFile) {
            break;
        }
        if (length < 0) {
            readStatus = length;
            break;
        }
        ++context.lineNumber;
        if (context.lineCallback) {
            callbackResult = context.lineCallback(context);
            if (callbackResult != 0) {
                break;
            }
        }
    }
    const StatusCode closeStatus = FileClose(file);
    if (readStatus != 0) {
        return readStatus;
    }
    return callbackResult != 0 ? callbackResult : closeStatus;
}

StatusCode DeleteMatchingFiles(const std::string& folder, const std::string& pattern, bool forced) {
    const std::string dir = WithSlash(folder);
    CNuvFindFile find;
    FindEntry entry;
    PlatformStatus listed = find.First(dir + pattern, entry);
    if (!listed.Ok()) {
        return ListingStatus(listed.error);
    }
    for (; listed.Ok(); listed = find.Next(entry)) {
        if (entry.isFolder) {
            continue;
        }
        if (TraceWanted(trace::kDetail)) {
            TraceFormat(trace::kDetail, true, "%s %s", "Found path", dir.c_str());
            TraceFormat(trace::kDetail, true, "%s %s", "Found file", entry.name.c_str());
        }
        const std::string path = dir + entry.name;
        const StatusCode deleted = forced ? FileDeleteForced(path) : FileDelete(path);
        if (deleted != 0) {
            return deleted;
        }
    }
    return 0;
}

}  // namespace kelvane

#include "scan/ZOLFastAccess.h"

#include <thread>

#include "scan/ZOLDataFileWriter.h"
#include "scan/ZOLScanState.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "support/NUVPath.h"
#include "support/NUVTrace.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

void Refuse(const char* text) {
    ShowBox(Translate(text));
}

}  // namespace

StatusCode WriteFastAccessDataFileSub(WalkContext& context, const std::string& folder) {
    if (TraceWanted(trace::kScan)) {
        TraceFormat(trace::kScan, true, "%s %s",
                    "WriteFastAccessDataFileSub called for directory : ", folder.c_str());
    }
    const std::string root = WithSlash(folder);
    auto* records = static_cast<RecordList*>(context.userPointer);
    if (records != nullptr && ScanState().readOnlyMedium == 0) {
        const StatusCode written =
            WriteDataFileCore(root + CurrentModeNames().fastAccessFile, root, *records,
                              kDataFileRewrite, DataFileSwitches(), &root, true);
        if (written != 0) {
            return written;
        }
    }
    return ProcessAllFilesOfDirectory(context, root);
}

StatusCode WriteFastAccessDataFiles(RecordList& records, std::chrono::milliseconds pause) {
    TraceFormat(trace::kScan, true, "%s %s", "WriteFastAccessDataFiles : ", " ");
    const ScanStateValues& state = ScanState();
    if (state.treeComplete == 0) {
        Refuse(
            "This function requires that processing of all folders was successful\nSelect the "
            "current folder again to restart processing.\n(Click on the 'Browse' button and then "
            "on the 'OK' button in the browse dialog).");
        return 0;
    }
    if (state.readOnlyMedium != 0) {
        Refuse("This function cannot be used on read-only media.");
        return 0;
    }
    if (state.includeSubfolders == 0) {
        Refuse("This function requires that 'Include Subfolders' is selected.");
        return 0;
    }
    SetStatusPaneText(0, Translate("Working..."));
    std::this_thread::sleep_for(pause);

    const std::string start = WithSlash(state.currentStartFolder);
    WalkContext context;
    InitWalkContext(context);
    context.fileSpec = start + "*.*";
    context.currentFolder = start;
    context.fileNamePattern = "*.*";
    context.folderHandler = WriteFastAccessDataFileSub;
    context.recurse = 1;
    context.followFolderLinks = 1;  // the same folders the scan read
    context.userPointer = &records;
    StatusCode result = WriteFastAccessDataFileSub(context, start);
    // A tree without a single file has nothing to list; that is no failure.
    if (result == status::kNoFilesFound) {
        result = 0;
    }
    SetStatusPaneText(0, " ");
    if (result != 0) {
        NUV_WARNING("%s %d", Translate("Fast Access Data creation failed (Error Code): ").c_str(),
                    result);
    } else {
        ShowBox(Translate("Fast Access Data created."), BoxIcon::Information);
    }
    return result;
}

}  // namespace kelvane

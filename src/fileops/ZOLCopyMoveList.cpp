// The walk over the selected rows on the worker, the operation around it and the commands.
#include <vector>

#include "fileops/ZOLCopyMove.h"
#include "fileops/ZOLFileOpPrompts.h"
#include "list/ZOLListViewMgr.h"
#include "platform/FileSystem.h"
#include "records/ZOLRecordStore.h"
#include "scan/ZOLDataFileWriter.h"
#include "scan/ZOLScanState.h"
#include "scan/ZOLSpaceReservation.h"
#include "support/NUVConfig.h"
#include "support/NUVDbg.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVPath.h"
#include "support/NUVStatus.h"
#include "support/NUVTrace.h"
#include "support/NUVUserInterface.h"
#include "support/NUVWorkThread.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

bool Aborted() {
    return ScanState().abortFlag.load() != 0;
}

// What to do after a file's status: kNext, kRetry, or a final status.
constexpr StatusCode kNext = 1;
constexpr StatusCode kRetry = 2;

StatusCode HandleFileStatus(StatusCode result, const std::string& destination) {
    switch (result) {
        case 0:
            return kNext;
        case status::kSpaceFileCreate:
        case status::kCannotMakeFile:
        case status::kNoSpaceLeft:
            if (FileOpPrompts().DeviceFull() != device_full::kChangedMedia) {
                return status::kAbortedByUser;
            }
            return MakeFolderPath(destination) != 0 ? kRetry : status::kCopyMoveFolderNotMade;
        case status::kDataFileOpenForWrite:
            NUV_WARNING("%s %s",
                        Translate("Error during copy/move - Unable to write data file\nDevice "
                                  "write protected, full or no disc?\nFile: ")
                            .c_str(),
                        (destination + CurrentModeNames().moveFile).c_str());
            return result;
        case status::kAbortedByUser:
            return result;
        case status::kDriveNotReady:
            NUV_WARNING("%s",
                        Translate("Error during copy/move - Destination device not ready").c_str());
            return result;
        case status::kWriteProtected:
            NUV_WARNING("%s",
                        Translate("Error during copy/move - Destination device is write protected")
                            .c_str());
            return result;
        default:
            NUV_WARNING("%s %d", Translate("Error during copy/move - Error nr.").c_str(), result);
            return result;
    }
}

// One selected row: the file of a file row, or the style of a song row once.
StatusCode CopyMoveRow(CopyMoveKind kind, long row, bool songRows, const std::string& destination) {
    StyleDataPacket* record = ListViewMgr().StyleRecordOfRow(row);
    if (record == nullptr) {
        return 0;
    }
    const bool desktopTrash = kind == CopyMoveKind::Move && destination.empty();
    if (!songRows) {
        return desktopTrash ? TrashOneFile(record) : CopyMoveOneFile(kind, record, destination);
    }
    if (record->batchMark == 0) {
        return 0;  // handled through an earlier song of the same style
    }
    const StatusCode result =
        desktopTrash ? TrashOneFile(record) : CopyMoveOneFile(kind, record, destination);
    if (result == 0) {
        record->batchMark = 0;
    }
    return result;
}

// The copy marks of the styles behind the selected song rows.
std::vector<StyleDataPacket*> MarkStylesOfSelectedSongs() {
    std::vector<StyleDataPacket*> marked;
    for (long cursor = ListViewMgr().FirstSelectedRowNumber(); cursor != 0;) {
        StyleDataPacket* record =
            ListViewMgr().StyleRecordOfRow(ListViewMgr().NextSelected(cursor));
        if (record != nullptr) {
            record->batchMark = 1;
            marked.push_back(record);
        }
    }
    return marked;
}

StatusCode WalkSelectedRows(CopyMoveKind kind, const std::string& destination, bool songRows) {
    unsigned long remaining = static_cast<unsigned long>(ListViewMgr().SelectedCount());
    for (long cursor = ListViewMgr().FirstSelectedRowNumber(); cursor != 0;) {
        const long row = ListViewMgr().NextSelected(cursor);
        for (;;) {
            SetStatusPaneText(1, StrFormat("%lu", remaining));
            if (Aborted()) {
                return status::kAbortedByUser;
            }
            const StatusCode result = CopyMoveRow(kind, row, songRows, destination);
            if (!songRows) {
                const long next = row + 1 < ListViewMgr().RowCount() ? row + 1 : row;
                CopyMoveState().focusRecord = ListViewMgr().StyleRecordOfRow(next);
            }
            if (!destination.empty() && result != status::kDriveNotReady &&
                result != status::kWriteProtected) {
                ReleaseDestinationSpace(destination);
            }
            const StatusCode next = HandleFileStatus(result, destination);
            if (next == kNext) {
                --remaining;
                break;
            }
            if (next != kRetry) {
                return next;
            }
        }
    }
    return 0;
}

// The worker of the "Copy/Move" progress window.
StatusCode CopyThreadWorker(CopyMoveKind kind, const std::string& destination) {
    const StatusCode result = CopyMoveFileList(kind, destination);
    if (result == status::kAbortedByUser) {
        ScanState().abortFlag = 1;
    } else if (result != 0) {
        NUV_WARNING("%s %d", Translate("Error during copy/move - Error Nr : ").c_str(), result);
    }
    return result;
}

const char* PleaseSelectText(CopyMoveKind kind) {
    const bool styleMode = CurrentModeNames().styleMode;
    if (kind == CopyMoveKind::Copy) {
        return styleMode ? "Please select one or more styles to be copied\n\n(you can use Ctrl-A "
                           "to select all styles)"
                         : "Please select one or more midi files to be copied\n\n(you can use "
                           "Ctrl-A to select all midis)";
    }
    return styleMode ? "Please select one or more styles to be moved\n\n(you can use Ctrl-A to "
                       "select all styles)"
                     : "Please select one or more midi files to be moved\n\n(you can use Ctrl-A "
                       "to select all midis)";
}

const char* DestinationDialogTitle(CopyMoveKind kind) {
    const bool styleMode = CurrentModeNames().styleMode;
    if (kind == CopyMoveKind::Copy) {
        return styleMode ? "Copy Style File(s)" : "Copy Midi File(s)";
    }
    return styleMode ? "Move Style File(s)" : "Move Midi File(s)";
}

// The file names of the first `limit` selected rows.
std::vector<std::string> FirstSelectedNames(std::size_t limit) {
    std::vector<std::string> names;
    for (long cursor = ListViewMgr().FirstSelectedRowNumber();
         cursor != 0 && names.size() < limit;) {
        const StyleDataPacket* record =
            ListViewMgr().StyleRecordOfRow(ListViewMgr().NextSelected(cursor));
        if (record != nullptr) {
            names.emplace_back(record->Text(kFieldFilename));
        }
    }
    return names;
}

// The remembered destination as the dialog's start: trimmed, one closing "/" taken off (the
// root stays "/").
std::string DialogStartFolder() {
    std::string& remembered = CopyMoveState().rememberedDestination;
    if (remembered.empty()) {
        long cursor = ListViewMgr().FirstSelectedRowNumber();
        const StyleDataPacket* first =
            ListViewMgr().StyleRecordOfRow(ListViewMgr().NextSelected(cursor));
        remembered = first != nullptr ? std::string(first->Text(kFieldPath)) : std::string();
    }
    std::string start = remembered;
    NormaliseFolder(start);
    return start;
}

// The destination folder: the given one, else the dialog's choice; none when cancelled.
std::optional<std::string> DestinationFolder(CopyMoveKind kind, const std::string& given) {
    if (!given.empty()) {
        return given;
    }
    const std::optional<std::string> chosen =
        FileOpPrompts().ChooseFolder(DestinationDialogTitle(kind), DialogStartFolder());
    if (!chosen || chosen->empty()) {
        TraceFormat(trace::kDebug, true, "%s %d", "CommDlgExtendedError return", 0);
        return std::nullopt;
    }
    CopyMoveState().rememberedDestination = WithSlash(*chosen);
    return CopyMoveState().rememberedDestination;
}

// A destination that does not exist is named; the user may choose another folder instead.
std::optional<std::string> ExistingDestination(CopyMoveKind kind, std::string folder) {
    while (!IsFolder(folder)) {
        if (FileOpPrompts().MissingDestination(folder) != missing_folder::kChooseFolder) {
            return std::nullopt;
        }
        const std::optional<std::string> chosen =
            FileOpPrompts().ChooseFolder(DestinationDialogTitle(kind), DialogStartFolder());
        if (!chosen || chosen->empty()) {
            return std::nullopt;
        }
        folder = WithSlash(*chosen);
        CopyMoveState().rememberedDestination = folder;
    }
    return folder;
}

}  // namespace

StatusCode CopyMoveFileList(CopyMoveKind kind, const std::string& destination) {
    CopyMoveState().focusRecord = nullptr;
    const bool songRows = ListViewMgr().CurrentViewMode() == Songs;
    std::vector<StyleDataPacket*> marked;
    if (songRows) {
        marked = MarkStylesOfSelectedSongs();
    }
    const StatusCode result = WalkSelectedRows(kind, destination, songRows);
    for (StyleDataPacket* record : marked) {
        record->batchMark = 0;  // an early end leaves no stale mark behind
    }
    return result;
}

StatusCode CopyMoveSelectedFiles(CopyMoveKind kind, const std::string& destination, bool toTrash) {
    CZOLListViewMgr& list = ListViewMgr();
    if (!list.IsReady()) {
        return 0;
    }
    CopyMoveStateValues& state = CopyMoveState();
    state.flags = CopyMoveFlags{false, toTrash, false};
    state.entries.clear();
    state.workerStatus = 0;
    state.focusRecord = nullptr;
    if (list.SelectedCount() == 0) {
        ShowBox(Translate(PleaseSelectText(kind)));
        return 0;
    }
    if (toTrash &&
        ShowBox(TrashQuestionText(list.SelectedCount(), FirstSelectedNames(3), destination),
                BoxIcon::Exclamation, BoxButtons::OkCancel, BoxAnswer::Ok) != BoxAnswer::Ok) {
        return 0;
    }
    SetStatusPaneText(0, Translate(kind == CopyMoveKind::Copy ? "Copying files"
                                   : toTrash                  ? "Moving files to trash"
                                                              : "Moving files"));
    std::optional<std::string> chosen;
    if (toTrash) {
        chosen = destination;  // a trash folder, or empty for the desktop's trash
    } else {
        chosen = DestinationFolder(kind, destination);
        if (chosen) {
            chosen = ExistingDestination(kind, WithSlash(*chosen));
        }
    }
    if (!chosen) {
        SetStatusPaneText(0, Translate(kind == CopyMoveKind::Copy ? "Copying files cancelled"
                                                                  : "Moving files cancelled"));
        return 0;
    }
    const std::string folder = chosen->empty() ? std::string() : WithSlash(*chosen);
    WorkJobTexts texts;
    texts.title = Translate("Copy/Move");
    CWorkSession session(CompleteWorkJobTexts(texts), &ScanState().abortFlag);
    StatusCode workerStatus = 0;
    const StatusCode started = RunOnWorker(
        session, [kind, &folder] { return CopyThreadWorker(kind, folder); }, workerStatus);
    state.workerStatus = started != 0 ? started : workerStatus;

    SetStatusPaneText(1, " ");
    const bool aborted = ScanState().abortFlag.load() != 0;
    SetStatusPaneText(0, CopyMoveSummaryText(kind, aborted, CountCopyMoveEntries(state.entries)));
    ScanState().abortFlag = 0;

    StatusCode updated = 0;
    if (IsInsideCurrentTree(folder) || kind == CopyMoveKind::Move) {
        // A removed focus record is released by the update.
        StyleDataPacket* focus = state.focusRecord != nullptr && state.focusRecord->removed == 0
                                     ? state.focusRecord
                                     : nullptr;
        state.focusRecord = nullptr;
        updated = UpdateStyleDataFiles(RecordStore().records);
        list.ForceRebuild(true, focus, false);
    }
    return updated != 0 ? updated : state.workerStatus;
}

StatusCode CopySelectedFiles() {
    return CopyMoveSelectedFiles(CopyMoveKind::Copy, "", false);
}

StatusCode CopySelectedToQuickPath() {
    return CopyMoveSelectedFiles(CopyMoveKind::Copy, WithSlash(Config().quickCopyPath), false);
}

StatusCode MoveSelectedFiles() {
    return CopyMoveSelectedFiles(CopyMoveKind::Move, "", false);
}

StatusCode CopyMoveSelectedTo(CopyMoveKind kind, const std::string& folder) {
    return CopyMoveSelectedFiles(kind, folder, false);
}

StatusCode MoveSelectedToTrash() {
    const std::string& trash = Config().trashFolder;
    if (trash.empty()) {
        return CopyMoveSelectedFiles(CopyMoveKind::Move, "", true);
    }
    if (!IsFolder(WithSlash(trash))) {
        NUV_INFO(
            "%s\n%s\n%s", Translate("No existing trash folder found.").c_str(), trash.c_str(),
            Translate("Please select a folder via 'Settings > Folders > Trash Folder' from the "
                      "'Edit' menu, or leave it empty to use the desktop's trash.\nThen try "
                      "again.")
                .c_str());
        return 0;
    }
    return CopyMoveSelectedFiles(CopyMoveKind::Move, WithSlash(trash), true);
}

}  // namespace kelvane

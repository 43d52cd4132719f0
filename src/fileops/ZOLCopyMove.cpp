// One file of a copy or move: the checks, the copy of its set, and the records kept consistent.
#include "fileops/ZOLCopyMove.h"

#include "fileops/ZOLFileOpPrompts.h"
#include "fileops/ZOLMoveFile.h"
#include "platform/FileSystem.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLStyleData.h"
#include "scan/ZOLSpaceReservation.h"
#include "support/NUVFileInfo.h"
#include "support/NUVFileOps.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVTranslateFormat.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

void Note(const CopyMoveTarget& target, CopyMoveOutcome outcome, StatusCode status = 0) {
    CopyMoveEntry entry;
    entry.source = target.SourcePath();
    if (outcome == CopyMoveOutcome::Copied || outcome == CopyMoveOutcome::Moved) {
        entry.target = target.TargetPath();
        entry.renamed = target.targetName != target.sourceName;
    }
    entry.outcome = outcome;
    entry.status = status;
    CopyMoveState().entries.push_back(std::move(entry));
}

// The copy of the set, with the message of a failure that does not lead to the device-full
// prompt.
StatusCode CopyFileSet(const CopyMoveTarget& target, std::vector<std::string>* created = nullptr) {
    const StatusCode copied =
        CopyWithAllExtensions(target.sourceFolder, target.sourceName, target.destinationFolder,
                              target.targetName, target.rules, created);
    if (copied == 0 || copied == status::kNoSpaceLeft || copied == status::kCannotMakeFile) {
        return copied;
    }
    const bool styleMode = CurrentModeNames().styleMode;
    const char* format = styleMode ? "Error during copy file with all extensions\nError code : "
                                     "%d\nSource file : %s\nDestination file : %s"
                                   : "Error during copy file\nError code : %d\nSource file : "
                                     "%s\nDestination file : %s";
    const std::string source =
        styleMode ? SourcePatternOf(target.SourcePath()) : target.SourcePath();
    ShowBox(StrFormat(TranslateFormat(format).c_str(), copied, source.c_str(),
                      target.TargetPath().c_str()));
    return copied;
}

// Deletes the source set of a move. The record is to follow the file when the selected file is
// gone afterwards, whatever the deletion of its companions returned.
StatusCode DeleteSource(const CopyMoveTarget& target, bool& sourceGone) {
    StatusCode deleted = 0;
    if (CurrentModeNames().styleMode) {
        deleted = DeleteWithAllExtensions(target.sourceFolder, target.sourceName);
    } else {
        deleted = FileDeleteForced(target.SourcePath());
    }
    sourceGone = !PathExists(target.SourcePath());
    return deleted;
}

// The records of a file that the copy replaced in the destination are dropped.
void MarkReplacedRecords(const CopyMoveTarget& target, const StyleDataPacket* except) {
    for (StyleDataPacket* other : RecordStore().records) {
        if (other != except && other->Text(kFieldPath) == target.destinationFolder &&
            other->Text(kFieldFilename) == target.targetName) {
            other->removed = 1;
        }
    }
}

// A copy of `record` placed at the target; nullptr when it cannot be made.
StyleDataPacket* DuplicateAt(const StyleDataPacket* record, const CopyMoveTarget& target) {
    StyleDataPacket* copy = WorkCopyOfStyleRecord(record);
    if (copy == nullptr) {
        return nullptr;
    }
    copy->removed = 0;
    copy->changed = 1;
    if (AssignStyleField(*copy, kFieldPath, target.destinationFolder) != 0 ||
        AssignStyleField(*copy, kFieldFilename, target.targetName) != 0) {
        ReleaseStyleRecord(copy);
        return nullptr;
    }
    return copy;
}

void MoveRecordTo(StyleDataPacket* record, const CopyMoveTarget& target) {
    AssignStyleField(*record, kFieldPath, target.destinationFolder);
    AssignStyleField(*record, kFieldFilename, target.targetName);
    record->changed = 1;
}

// Step 11: the destination belongs to the tree on show.
StatusCode CopyMoveInsideTree(CopyMoveKind kind, StyleDataPacket* record,
                              const CopyMoveTarget& target) {
    const bool existedBefore = PathExists(target.TargetPath());
    const StatusCode copied = CopyFileSet(target);
    if (copied != 0) {
        return copied;
    }
    if (existedBefore) {
        MarkReplacedRecords(target, record);
    }
    if (kind == CopyMoveKind::Copy) {
        StyleDataPacket* copy = DuplicateAt(record, target);
        if (copy == nullptr) {
            return status::kCopyMoveNoDuplicate;
        }
        RecordStore().records.Append(copy);
        Note(target, CopyMoveOutcome::Copied);
        return 0;
    }
    if (kind != CopyMoveKind::Move) {
        return status::kCopyMoveUnknownKind;
    }
    bool sourceGone = false;
    const StatusCode deleted = DeleteSource(target, sourceGone);
    if (sourceGone) {
        MoveRecordTo(record, target);
    }
    Note(target, deleted == 0 ? CopyMoveOutcome::Moved : CopyMoveOutcome::Failed, deleted);
    return deleted;
}

// Step 12: the destination lies outside the tree; the record goes to its move file.
StatusCode CopyMoveOutsideTree(CopyMoveKind kind, StyleDataPacket* record,
                               const CopyMoveTarget& target) {
    if (kind != CopyMoveKind::Copy && kind != CopyMoveKind::Move) {
        return status::kCopyMoveUnknownKind;
    }
    std::vector<std::string> created;
    const StatusCode copied = CopyFileSet(target, &created);
    if (copied != 0) {
        return copied;
    }
    RecordList moved;
    StyleDataPacket* copy = DuplicateAt(record, target);
    if (copy == nullptr) {
        return status::kCopyMoveNoDuplicate;
    }
    moved.Append(copy);
    ReleaseDestinationSpace(target.destinationFolder);
    const StatusCode appended =
        AppendToMoveFile(target.destinationFolder + CurrentModeNames().moveFile, moved);
    moved.ReleaseAll();
    if (appended != 0) {
        // Without its record the copy is not finished; a retry after "Changed Media" starts
        // from a clean destination.
        for (const std::string& path : created) {
            FileDeleteForced(path);
        }
        return appended;
    }
    if (kind == CopyMoveKind::Copy) {
        Note(target, CopyMoveOutcome::Copied);
        return 0;
    }
    bool sourceGone = false;
    const StatusCode deleted = DeleteSource(target, sourceGone);
    if (sourceGone) {
        record->removed = 1;
    }
    Note(target, deleted == 0 ? CopyMoveOutcome::Moved : CopyMoveOutcome::Failed, deleted);
    return deleted;
}

// What the read-only check of a move's source returns besides a failure status.
constexpr StatusCode kGoOnWithFile = 0;
constexpr StatusCode kSkipFile = 1;

// Step 6: a read-only source of a move. kGoOnWithFile, kSkipFile, or a failure status.
StatusCode CheckReadOnlySource(const CopyMoveTarget& target) {
    CopyMoveFlags& flags = CopyMoveState().flags;
    if (flags.readOnlyYesToAll) {
        return kGoOnWithFile;
    }
    const int state = FileWritableState(target.SourcePath());
    if (state < 0) {
        return kSkipFile;
    }
    if (state != 1) {
        return kGoOnWithFile;
    }
    switch (FileOpPrompts().ReadOnlySource(target.SourcePath())) {
        case read_only::kYes:
            return kGoOnWithFile;
        case read_only::kYesToAll:
            flags.readOnlyYesToAll = true;
            return kGoOnWithFile;
        case read_only::kNo:
            Note(target, CopyMoveOutcome::SkippedReadOnly);
            return kSkipFile;
        case read_only::kAbort:
            return status::kAbortedByUser;
        default:
            return status::kCopyMoveReadOnlyAnswer;
    }
}

}  // namespace

CopyMoveStateValues& CopyMoveState() {
    static CopyMoveStateValues state;
    return state;
}

StatusCode TrashOneFile(StyleDataPacket* record) {
    CopyMoveTarget target;
    target.sourceFolder = std::string(record->Text(kFieldPath));
    target.sourceName = std::string(record->Text(kFieldFilename));
    target.targetName = target.sourceName;
    if (!PathExists(target.SourcePath())) {
        Note(target, CopyMoveOutcome::SourceMissing);
        return 0;
    }
    const StatusCode readOnly = CheckReadOnlySource(target);
    if (readOnly != kGoOnWithFile) {
        return readOnly == kSkipFile ? status::kOk : readOnly;
    }
    SetStatusPaneText(0,
                      StrFormat(TranslateFormat("Moving %s").c_str(), target.SourcePath().c_str()));
    std::string trashed;
    const StatusCode result =
        TrashWithAllExtensions(target.sourceFolder, target.sourceName, trashed);
    if (!PathExists(target.SourcePath())) {
        record->removed = 1;  // its record leaves the folder's data file, as with a trash folder
    }
    if (!trashed.empty()) {
        const std::size_t slash = trashed.rfind('/');
        target.destinationFolder = trashed.substr(0, slash + 1);
        target.targetName = trashed.substr(slash + 1);
    }
    if (result != 0) {
        ShowBox(StrFormat("%s\n%s", Translate("The file could not be moved to the trash:").c_str(),
                          target.SourcePath().c_str()));
    }
    Note(target, result == 0 ? CopyMoveOutcome::Moved : CopyMoveOutcome::Failed, result);
    return 0;
}

StatusCode CopyMoveOneFile(CopyMoveKind kind, StyleDataPacket* record,
                           const std::string& destinationFolder) {
    CopyMoveTarget target;
    target.sourceFolder = std::string(record->Text(kFieldPath));
    target.sourceName = std::string(record->Text(kFieldFilename));
    target.destinationFolder = destinationFolder;
    target.rules = QuickCopyRulesFor(destinationFolder);
    target.targetName = QuickCopyTargetName(target.sourceName, target.rules);
    if (!PathExists(target.SourcePath())) {
        Note(target, CopyMoveOutcome::SourceMissing);
        return 0;
    }
    const StatusCode reserved = ReserveDestinationSpace(destinationFolder);
    if (reserved != 0) {
        return reserved;
    }
    if (kind == CopyMoveKind::Move &&
        SameFile(target.SourcePath(), destinationFolder + target.sourceName)) {
        Note(target, CopyMoveOutcome::SameFile);
        return 0;
    }
    if (kind == CopyMoveKind::Move) {
        const StatusCode readOnly = CheckReadOnlySource(target);
        if (readOnly != kGoOnWithFile) {
            return readOnly == kSkipFile ? status::kOk : readOnly;
        }
    }
    ClashCheck allowed = ClashCheck::AskAgain;
    while ((allowed = CheckIfCopyMoveIsAllowed(target)) == ClashCheck::AskAgain) {
    }
    if (allowed == ClashCheck::Abort) {
        return status::kAbortedByUser;
    }
    if (allowed == ClashCheck::Skip) {
        Note(target, CopyMoveOutcome::Skipped);
        return 0;
    }
    const char* format = kind == CopyMoveKind::Copy ? "Copying %s" : "Moving %s";
    SetStatusPaneText(0, StrFormat(TranslateFormat(format).c_str(), target.SourcePath().c_str()));
    return IsInsideCurrentTree(destinationFolder) ? CopyMoveInsideTree(kind, record, target)
                                                  : CopyMoveOutsideTree(kind, record, target);
}

}  // namespace kelvane

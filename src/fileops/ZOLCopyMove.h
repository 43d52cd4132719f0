// Copy, move and move to trash of the files behind the selected list rows, keeping the records
// and the data files consistent with the disk.
//
// The command entry points run on the user-interface thread: they check the selection, ask
// for the destination, run CopyMoveFileList on the worker behind the progress host ("Copy/
// Move", Abort) and afterwards write the data files of changed folders and refresh the list.
// Everything below CopyMoveFileList runs on the worker and asks its questions through
// FileOpPrompts() (ZOLFileOpPrompts.h) and ShowBox.
#pragma once

#include <string>
#include <vector>

#include "fileops/ZOLFileSets.h"
#include "records/ZOLDataPacket.h"
#include "support/NUVStatus.h"

namespace kelvane {

enum class CopyMoveKind : int { Copy = 0, Move = 1 };

// What happened to one selected file, for the front ends' summaries.
enum class CopyMoveOutcome {
    Copied,
    Moved,
    Skipped,          // a clash answered with Skip
    SkippedReadOnly,  // a read-only source answered with No
    SameFile,         // a move onto itself: nothing to do
    SourceMissing,    // the file was gone: nothing to do
    Failed,
};

struct CopyMoveEntry {
    std::string source;  // full path
    std::string target;  // full path as written (empty when nothing was written)
    CopyMoveOutcome outcome = CopyMoveOutcome::Failed;
    bool renamed = false;  // the target name differs from the source name
    StatusCode status = 0;
};

// The last operation's entries counted: files copied or moved, skipped, renamed on the way
// (a renamed file counts as done too) and failed.
struct CopyMoveCounts {
    int done = 0;
    int skipped = 0;
    int renamed = 0;
    int failed = 0;
};
CopyMoveCounts CountCopyMoveEntries(const std::vector<CopyMoveEntry>& entries);
// The status line after a copy or move: "Copying files finished: 3 files copied, 1 skipped,
// 1 renamed" (translated; only the counts that are not zero besides the done count).
std::string CopyMoveSummaryText(CopyMoveKind kind, bool aborted, const CopyMoveCounts& counts);

// The three operation flags.
struct CopyMoveFlags {
    bool replaceAll = false;
    bool autoRenameAll = false;
    bool readOnlyYesToAll = false;
};

// The state of copy and move: the operation flags (cleared at the start of each operation),
// the remembered destination (for the whole run), the focus record and the last operation's
// entries and worker status.
struct CopyMoveStateValues {
    CopyMoveFlags flags;
    std::string rememberedDestination;
    StyleDataPacket* focusRecord = nullptr;
    std::vector<CopyMoveEntry> entries;
    StatusCode workerStatus = 0;
};
CopyMoveStateValues& CopyMoveState();

// One file's source and destination while its clash is checked; the check may change the
// target name.
struct CopyMoveTarget {
    std::string sourceFolder;
    std::string sourceName;
    std::string destinationFolder;
    std::string targetName;
    QuickCopyRules rules;

    std::string SourcePath() const { return sourceFolder + sourceName; }
    std::string TargetPath() const { return destinationFolder + targetName; }
};

// True when both paths name one existing file (same device and inode).
bool SameFile(const std::string& a, const std::string& b);

// What the clash check of one pass decided for the file.
enum class ClashCheck {
    GoOn,      // no clash, or the user chose to replace or rename
    Skip,      // leave this file
    Abort,     // stop the whole copy or move
    AskAgain,  // the rename dialog was cancelled: ask the file-exists question again
};

ClashCheck CheckIfCopyMoveIsAllowed(CopyMoveTarget& target);

// True when `folder` (ending with "/") belongs to the tree on show: the start folder itself,
// or with subfolders included any folder below it. Folders are compared exactly.
bool IsInsideCurrentTree(const std::string& folder);

// Copies or moves the file (set) of one record into `destinationFolder` (ending with "/").
StatusCode CopyMoveOneFile(CopyMoveKind kind, StyleDataPacket* record,
                           const std::string& destinationFolder);

// Moves the file (set) of one record into the desktop's trash and drops the record from its
// folder. A file that will not go is named in a box and counted as failed; the walk goes on.
StatusCode TrashOneFile(StyleDataPacket* record);

// The worker's walk over the selected rows. A move with an empty `destination` takes each
// file to the desktop's trash.
StatusCode CopyMoveFileList(CopyMoveKind kind, const std::string& destination);

// The question before a move to the trash: the file's name, or the count and the first names;
// then where the files go (`trashFolder`, or the desktop's trash when it is empty).
std::string TrashQuestionText(long count, const std::vector<std::string>& firstNames,
                              const std::string& trashFolder);

// The operation behind every copy, move and trash command. `destination` empty: the user
// picks a folder; for the trash, the desktop's trash. Returns the status of the data-file update,
// else the worker's status
// (-206 when aborted), else 0 (also for refusals and cancelled dialogs).
StatusCode CopyMoveSelectedFiles(CopyMoveKind kind, const std::string& destination, bool toTrash);

// Command entry points of the main view.
StatusCode CopySelectedFiles();        // destination from the dialog
StatusCode CopySelectedToQuickPath();  // the quick-copy path
StatusCode MoveSelectedFiles();        // destination from the dialog
// A given folder; empty means the dialog.
StatusCode CopyMoveSelectedTo(CopyMoveKind kind, const std::string& folder);
// Into the trash folder of the settings; when none is set, into the desktop's trash. A trash
// folder that is set but missing is named in a box and nothing moves.
StatusCode MoveSelectedToTrash();

}  // namespace kelvane

// The clash check of copy and move, and the small questions about places it needs.
#include <sys/stat.h>

#include "fileops/ZOLCopyMove.h"
#include "fileops/ZOLFileOpPrompts.h"
#include "fileops/ZOLRenameFile.h"
#include "platform/FileSystem.h"
#include "scan/ZOLScanState.h"
#include "support/NUVDbg.h"
#include "support/NUVFileInfo.h"
#include "support/NUVLang.h"
#include "support/NUVPath.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

// A front end that keeps answering with a disabled button must not hold the worker forever.
constexpr int kMaxUnexpectedAnswers = 100;

// The rename dialog of the clash check: GoOn with a new target name, AskAgain on Cancel.
ClashCheck AskForNewTargetName(CopyMoveTarget& target) {
    for (;;) {
        const std::optional<std::string> chosen =
            FileOpPrompts().ChooseNewName(target.destinationFolder, target.targetName);
        const std::string name = chosen ? UsableNewName(*chosen, target.targetName) : "";
        if (name.empty()) {
            return ClashCheck::AskAgain;
        }
        const std::string written = QuickCopyTargetName(name, target.rules);
        if (SameBaseNames(target.destinationFolder, BaseNameOf(written)).empty() &&
            !PathExists(target.destinationFolder + written)) {
            target.targetName = written;
            return ClashCheck::GoOn;
        }
        ShowBox(Translate("Selected file already exists"));
    }
}

void AutoRename(CopyMoveTarget& target) {
    target.targetName = QuickCopyTargetName(
        AutoRenameTarget(target.destinationFolder, target.targetName), target.rules);
}

// The file-exists prompt and what its answer means for this file.
ClashCheck AskFileExists(const FileExistsQuestion& question, CopyMoveTarget& target) {
    CopyMoveFlags& flags = CopyMoveState().flags;
    const PromptLayout layout = FileExistsPromptLayout(question);
    for (int unexpected = 0; unexpected < kMaxUnexpectedAnswers; ++unexpected) {
        const int answer = FileOpPrompts().FileExists(question);
        if (!AnswerAllowed(layout, answer)) {
            NUV_ERROR("%s", "Internal Error - Unexpected switch case in CheckIfCopyMoveIsAllowed");
            continue;
        }
        switch (answer) {
            case file_exists::kSkip:
                return ClashCheck::Skip;
            case file_exists::kReplace:
                return ClashCheck::GoOn;
            case file_exists::kReplaceAll:
                flags.replaceAll = true;
                return ClashCheck::GoOn;
            case file_exists::kRename:
                return AskForNewTargetName(target);
            case file_exists::kAutoRename:
                flags.autoRenameAll = true;
                AutoRename(target);
                return ClashCheck::GoOn;
            default:
                return ClashCheck::Abort;
        }
    }
    return ClashCheck::Abort;
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool IsInsideCurrentTree(const std::string& folder) {
    const std::string& start = ScanState().currentStartFolder;
    if (start.empty()) {
        return false;
    }
    if (ScanState().includeSubfolders != 0) {
        return folder.size() >= start.size() && folder.compare(0, start.size(), start) == 0;
    }
    return folder == start;
}

ClashCheck CheckIfCopyMoveIsAllowed(CopyMoveTarget& target) {
    CopyMoveFlags& flags = CopyMoveState().flags;
    const bool styleMode = CurrentModeNames().styleMode;
    const std::string targetPath = target.TargetPath();
    FileExistsQuestion question;
    if (styleMode) {
        question.path =
            FindClashingCompanion(target.sourceFolder, target.sourceName, target.destinationFolder,
                                  target.targetName, target.rules);
        if (question.path.empty()) {
            return ClashCheck::GoOn;
        }
    } else {
        if (!PathExists(targetPath)) {
            return ClashCheck::GoOn;
        }
        question.path = target.SourcePath();
    }
    if (flags.autoRenameAll) {
        AutoRename(target);
        return ClashCheck::GoOn;
    }
    if (PathExists(targetPath)) {
        question.sameFile = SameFile(target.SourcePath(), targetPath);
        CompareClashingFiles(target.SourcePath(), targetPath, question);
        if (!question.sameFile && FileWritableState(targetPath) < 0) {
            return ClashCheck::Abort;
        }
    }
    // Any file the copy would overwrite counts, not only the selected file's own target: a
    // read-only companion cannot be replaced either.
    question.writeProtected =
        !question.sameFile &&
        SetOverwritesReadOnlyFile(target.sourceFolder, target.sourceName, target.destinationFolder,
                                  target.targetName, target.rules);
    if (flags.replaceAll && !question.sameFile && !question.writeProtected) {
        return ClashCheck::GoOn;
    }
    return AskFileExists(question, target);
}

}  // namespace kelvane

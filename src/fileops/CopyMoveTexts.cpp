// The texts around a copy or move: the question before a move to the trash, the counts of
// a finished operation and the status line that reports them.
#include "fileops/ZOLCopyMove.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVTranslateFormat.h"

namespace kelvane {
namespace {

// "1 file copied" / "3 files copied": a number's own English form, each translated whole.
std::string DoneText(CopyMoveKind kind, int count) {
    if (kind == CopyMoveKind::Copy) {
        return count == 1 ? Translate("1 file copied")
                          : StrFormat(TranslateFormat("%d files copied").c_str(), count);
    }
    return count == 1 ? Translate("1 file moved")
                      : StrFormat(TranslateFormat("%d files moved").c_str(), count);
}

}  // namespace

std::string TrashQuestionText(long count, const std::vector<std::string>& firstNames,
                              const std::string& trashFolder) {
    std::string text;
    if (count == 1 && !firstNames.empty()) {
        text = StrFormat(TranslateFormat("Move \"%s\" to the trash?").c_str(),
                         firstNames.front().c_str());
    } else {
        text = StrFormat(TranslateFormat("Move these %ld files to the trash?").c_str(), count);
        text += "\n";
        for (const std::string& name : firstNames) {
            text += "\n" + name;
        }
        if (count > static_cast<long>(firstNames.size())) {
            text += "\n...";
        }
    }
    text += "\n\n";
    text += trashFolder.empty()
                ? Translate("They go to the desktop's trash; the file manager can restore them.")
                : StrFormat(TranslateFormat("Trash folder: %s").c_str(), trashFolder.c_str());
    return text;
}

CopyMoveCounts CountCopyMoveEntries(const std::vector<CopyMoveEntry>& entries) {
    CopyMoveCounts counts;
    for (const CopyMoveEntry& entry : entries) {
        switch (entry.outcome) {
            case CopyMoveOutcome::Copied:
            case CopyMoveOutcome::Moved:
                ++counts.done;
                break;
            case CopyMoveOutcome::Skipped:
            case CopyMoveOutcome::SkippedReadOnly:
                ++counts.skipped;
                break;
            case CopyMoveOutcome::Failed:
                ++counts.failed;
                break;
            case CopyMoveOutcome::SameFile:
            case CopyMoveOutcome::SourceMissing:
                break;
        }
        counts.renamed += entry.renamed ? 1 : 0;
    }
    return counts;
}

std::string CopyMoveSummaryText(CopyMoveKind kind, bool aborted, const CopyMoveCounts& counts) {
    const bool copy = kind == CopyMoveKind::Copy;
    std::string text =
        Translate(copy ? (aborted ? "Copying files aborted" : "Copying files finished")
                       : (aborted ? "Moving files aborted" : "Moving files finished"));
    text += ": " + DoneText(kind, counts.done);
    if (counts.skipped > 0) {
        text += ", " + StrFormat(TranslateFormat("%d skipped").c_str(), counts.skipped);
    }
    if (counts.renamed > 0) {
        text += ", " + StrFormat(TranslateFormat("%d renamed").c_str(), counts.renamed);
    }
    if (counts.failed > 0) {
        text += ", " + StrFormat(TranslateFormat("%d failed").c_str(), counts.failed);
    }
    return text;
}

}  // namespace kelvane

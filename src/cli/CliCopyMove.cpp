// kelvane-cli copy, move, trash and rename: the file operations on the listed rows.
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/CliPrompts.h"
#include "cli/CliRowCommand.h"
#include "fileops/ZOLCopyMove.h"
#include "fileops/ZOLFileOpPrompts.h"
#include "fileops/ZOLRenameFile.h"
#include "list/ZOLListViewMgr.h"
#include "records/ZOLStyleData.h"
#include "support/ZOLConfigValues.h"

namespace kelvane::cli {
namespace {

constexpr const char* kCopyUsage =
    "usage: kelvane-cli copy|move [options] --to DEST [--on-clash ask|skip|replace|auto-rename]\n"
    "                             FOLDER\n"
    "  Copies or moves the files of the listed rows (style mode: each style with the files of\n"
    "  its base name and an extension of up to three characters, other styles excepted) into\n"
    "  the existing folder DEST, keeping the records and data files up to date (a DEST outside\n"
    "  the tree read gets the records in its move file).\n"
    "  --to DEST        the destination folder (must exist)\n"
    "  --on-clash MODE  a name that exists in DEST: ask (the prompt on the terminal), skip\n"
    "                   (default), replace (a read-only or the same file is skipped), or\n"
    "                   auto-rename (the next free -N name). With ask, a read-only source of a\n"
    "                   move and a full destination are asked as well; otherwise a read-only\n"
    "                   source is skipped and a full destination ends the operation.\n"
    "  Prints one line per file: copied|moved SOURCE -> TARGET [(renamed)], skipped SOURCE\n"
    "  (exists|read-only), unchanged SOURCE (same file), missing SOURCE; then a summary on\n"
    "  standard error. Exit status: 0 done, 1 a file failed or the destination was full or\n"
    "  write protected (nothing is lost: files not handled stay where they were), 2 bad usage\n"
    "  or no such folder, 130 stopped by Ctrl-C.\n";

constexpr const char* kTrashUsage =
    "usage: kelvane-cli trash [options] [--trash DIR] [--yes] FOLDER\n"
    "  Moves the files of the listed rows into the trash folder (DIR, or the TrashFolder\n"
    "  setting); a name that exists there gets the next free -N name. Without either, the\n"
    "  files go to the desktop's trash (restorable from the file manager). Asks first on the\n"
    "  terminal unless --yes. Output and exit status as for move; a trash folder that does\n"
    "  not exist is named and ends with status 2 (DIR) or 1 (the setting).\n";

constexpr const char* kRenameUsage =
    "usage: kelvane-cli rename [options] --name NEWNAME FOLDER\n"
    "  Renames the file of the one listed row, with every file of its base name (each keeps\n"
    "  its own extension), and updates the records and the data file. A name without \".\"\n"
    "  keeps the old extension. Prints \"renamed OLD -> NEW\". Exit status: 0 done, 1 not\n"
    "  exactly one row listed, the name exists or the rename failed, 2 bad usage.\n";

struct FileOpOptions {
    RowCommandOptions rows;
    std::string to;
    std::string trash;
    std::string name;
    OnClash onClash = OnClash::Skip;
};

// 0 parsed, 1 help shown, 2 bad usage.
int ParseOptions(int argc, char** argv, const char* command, const char* usage,
                 FileOpOptions& options) {
    const std::string fullUsage = std::string(usage) + kRowSelectionUsage;
    return ReadCommandArgs(
        argc, argv, {command, fullUsage}, options.rows.folder.operands, [&](ArgCursor& args) {
            std::string value;
            if (args.Value("--on-clash", value)) {
                if (!args.Failed() && !ParseOnClash(value, options.onClash)) {
                    std::fprintf(stderr,
                                 "kelvane-cli %s: --on-clash takes ask, skip, replace or "
                                 "auto-rename\n",
                                 command);
                    return OptionTaken::Refused;
                }
                return OptionTaken::Yes;
            }
            const bool taken =
                TakeRowCommandArg(args, options.rows) || args.Value("--to", options.to) ||
                args.Value("--trash", options.trash) || args.Value("--name", options.name);
            return taken ? OptionTaken::Yes : OptionTaken::No;
        });
}

const char* OutcomeWord(CopyMoveOutcome outcome) {
    switch (outcome) {
        case CopyMoveOutcome::Copied:
            return "copied";
        case CopyMoveOutcome::Moved:
            return "moved";
        case CopyMoveOutcome::Skipped:
        case CopyMoveOutcome::SkippedReadOnly:
            return "skipped";
        case CopyMoveOutcome::SameFile:
            return "unchanged";
        case CopyMoveOutcome::SourceMissing:
            return "missing";
        case CopyMoveOutcome::Failed:
            return "failed";
    }
    return "failed";
}

// One line per file on standard output, the counts on standard error.
void PrintEntries(const std::string& command) {
    for (const CopyMoveEntry& entry : CopyMoveState().entries) {
        std::printf("%s %s", OutcomeWord(entry.outcome), entry.source.c_str());
        if (!entry.target.empty()) {
            std::printf(" -> %s%s", entry.target.c_str(), entry.renamed ? " (renamed)" : "");
        }
        if (entry.outcome == CopyMoveOutcome::Skipped) {
            std::printf(" (exists)");
        } else if (entry.outcome == CopyMoveOutcome::SkippedReadOnly) {
            std::printf(" (read-only)");
        } else if (entry.outcome == CopyMoveOutcome::SameFile) {
            std::printf(" (same file)");
        }
        std::printf("\n");
    }
    std::fflush(stdout);
    const CopyMoveCounts counts = CountCopyMoveEntries(CopyMoveState().entries);
    std::fprintf(stderr, "kelvane-cli %s: %d done, %d skipped, %d renamed\n", command.c_str(),
                 counts.done, counts.skipped, counts.renamed);
}

// Counts the full-medium answers, so that an abort there is told from Ctrl-C.
class CountingPrompts final : public IFileOpPrompts {
  public:
    explicit CountingPrompts(CTerminalPrompts& inner) : inner_(inner) {}
    int FileExists(const FileExistsQuestion& q) override { return inner_.FileExists(q); }
    int ReadOnlySource(const std::string& path) override { return inner_.ReadOnlySource(path); }
    int DeviceFull() override {
        const int answer = inner_.DeviceFull();
        deviceFullAborted = deviceFullAborted || answer != device_full::kChangedMedia;
        return answer;
    }
    int OutputFileExists() override { return inner_.OutputFileExists(); }
    std::optional<std::string> ChooseFolder(const std::string& t, const std::string& s) override {
        return inner_.ChooseFolder(t, s);
    }
    std::optional<std::string> ChooseNewName(const std::string& f, const std::string& n) override {
        return inner_.ChooseNewName(f, n);
    }
    std::optional<CdromCompatChoice> CdromTestChoice() override { return inner_.CdromTestChoice(); }

    bool deviceFullAborted = false;

  private:
    CTerminalPrompts& inner_;
};

int RunFileOperation(const std::string& name, FileOpOptions& options, CliSession& session) {
    if ((name == "copy" || name == "move") && options.to.empty()) {
        session.Complain("--to DEST is needed");
        return kExitUsage;
    }
    if (const int ready = PrepareRows(session, options.rows); ready != kExitOk) {
        return ready;
    }
    CTerminalPrompts terminal(options.onClash, stdin, stderr);
    CountingPrompts prompts(terminal);
    SetFileOpPrompts(&prompts);
    CCliQuestionBoxes boxes(options.rows.yes, stdin);
    ScopedUserDialogs installed(&boxes);
    StatusCode result = 0;
    if (name == "trash") {
        const std::string wanted = options.trash.empty() ? Config().trashFolder : options.trash;
        const std::string trash = ExistingFolder(wanted);
        if (!wanted.empty() && trash.empty()) {
            SetFileOpPrompts(nullptr);
            session.Complain("the trash folder does not exist: " + wanted);
            return options.trash.empty() ? kExitFailure : kExitUsage;
        }
        Config().trashFolder = trash;  // empty: the desktop's trash
        result = MoveSelectedToTrash();
        if (result == 0 && CopyMoveState().entries.empty() && ListViewMgr().SelectedCount() > 0) {
            SetFileOpPrompts(nullptr);
            session.Complain("not confirmed, nothing moved");
            return kExitFailure;
        }
    } else {
        const std::string destination = ExistingFolder(options.to);
        if (destination.empty()) {
            SetFileOpPrompts(nullptr);
            session.Complain("the destination folder does not exist: " + options.to);
            return kExitFailure;
        }
        result = CopyMoveSelectedTo(name == "copy" ? CopyMoveKind::Copy : CopyMoveKind::Move,
                                    destination);
    }
    SetFileOpPrompts(nullptr);
    PrintEntries(name);
    if (prompts.deviceFullAborted) {
        session.Complain(
            "the destination is full or write protected; the files not listed as "
            "done are where they were");
        return kExitFailure;
    }
    return ExitStatusOf(result, session);
}

// The frame of copy, move, trash and rename: the options read with the command's usage text.
int RunFileCommand(int argc, char** argv, const char* command, const char* usage,
                   int (*body)(const std::string& name, FileOpOptions&, CliSession&)) {
    FileOpOptions options;
    if (std::string_view(command) == "trash") {
        options.onClash = OnClash::AutoRename;
    }
    return RunCommand(
        command, argc, argv, options,
        [&](int count, char** args, FileOpOptions& read) {
            return ParseOptions(count, args, command, usage, read);
        },
        [&](FileOpOptions& read, CliSession& session) { return body(command, read, session); });
}

int RenameTheFile(const std::string&, FileOpOptions& options, CliSession& session) {
    if (options.name.empty()) {
        session.Complain("--name NEWNAME is needed");
        return kExitUsage;
    }
    if (const int ready = PrepareRows(session, options.rows); ready != kExitOk) {
        return ready;
    }
    CZOLListViewMgr& list = ListViewMgr();
    long cursor = list.FirstSelectedRowNumber();
    const StyleDataPacket* record =
        list.SelectedCount() == 1 ? list.StyleRecordOfRow(list.NextSelected(cursor)) : nullptr;
    const std::string oldPath = record != nullptr ? FullPathOf(record) : std::string();
    CTerminalPrompts prompts(OnClash::Skip, stdin, stderr);
    prompts.SetNewName(options.name);
    SetFileOpPrompts(&prompts);
    CCliQuestionBoxes boxes(true, stdin);
    ScopedUserDialogs installed(&boxes);
    const StatusCode result = RenameSelectedFile();
    SetFileOpPrompts(nullptr);
    if (record == nullptr || result != 0 || FullPathOf(record) == oldPath) {
        return kExitFailure;
    }
    std::printf("renamed %s -> %s\n", oldPath.c_str(), FullPathOf(record).c_str());
    return kExitOk;
}

}  // namespace

int RunCopyCommand(int argc, char** argv) {
    return RunFileCommand(argc, argv, "copy", kCopyUsage, RunFileOperation);
}

int RunMoveCommand(int argc, char** argv) {
    return RunFileCommand(argc, argv, "move", kCopyUsage, RunFileOperation);
}

int RunTrashCommand(int argc, char** argv) {
    return RunFileCommand(argc, argv, "trash", kTrashUsage, RunFileOperation);
}

int RunRenameCommand(int argc, char** argv) {
    return RunFileCommand(argc, argv, "rename", kRenameUsage, RenameTheFile);
}

}  // namespace kelvane::cli

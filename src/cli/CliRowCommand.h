// What the commands on the listed rows share (copy, move, trash, rename, modify, write-mdb,
// cdrom-test): the folder options and the list selection options of `list` (--filter, --quick,
// --show, --sort, --songs), the folder read and the list built as `list` shows it with every
// listed row selected, the question boxes of the command line, and the exit status of an
// operation's status code.
#pragma once

#include <cstdio>
#include <string>

#include "cli/CliCommon.h"
#include "cli/CliListView.h"
#include "platform/NonCopyable.h"
#include "support/NUVUserInterface.h"

namespace kelvane::cli {

struct RowCommandOptions {
    FolderOptions folder;
    ListArgs list;
    bool yes = false;  // --yes: questions are answered Yes / OK
};

// The usage lines of the selection options, for the commands' usage texts.
inline constexpr const char* kRowSelectionUsage =
    "  The rows are those `kelvane-cli list` shows for the same options:\n"
    "  -m, -s, --soft, --hard, --read-only, --jobs N, --filter KEY=EXPR, --quick TEXT,\n"
    "  --show MODE, --sort KEY[:desc], --songs (a style selected through several songs is\n"
    "  handled once).\n";

// A command's usage text whose one "%s" stands for kRowSelectionUsage.
std::string RowCommandUsage(const char* format);

// Takes a folder option or a list option at the cursor (true), else false.
bool TakeRowCommandArg(ArgCursor& args, RowCommandOptions& options);

// Starts the program, reads the folder, builds the list and selects every listed row.
// Returns an exit status (0 when the rows are ready).
int PrepareRows(CliSession& session, const RowCommandOptions& options);

// The message and question boxes of the row commands: texts on standard error; a question
// is answered Yes / OK with --yes, else asked on the terminal ("y" or "n"; the end of the input
// answers No / Cancel, so that an unattended run changes nothing it was not told to).
class CCliQuestionBoxes final : public IUserDialogs {
  public:
    CCliQuestionBoxes(bool yes, std::FILE* in) : yes_(yes), in_(in) {}
    BoxAnswer MessageBox(const std::string& text, BoxIcon icon, BoxButtons buttons,
                         BoxAnswer defaultAnswer) override;

  private:
    bool yes_;
    std::FILE* in_;
};

// Installs an IUserDialogs for the lifetime of the object.
class ScopedUserDialogs : NonCopyable {
  public:
    explicit ScopedUserDialogs(IUserDialogs* dialogs) { SetUserDialogs(dialogs); }
    ~ScopedUserDialogs() { SetUserDialogs(nullptr); }
};

// 0 for 0; 130 for an abort after Ctrl-C; 1 for every other status.
int ExitStatusOf(StatusCode status, const CliSession& session);

// The folder as an absolute path with a closing "/"; empty when it is not an existing folder.
std::string ExistingFolder(const std::string& path);

}  // namespace kelvane::cli

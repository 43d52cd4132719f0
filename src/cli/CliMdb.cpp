// kelvane-cli write-mdb: the songs of the listed styles written into their files.
#include <cstdio>

#include "cli/CliRowCommand.h"
#include "fileops/ZOLMdbWriter.h"
#include "list/ZOLListViewMgr.h"
#include "support/ZOLRunMode.h"

namespace kelvane::cli {
namespace {

constexpr const char* kUsage =
    "usage: kelvane-cli write-mdb [options] [--yes] FOLDER\n"
    "  Writes the Music Finder songs of every listed style into its style file, where they\n"
    "  changed (a song \"Not in style file\", or songs removed): the file gets a new Music Finder\n"
    "  section in place of the old one (the bytes before it stay as they are), is analysed\n"
    "  again, and its songs are then \"In style file\". Style mode only. Asks first on the\n"
    "  terminal unless --yes; read-only files are counted and passed over.\n"
    "%s"
    "  A damaged or failing file is reported, left as it was and counted, and the others are\n"
    "  written. Prints the summary. Exit status: 0 done, 1 not confirmed, not style mode, or a\n"
    "  file failed, 2 bad usage or no such folder, 130 stopped by Ctrl-C.\n";

int ParseOptions(int argc, char** argv, RowCommandOptions& options) {
    const std::string usage = RowCommandUsage(kUsage);
    return ReadCommandArgs(
        argc, argv, {"write-mdb", usage}, options.folder.operands, [&](ArgCursor& args) {
            return TakeRowCommandArg(args, options) ? OptionTaken::Yes : OptionTaken::No;
        });
}

// The summary box goes to standard output: it is the command's result.
class SummaryBoxes final : public IUserDialogs {
  public:
    explicit SummaryBoxes(CCliQuestionBoxes& questions) : questions_(questions) {}
    BoxAnswer MessageBox(const std::string& text, BoxIcon icon, BoxButtons buttons,
                         BoxAnswer defaultAnswer) override {
        if (icon == BoxIcon::Information && buttons == BoxButtons::Ok) {
            std::printf("%s\n", text.c_str());
            return BoxAnswer::Ok;
        }
        return questions_.MessageBox(text, icon, buttons, defaultAnswer);
    }

  private:
    CCliQuestionBoxes& questions_;
};

int WriteMdb(RowCommandOptions& options, CliSession& session) {
    if (options.folder.midi) {
        session.Complain("style mode only");
        return kExitUsage;
    }
    if (const int ready = PrepareRows(session, options); ready != kExitOk) {
        return ready;
    }
    if (ListViewMgr().CurrentViewMode() == Songs) {
        session.Complain("works on the file list only (without --songs)");
        return kExitUsage;
    }
    CCliQuestionBoxes questions(options.yes, stdin);
    SummaryBoxes boxes(questions);
    ScopedUserDialogs installed(&boxes);
    const MdbWriteSummary summary = WriteMdbRecordsOfSelectedStyles();
    if (!summary.ran) {
        if (ListViewMgr().SelectedCount() > 0) {
            session.Complain("not confirmed, no file written");
            return kExitFailure;
        }
        return kExitOk;
    }
    if (summary.status == 0 && summary.failed > 0) {
        return kExitFailure;  // every other file was written
    }
    return ExitStatusOf(summary.status, session);
}

}  // namespace

int RunWriteMdbCommand(int argc, char** argv) {
    return RunCommand("write-mdb", argc, argv, RowCommandOptions{}, ParseOptions, WriteMdb);
}

}  // namespace kelvane::cli

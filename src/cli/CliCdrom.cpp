// kelvane-cli cdrom-test: the listed files whose names do not fit a CD-ROM (Joliet).
#include <cstdio>

#include "cli/CliPrompts.h"
#include "cli/CliRowCommand.h"
#include "fileops/ZOLCdromCompat.h"
#include "fileops/ZOLCdromTest.h"
#include "list/ZOLListPrinter.h"
#include "list/ZOLListViewMgr.h"
#include "scan/ZOLScanState.h"

namespace kelvane::cli {
namespace {

constexpr const char* kUsage =
    "usage: kelvane-cli cdrom-test [options] [--names] [--levels] [--format table|csv] FOLDER\n"
    "  Keeps of the listed files those whose name, or the name of a folder below FOLDER, is\n"
    "  longer than 64 characters, prints them as `list` does and then the count:\n"
    "  \"Compatibility test done - N incompatibilities found ...\".\n"
    "  --names    check the name length (the default when neither option is given)\n"
    "  --levels   check the folder depth: no limit applies, so alone it finds nothing\n"
    "%s"
    "  Exit status: 0 done (also when files were found), 2 bad usage, no such folder or the\n"
    "  song list, 130 stopped by Ctrl-C.\n";

struct CdromOptions {
    RowCommandOptions rows;
    CdromCompatChoice choice;
    ListPrintFormat format = ListPrintFormat::Table;
};

int ParseOptions(int argc, char** argv, CdromOptions& options) {
    std::string format;
    const std::string usage = RowCommandUsage(kUsage);
    const int read = ReadCommandArgs(
        argc, argv, {"cdrom-test", usage}, options.rows.folder.operands, [&](ArgCursor& args) {
            if (args.Value("--format", format)) {
                if (!args.Failed() && format != "table" && format != "csv") {
                    std::fprintf(stderr, "kelvane-cli cdrom-test: --format takes table or csv\n");
                    return OptionTaken::Refused;
                }
                options.format = format == "csv" ? ListPrintFormat::Csv : ListPrintFormat::Table;
                return OptionTaken::Yes;
            }
            const bool taken = TakeRowCommandArg(args, options.rows) ||
                               args.Flag("--names", options.choice.checkNameLength) ||
                               args.Flag("--levels", options.choice.checkDirectoryLevel);
            return taken ? OptionTaken::Yes : OptionTaken::No;
        });
    if (read != 0) {
        return read;
    }
    if (!options.choice.checkNameLength && !options.choice.checkDirectoryLevel) {
        options.choice.checkNameLength = true;
    }
    return 0;
}

int TestRows(CdromOptions& options, CliSession& session) {
    if (const int ready = PrepareRows(session, options.rows); ready != kExitOk) {
        return ready;
    }
    CTerminalPrompts prompts(OnClash::Skip, stdin, stderr);
    prompts.SetCdromChoice(options.choice);
    SetFileOpPrompts(&prompts);
    const long found = CdromCompatibilityTestCommand(ScanState().currentStartFolder);
    SetFileOpPrompts(nullptr);
    if (found < 0) {
        return kExitUsage;  // the song list: refused with its message
    }
    // The rows without the list's own status line, which still counts the rows before the test.
    std::string rows = options.format == ListPrintFormat::Csv ? RenderListCsv(ListViewMgr())
                                                              : RenderListTable(ListViewMgr());
    if (options.format == ListPrintFormat::Table) {
        const size_t blank = rows.rfind("\n\n");
        rows = blank == std::string::npos ? std::string() : rows.substr(0, blank + 1);
    }
    std::fputs(rows.c_str(), stdout);
    std::printf("%s\n", CdromCompatStatusText(found).c_str());
    return kExitOk;
}

}  // namespace

int RunCdromTestCommand(int argc, char** argv) {
    return RunCommand("cdrom-test", argc, argv, CdromOptions{}, ParseOptions, TestRows);
}

}  // namespace kelvane::cli

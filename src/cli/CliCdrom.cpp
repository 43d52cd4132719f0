// kelvane-cli cdrom-test: the listed files whose names do not fit a CD-ROM (Joliet).
#include <cstdio>

#include "cli/CliPrompts.h"
#include "cli/CliRowCommand.h"
#include "fileops/ZOLCdromTest.h"
#include "list/ZOLListPrinter.h"
#include "list/ZOLListViewMgr.h"
#include "output/ZOLCdromCompat.h"
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

void PrintUsage(std::FILE* out) {
    std::fprintf(out, kUsage, kRowSelectionUsage);
}

struct CdromOptions {
    RowCommandOptions rows;
    CdromCompatChoice choice;
    ListPrintFormat format = ListPrintFormat::Table;
};

int ParseOptions(int argc, char** argv, CdromOptions& options) {
    ArgCursor args(argc, argv);
    std::string format;
    while (args.Next()) {
        const std::string& arg = args.Arg();
        if (args.IsOperand()) {
            options.rows.folder.operands.push_back(arg);
        } else if (TakeRowCommandArg(args, options.rows)) {
        } else if (arg == "--names") {
            options.choice.checkNameLength = true;
        } else if (arg == "--levels") {
            options.choice.checkDirectoryLevel = true;
        } else if (args.Value("--format", format)) {
            if (!args.Failed() && format != "table" && format != "csv") {
                std::fprintf(stderr, "kelvane-cli cdrom-test: --format takes table or csv\n");
                return kExitUsage;
            }
            options.format = format == "csv" ? ListPrintFormat::Csv : ListPrintFormat::Table;
        } else if (arg == "--help" || arg == "-h") {
            PrintUsage(stdout);
            return 1;
        } else {
            std::fprintf(stderr, "kelvane-cli cdrom-test: unknown option '%s'\n\n", arg.c_str());
            PrintUsage(stderr);
            return kExitUsage;
        }
        if (args.Failed()) {
            std::fprintf(stderr, "kelvane-cli cdrom-test: %s needs a value\n", arg.c_str());
            return kExitUsage;
        }
    }
    if (options.rows.folder.operands.size() != 1) {
        PrintUsage(stderr);
        return kExitUsage;
    }
    if (!options.choice.checkNameLength && !options.choice.checkDirectoryLevel) {
        options.choice.checkNameLength = true;
    }
    return 0;
}

}  // namespace

int RunCdromTestCommand(int argc, char** argv) {
    CdromOptions options;
    if (const int parsed = ParseOptions(argc, argv, options); parsed != 0) {
        return parsed == 1 ? kExitOk : kExitUsage;
    }
    CliSession session("cdrom-test");
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

}  // namespace kelvane::cli

// kelvane-cli list: reads a folder tree and prints the list as the program shows it.
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/CliListView.h"
#include "list/ZOLListPrinter.h"
#include "list/ZOLListViewMgr.h"
#include "list/ZOLStatistics.h"
#include "support/ZOLRunMode.h"

namespace kelvane::cli {
namespace {

constexpr const char* kUsage =
    "usage: kelvane-cli list [-m] [-s] [--soft|--hard] [--read-only] [--columns KEY,...]\n"
    "                        [--sort KEY[:desc][,KEY[:desc]]] [--filter KEY=EXPRESSION]...\n"
    "                        [--quick TEXT] [--show MODE] [--songs] [--format table|csv]\n"
    "                        [--stats] FOLDER\n"
    "  Reads FOLDER as the program does (using and writing the data files) and prints the list\n"
    "  as the program shows it, then its status line.\n"
    "  --columns KEY,...   the columns (field keys); default: the stored or built-in columns\n"
    "  --sort KEY[:desc]   sort by one or two keys, ascending unless :desc\n"
    "  --filter KEY=EXPR   a filter in the filter language, e.g. 'TEMPO=>=100 AND <=120'\n"
    "                      (repeatable, one per field)\n"
    "  --quick TEXT        the quick search\n"
    "  --show MODE         all, unique-files, duplicate-files, unique-scores, related-scores\n"
    "  --songs             the song list (Music Finder songs) instead of the file list\n"
    "  --format table|csv  an aligned table (default) or CSV (the status line then goes to\n"
    "                      standard error)\n"
    "  --stats             print the statistics text after the list\n"
    "  -m, -s, --soft, --hard, --read-only: as for `kelvane-cli scan`\n"
    "  Exit status: 0 done, 1 the scan failed, 2 bad usage, no such folder or a filter that\n"
    "  does not parse (its message on standard error), 130 stopped by Ctrl-C.\n";

struct ListCommandOptions {
    FolderOptions folder;
    ListArgs list;
    ListPrintFormat format = ListPrintFormat::Table;
    bool stats = false;
};

// 0 parsed, 1 help shown, 2 bad usage.
int ParseOptions(int argc, char** argv, ListCommandOptions& options) {
    ArgCursor args(argc, argv);
    std::string format;
    while (args.Next()) {
        const std::string& arg = args.Arg();
        if (args.IsOperand()) {
            options.folder.operands.push_back(arg);
        } else if (TakeFolderOption(arg, options.folder) || TakeListArg(args, options.list)) {
        } else if (args.Value("--format", format)) {
            if (format != "table" && format != "csv") {
                std::fprintf(stderr, "kelvane-cli list: --format takes table or csv\n");
                return 2;
            }
            options.format = format == "csv" ? ListPrintFormat::Csv : ListPrintFormat::Table;
        } else if (arg == "--stats") {
            options.stats = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 1;
        } else {
            std::fprintf(stderr, "kelvane-cli list: unknown option '%s'\n\n%s", arg.c_str(),
                         kUsage);
            return 2;
        }
        if (args.Failed()) {
            std::fprintf(stderr, "kelvane-cli list: %s needs a value\n", arg.c_str());
            return 2;
        }
    }
    if (options.folder.operands.size() != 1) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    return 0;
}

}  // namespace

int RunListCommand(int argc, char** argv) {
    ListCommandOptions options;
    if (const int parsed = ParseOptions(argc, argv, options); parsed != 0) {
        return parsed == 1 ? kExitOk : kExitUsage;
    }
    CliSession session("list");
    if (!session.Start(options.folder)) {
        return kExitFailure;
    }
    ListCliOptions listOptions;
    if (const int parsed = ParseListArgs(options.list, listOptions, session); parsed != 0) {
        return parsed;
    }
    if (const int read = session.ReadFolder(options.folder); read != kExitOk) {
        return read;
    }
    if (const int built = BuildList(options.list, listOptions, session); built != kExitOk) {
        return built;
    }
    CZOLListViewMgr& manager = ListViewMgr();
    PrintList(manager, options.format, ',', stdout, stderr);
    if (options.stats) {
        const std::string text = StatisticsText(CountRecords(manager), !IsStyleMode());
        std::printf("\n%s\n", text.c_str());
    }
    return kExitOk;
}

}  // namespace kelvane::cli

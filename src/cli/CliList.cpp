// kelvane-cli list: reads a folder tree and prints the list as the program shows it.
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/CliListView.h"
#include "list/CollectionCharts.h"
#include "list/ZOLListPrinter.h"
#include "list/ZOLListTableView.h"
#include "list/ZOLListViewMgr.h"
#include "list/ZOLStatistics.h"
#include "output/RtfListOutput.h"
#include "support/NUVLang.h"
#include "support/ZOLRunMode.h"

namespace kelvane::cli {
namespace {

constexpr const char* kUsage =
    "usage: kelvane-cli list [-m] [-s] [--soft|--hard] [--read-only] [--jobs N] [--columns "
    "KEY,...]\n"
    "                        [--sort KEY[:desc][,KEY[:desc]]] [--filter KEY=EXPRESSION]...\n"
    "                        [--quick TEXT] [--show MODE] [--songs]\n"
    "                        [--format table|csv|rtf] [--output FILE] [--title TEXT]\n"
    "                        [--portrait] [--stats] FOLDER\n"
    "  Reads FOLDER as the program does (using and writing the data files) and prints the list\n"
    "  as the program shows it, then its status line.\n"
    "  --columns KEY,...   the columns (field keys); default: the stored or built-in columns\n"
    "  --sort KEY[:desc]   sort by one or two keys, ascending unless :desc\n"
    "  --filter KEY=EXPR   a filter in the filter language, e.g. 'TEMPO=>=100 AND <=120'\n"
    "                      (repeatable, one per field)\n"
    "  --quick TEXT        the quick search\n"
    "  --show MODE         all, unique-files, duplicate-files, unique-scores, related-scores\n"
    "  --songs             the song list (Music Finder songs) instead of the file list\n"
    "  --format table|csv|rtf\n"
    "                      an aligned table (default), CSV or the RTF document the program's\n"
    "                      \"Write List to RTF File\" writes (every shown column); for CSV the\n"
    "                      status line goes to standard error, for RTF it is not printed\n"
    "  --output FILE       RTF: write the document to FILE instead of standard output\n"
    "  --title TEXT        RTF: the page header line of the document\n"
    "  --portrait          RTF: portrait paper instead of landscape\n"
    "  --stats             print the statistics text after the list, then the counts of the\n"
    "                      collection's charts over the rows shown (tempo in bins of 10 BPM,\n"
    "                      time signatures, genres, file dates by year, duplicate files and\n"
    "                      files with problems)\n"
    "  -m, -s, --soft, --hard, --read-only, --jobs N: as for `kelvane-cli scan`\n"
    "  Exit status: 0 done, 1 the scan failed, 2 bad usage, no such folder or a filter that\n"
    "  does not parse (its message on standard error), 130 stopped by Ctrl-C.\n";

struct ListCommandOptions {
    FolderOptions folder;
    ListArgs list;
    ListPrintFormat format = ListPrintFormat::Table;
    bool rtf = false;
    std::string output;
    std::string title;
    bool portrait = false;
    bool stats = false;
};

// 0 parsed, 1 help shown, 2 bad usage.
int ParseOptions(int argc, char** argv, ListCommandOptions& options) {
    std::string format;
    const int read = ReadCommandArgs(
        argc, argv, {"list", kUsage}, options.folder.operands, [&](ArgCursor& args) {
            if (args.Value("--format", format)) {
                if (format != "table" && format != "csv" && format != "rtf") {
                    std::fprintf(stderr, "kelvane-cli list: --format takes table, csv or rtf\n");
                    return OptionTaken::Refused;
                }
                options.format = format == "csv" ? ListPrintFormat::Csv : ListPrintFormat::Table;
                options.rtf = format == "rtf";
                return OptionTaken::Yes;
            }
            const bool taken =
                TakeFolderOption(args, options.folder) || TakeListArg(args, options.list) ||
                args.Value("--output", options.output) || args.Value("--title", options.title) ||
                args.Flag("--portrait", options.portrait) || args.Flag("--stats", options.stats);
            return taken ? OptionTaken::Yes : OptionTaken::No;
        });
    if (read != 0) {
        return read;
    }
    if (!options.rtf && (!options.output.empty() || !options.title.empty() || options.portrait)) {
        std::fprintf(stderr,
                     "kelvane-cli list: --output, --title and --portrait need --format rtf\n");
        return 2;
    }
    return 0;
}

// The choices of the RTF output come from the options: every shown column, the title and
// the orientation given; the file of --output, or standard output without it.
class OptionRtfChoices final : public RtfListChoices {
  public:
    OptionRtfChoices(const ListCommandOptions& options, const CliSession& session)
        : options_(options), session_(session) {}

    bool ChooseColumns(CZOLRtfListCtrl&, RtfListKind, const ListTableView&) override {
        return true;
    }
    bool ChooseTarget(CZOLRtfListCtrl& writer, std::string& file) override {
        writer.SetPageHeader(options_.title);
        writer.SetOrientation(options_.portrait ? PaperOrientation::Portrait
                                                : PaperOrientation::Landscape);
        file = options_.output;
        return true;
    }
    void ReportFinished(const std::string& text) override { session_.Complain(text); }

  private:
    const ListCommandOptions& options_;
    const CliSession& session_;
};

// The document of the desktop's RTF writer, with the column choice it starts with: every
// shown column.
int WriteRtf(const ListCommandOptions& options, const CliSession& session) {
    CZOLRtfListCtrl writer(!IsStyleMode());
    OptionRtfChoices choices(options, session);
    std::string document;
    const CZOLListTableView table(ListViewMgr());
    if (WriteListRtf(writer, table, ShownListText(ListViewMgr()), choices, &document) != 0) {
        return kExitFailure;
    }
    if (!options.output.empty()) {
        return kExitOk;
    }
    std::fwrite(document.data(), 1, document.size(), stdout);
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
}

int ShowList(ListCommandOptions& options, CliSession& session) {
    if (const int built = StartAndBuildList(session, options.folder, options.list);
        built != kExitOk) {
        return built;
    }
    CZOLListViewMgr& manager = ListViewMgr();
    if (options.rtf) {
        return WriteRtf(options, session);
    }
    PrintList(manager, options.format, ',', stdout, stderr);
    if (options.stats) {
        const std::string text = StatisticsText(CountRecords(manager), !IsStyleMode());
        std::printf("\n%s\n", text.c_str());
        const std::string charts = ChartCountsText(CountCharts(manager.FileList()), !IsStyleMode());
        std::printf("%s", charts.c_str());
    }
    return kExitOk;
}

}  // namespace

int RunListCommand(int argc, char** argv) {
    return RunCommand("list", argc, argv, ListCommandOptions{}, ParseOptions, ShowList);
}

}  // namespace kelvane::cli

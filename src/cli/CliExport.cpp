// kelvane-cli export: reads a folder tree and exports the records the list shows, as a data
// export (readable by `import`) or as CSV.
#include <cstdio>
#include <unordered_set>

#include "cli/CliCommon.h"
#include "cli/CliListView.h"
#include "list/ZOLListViewMgr.h"
#include "records/ZOLFieldCatalogue.h"
#include "records/ZOLRecordStore.h"
#include "scan/ZOLDataFileColumns.h"
#include "scan/ZOLExport.h"

namespace kelvane::cli {
namespace {

constexpr const char* kUsage =
    "usage: kelvane-cli export [-m] [-s] [--soft|--hard] [--read-only] [--jobs N] [--csv] "
    "[--append]\n"
    "                          [--fields KEY,...] [--filter KEY=EXPRESSION]... [--quick TEXT]\n"
    "                          [--show MODE] [--songs] FOLDER FILE\n"
    "  Reads FOLDER as the program does, then writes the records the list shows (after the\n"
    "  filters and the show mode) to FILE:\n"
    "  default   a data export in the data-file format (version line, header, data and song\n"
    "            lines), which `kelvane-cli import` and the program read\n"
    "  --csv     the CSV export: \"sep=|\" first (unless appending), fields separated by \"|\",\n"
    "            no version line; with --songs one line per song shown instead of per file\n"
    "  --append  extend an existing FILE instead of replacing it\n"
    "  --fields  the fields written, as keys (song keys with --csv --songs); default: every\n"
    "            field of the data files\n"
    "  --filter, --quick, --show, --songs, -m, -s, --soft, --hard, --read-only, --jobs: as for\n"
    "  `kelvane-cli list`. Exit status: 0 written, 1 failed, 2 bad usage, 130 Ctrl-C.\n";

struct ExportOptions {
    FolderOptions folder;
    ListArgs list;
    bool csv = false;
    bool append = false;
    std::string fields;
};

// 0 parsed, 1 help shown, 2 bad usage.
int ParseOptions(int argc, char** argv, ExportOptions& options) {
    return ReadCommandArgs(
        argc, argv, {"export", kUsage, 2, 2}, options.folder.operands, [&](ArgCursor& args) {
            const bool taken =
                TakeFolderOption(args, options.folder) || TakeListArg(args, options.list) ||
                args.Value("--fields", options.fields) || args.Flag("--csv", options.csv) ||
                args.Flag("--append", options.append);
            return taken ? OptionTaken::Yes : OptionTaken::No;
        });
}

// The style (or song) switches of the chosen fields: every data-file field unless given.
int ChooseFields(const ExportOptions& options, const CliSession& session) {
    FieldSwitchTables& tables = FieldSwitches();
    FieldSwitchSet& target = options.csv ? tables.csv : tables.exportData;
    target.style = tables.dataFile.style;
    if (options.fields.empty()) {
        return kExitOk;
    }
    const bool songs = options.csv && options.list.songs;
    std::vector<int> ids;
    std::string error;
    if (!ParseFieldKeys(options.fields, songs, ids, error)) {
        session.Complain("--fields: " + error);
        return kExitUsage;
    }
    if (songs) {
        target.song.fill(0);
    } else {
        target.style.fill(0);
    }
    for (int id : ids) {
        (songs ? target.song[static_cast<size_t>(id)] : target.style[static_cast<size_t>(id)]) = 1;
    }
    return kExitOk;
}

int ExportList(ExportOptions& options, CliSession& session) {
    const std::string file = options.folder.operands[1];
    options.folder.operands.pop_back();
    if (const int built = StartAndBuildList(session, options.folder, options.list,
                                            [&] { return ChooseFields(options, session); });
        built != kExitOk) {
        return built;
    }
    // What the list shows: its rows' records, and on the song list its songs.
    CZOLListViewMgr& manager = ListViewMgr();
    std::unordered_set<const StyleDataPacket*> records;
    std::unordered_set<const SongDataPacket*> songs;
    for (long row = 0; row < manager.RowCount(); ++row) {
        records.insert(manager.StyleRecordOfRow(row));
        songs.insert(manager.SongRecordOfRow(row));
    }
    const RecordPredicate shown = [&records](const StyleDataPacket& r) {
        return records.count(&r) != 0;
    };
    SongPredicate songShown;
    if (options.list.songs) {
        songShown = [&songs](const SongDataPacket& s) { return songs.count(&s) != 0; };
    }
    const RecordList& all = RecordStore().records;
    const StatusCode result =
        options.csv
            ? ExportCsvToFile(file, options.append, options.list.songs, all, shown, songShown)
            : ExportDataToFile(file, options.append, all, shown, songShown);
    if (result != 0) {
        return kExitFailure;
    }
    session.Complain(session.PaneText(0));
    return kExitOk;
}

}  // namespace

int RunExportCommand(int argc, char** argv) {
    return RunCommand("export", argc, argv, ExportOptions{}, ParseOptions, ExportList);
}

}  // namespace kelvane::cli

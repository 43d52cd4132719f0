// kelvane-cli scan: reads a folder tree like the program and prints the record list as CSV.
#include <cstdio>

#include "cli/CliCommon.h"
#include "records/ZOLFieldCatalogue.h"
#include "records/ZOLRecordStore.h"
#include "scan/ZOLTreeScan.h"
#include "support/ZOLRunMode.h"

namespace kelvane::cli {
namespace {

constexpr const char* kUsage =
    "usage: kelvane-cli scan [-m] [-s] [--soft|--hard] [--read-only] [--jobs N] [--songs]\n"
    "                        FOLDER\n"
    "  Reads FOLDER as the program does (the folders' data files are used and written) and\n"
    "  prints the record list in record-list order as CSV: a header of the data-file field\n"
    "  keys, then one line per file. With --songs the header goes on with the song keys as\n"
    "  SONG.<KEY>, and each Music Finder song follows its file as a line of its own (FILE_ID,\n"
    "  L_PATH, L_FILENAME and the song columns filled).\n"
    "  CSV: fields separated by \",\", lines end with a line feed; a field is put in double\n"
    "  quotes when it holds a comma, a double quote or a line break, or begins or ends with a\n"
    "  blank; a double quote inside is doubled.\n"
    "  -m           midi mode (MIDI files); default: style mode\n"
    "  -s           include subfolders\n"
    "  --soft       analyse every file again (the data files are still read)\n"
    "  --hard       ignore the data files (every file is analysed, every data file rewritten)\n"
    "  --read-only  treat the medium as read-only: nothing is written; with -s a fast access\n"
    "               file in FOLDER replaces the walk\n"
    "  --jobs N     analyse with N threads at once, 1 to 64 (default: the ScanWorkers setting,\n"
    "               one per core unless it is set); the output is the same for every N\n"
    "  A summary goes to standard error. Ctrl-C stops the scan (finished folders keep their\n"
    "  data files). Exit status: 0 done, 1 the scan failed, 2 bad usage or no such folder,\n"
    "  130 stopped by Ctrl-C.\n";

struct ScanOptions {
    FolderOptions folder;
    bool songs = false;
};

std::vector<int> WrittenFields(CatalogueKind kind) {
    std::vector<int> ids;
    for (const FieldDescriptor& row : CatalogueRows(kind)) {
        const bool skipped = kind == CatalogueKind::Song
                                 ? row.type == FT_STYLE_LINK || row.type == FT_NONE
                                 : row.type == FT_UNUSED || row.type == FT_NONE;
        if (!skipped) {
            ids.push_back(row.id);
        }
    }
    return ids;
}

void PrintLine(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        line += CsvField(fields[i]);
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
}

void PrintRecords(bool songs) {
    const std::vector<int> fields = WrittenFields(CatalogueKind::Current);
    const std::vector<int> songFields =
        songs ? WrittenFields(CatalogueKind::Song) : std::vector<int>{};
    std::vector<std::string> line;
    for (int id : fields) {
        line.emplace_back(FieldKey(id));
    }
    for (int id : songFields) {
        line.push_back(std::string("SONG.") + FieldKey(id, CatalogueKind::Song));
    }
    PrintLine(line);
    for (const StyleDataPacket* record : RecordStore().records) {
        line.clear();
        for (int id : fields) {
            line.push_back(FieldValue(*record, id));
        }
        line.resize(fields.size() + songFields.size());
        PrintLine(line);
        for (const SongDataPacket* song : songs ? record->songs : SongList{}) {
            for (size_t i = 0; i < fields.size(); ++i) {
                const int id = fields[i];
                const bool names = id == kFieldFileId || id == kFieldPath || id == kFieldFilename;
                line[i] = names ? FieldValue(*record, id) : std::string();
            }
            for (size_t i = 0; i < songFields.size(); ++i) {
                line[fields.size() + i] = SongFieldValue(*song, songFields[i]);
            }
            PrintLine(line);
        }
    }
}

void PrintSummary() {
    const TreeScanCounts& counts = LastTreeScanCounts();
    std::fprintf(stderr,
                 "kelvane-cli scan: %zu files in %ld folders: %ld analysed, %ld analysed again, "
                 "%ld from data files, %ld not readable; %ld data files written\n",
                 RecordStore().records.size(), counts.folders, counts.analysed, counts.reanalysed,
                 counts.reused, counts.failed, counts.dataFilesWritten);
}

// 0 parsed, 1 help shown, 2 bad usage.
int ParseOptions(int argc, char** argv, ScanOptions& options) {
    return ReadCommandArgs(
        argc, argv, {"scan", kUsage}, options.folder.operands, [&](ArgCursor& args) {
            const bool taken =
                TakeFolderOption(args, options.folder) || args.Flag("--songs", options.songs);
            return taken ? OptionTaken::Yes : OptionTaken::No;
        });
}

int ScanAndPrint(ScanOptions& options, CliSession& session) {
    if (const int read = session.StartAndRead(options.folder); read != kExitOk) {
        return read;
    }
    PrintRecords(options.songs && IsStyleMode());
    PrintSummary();
    return kExitOk;
}

}  // namespace

int RunScanCommand(int argc, char** argv) {
    return RunCommand("scan", argc, argv, ScanOptions{}, ParseOptions, ScanAndPrint);
}

}  // namespace kelvane::cli

// kelvane-cli import: reads a folder tree, merges import files into its records and updates
// the data files of the folders whose records changed.
#include <cstdint>
#include <cstdio>
#include <unordered_map>

#include "cli/CliCommon.h"
#include "records/ZOLFieldCatalogue.h"
#include "records/ZOLRecordStore.h"
#include "scan/ZOLImport.h"
#include "support/NUVFileInfo.h"
#include "support/NUVFormat.h"
#include "support/NUVTranslateFormat.h"
#include "support/NUVUserInterface.h"

namespace kelvane::cli {
namespace {

constexpr const char* kUsage =
    "usage: kelvane-cli import [-m] [-s] [--soft|--hard] [--jobs N] FOLDER FILE...\n"
    "  Reads FOLDER as the program does, then imports each FILE (a data export of this or\n"
    "  another copy of the program, or a default import file): values users maintain are\n"
    "  merged into the records of identical files (same file id) where those are empty, songs\n"
    "  are added or completed, and the data files of the folders whose records changed are\n"
    "  written. Prints per file the outcome and the number of records it changed.\n"
    "  Exit status: 0 done, 1 an import failed, 2 bad usage, no such folder or FILE,\n"
    "  130 stopped by Ctrl-C.\n";

// Every value of a record and its songs, to tell which records an import changed.
std::string Fingerprint(const StyleDataPacket& record) {
    std::string text;
    for (const FieldDescriptor& row : CatalogueRows(CatalogueKind::Current)) {
        text += FieldValue(record, row.id) + '\x1f';
    }
    for (const SongDataPacket* song : record.songs) {
        for (const FieldDescriptor& row : CatalogueRows(CatalogueKind::Song)) {
            text += SongFieldValue(*song, row.id) + '\x1f';
        }
        text += '\x1e';
    }
    return text;
}

std::unordered_map<const StyleDataPacket*, std::string> Fingerprints() {
    std::unordered_map<const StyleDataPacket*, std::string> prints;
    for (const StyleDataPacket* record : RecordStore().records) {
        prints.emplace(record, Fingerprint(*record));
    }
    return prints;
}

long ChangedSince(const std::unordered_map<const StyleDataPacket*, std::string>& before) {
    long changed = 0;
    for (const StyleDataPacket* record : RecordStore().records) {
        const auto found = before.find(record);
        changed += found == before.end() || found->second != Fingerprint(*record) ? 1 : 0;
    }
    return changed;
}

int ImportFiles(FolderOptions& options, CliSession& session) {
    if (const int read = session.StartAndRead(options); read != kExitOk) {
        return read;
    }
    int exitStatus = kExitOk;
    long total = 0;
    for (size_t i = 1; i < options.operands.size(); ++i) {
        const std::string& file = options.operands[i];
        if (FileExists(file) == 0) {
            ShowBox(StrFormat(TranslateFormat("File does not exist\n\n%s").c_str(), file.c_str()));
            exitStatus = kExitUsage;
            continue;
        }
        const auto before = Fingerprints();
        const StatusCode result = ImportStyleData(file, RecordStore().records, {});
        const long changed = ChangedSince(before);
        total += changed;
        std::printf("%s: %s, %ld records changed\n", file.c_str(), session.PaneText(0).c_str(),
                    changed);
        if (result == status::kAbortedByUser || session.Interrupted()) {
            return kExitAborted;
        }
        if (result != 0 && exitStatus == kExitOk) {
            exitStatus = kExitFailure;
        }
    }
    std::printf("%ld records changed in %zu\n", total, RecordStore().records.size());
    return exitStatus;
}

int ReadArgs(int argc, char** argv, FolderOptions& options) {
    return ReadWritingFolderArgs(argc, argv, {"import", kUsage, 2, SIZE_MAX}, options);
}

}  // namespace

int RunImportCommand(int argc, char** argv) {
    return RunCommand("import", argc, argv, FolderOptions{}, ReadArgs, ImportFiles);
}

}  // namespace kelvane::cli

// kelvane-cli info [-m] [--extended] FILE...
//
// Analyses each file as the program does (configuration files and keyboard data from the
// program folder) and prints, per file:
//   FILE=<path as given>
//   KEY=value                  every field of the record in field-id order (FT_UNUSED left out)
//   SONG.<n>.KEY=value         every Music Finder song, n from 1 (style mode)
//   EXTENDED=<line>            with --extended: the extended information listing, line by line
// Messages go to standard error; standard output holds only these lines. Exit status 0; 1 when
// the program cannot start; 2 for bad usage or when a file cannot be read (the other files are
// still printed).
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "analysis/ZOLExtendedInfo.h"
#include "analysis/ZOLStyleFile.h"
#include "app/ZOLMain.h"
#include "cli/CliCommon.h"
#include "platform/FileSystem.h"
#include "platform/FileTime.h"
#include "records/ZOLFieldCatalogue.h"
#include "records/ZOLStyleData.h"
#include "support/NUVDbg.h"
#include "support/NUVPath.h"

namespace kelvane::cli {
namespace {

constexpr const char* kUsage =
    "usage: kelvane-cli info [-m] [--extended] FILE...\n"
    "  Analyses each file and prints FILE=<path>, then the record as KEY=value lines in\n"
    "  field order, its songs as SONG.<n>.KEY=value lines and, with --extended, the extended\n"
    "  information listing as EXTENDED=<line> lines.\n"
    "  -m           midi mode (MIDI files); default: style mode (style files)\n"
    "  --extended   add the extended information listing\n";

struct InfoOptions {
    bool midi = false;
    bool extended = false;
    std::vector<std::string> files;
};

// 0 parsed, 1 help shown, 2 bad usage.
int ParseOptions(int argc, char** argv, InfoOptions& options) {
    const int read = ReadCommandArgs(
        argc, argv, {"info", kUsage, 1, SIZE_MAX}, options.files, [&](ArgCursor& args) {
            const bool taken = args.Flag("-m", options.midi) || args.Flag("-M", options.midi) ||
                               args.Flag("--extended", options.extended);
            return taken ? OptionTaken::Yes : OptionTaken::No;
        });
    return read;
}

std::string SlotValue(FieldType type, int32_t number, std::string_view text) {
    return type == FT_NUMBER ? std::to_string(number) : std::string(text);
}

void PrintRecord(const StyleDataPacket& record) {
    for (const FieldDescriptor& row : CatalogueRows(CatalogueKind::Current)) {
        if (row.type == FT_UNUSED || row.type == FT_NONE) {
            continue;
        }
        const std::string value = SlotValue(row.type, record.Number(row.id), record.Text(row.id));
        std::printf("%s=%s\n", row.key, value.c_str());
    }
    int n = 0;
    for (const SongDataPacket* song : record.songs) {
        ++n;
        for (const FieldDescriptor& row : CatalogueRows(CatalogueKind::Song)) {
            // The style links show the parent's own fields: printed above already.
            if (row.type == FT_STYLE_LINK || row.type == FT_NONE) {
                continue;
            }
            const std::string value = SlotValue(row.type, song->Number(row.id), song->Text(row.id));
            std::printf("SONG.%d.%s=%s\n", n, row.key, value.c_str());
        }
    }
}

// The file's date fields, as the scan fills them from the folder listing.
void FillFileDate(StyleDataPacket& record, const FileDetails& details) {
    std::string text;
    if (LocalTimeText(details.lastWriteTime, text)) {
        record.SetDateText(text);
    }
    record.SetNumber(kFieldFiledateU, static_cast<int32_t>(FileTimeHigh(details.lastWriteTime)));
    record.SetNumber(kFieldFiledateL, static_cast<int32_t>(FileTimeLow(details.lastWriteTime)));
}

// False (with a message) when the file cannot be read.
bool InfoOneFile(const std::string& path, bool extended) {
    std::string fullPath;
    FileDetails details;
    if (ExpandPath(fullPath, path) != status::kOk) {
        fullPath = path;
    }
    if (!QueryFileDetails(fullPath, details).Ok() || details.isFolder) {
        std::fprintf(stderr, "kelvane-cli info: cannot read '%s': %s\n", path.c_str(),
                     details.isFolder ? "it is a folder" : "no such file");
        return false;
    }
    StyleDataPacket* record = NewStyleRecord();
    if (record == nullptr) {
        std::fprintf(stderr, "kelvane-cli info: out of memory\n");
        return false;
    }
    const StatusCode result = AnalyseFile(*record, fullPath, FileNamePart(fullPath));
    if (result != status::kOk) {
        std::fprintf(stderr, "kelvane-cli info: cannot read '%s' (status %d)\n", path.c_str(),
                     result);
        ReleaseStyleRecord(record);
        return false;
    }
    FillFileDate(*record, details);
    std::printf("FILE=%s\n", path.c_str());
    PrintRecord(*record);
    if (extended) {
        for (const std::string& line : ExtendedInfoLines(fullPath, record, InfoMode::Extended)) {
            std::printf("EXTENDED=%s\n", line.c_str());
        }
    }
    ReleaseStyleRecord(record);
    return true;
}

}  // namespace

int RunInfo(int argc, char** argv) {
    InfoOptions options;
    if (const int parsed = ParseOptions(argc, argv, options); parsed != 0) {
        return parsed == 1 ? 0 : 2;
    }
    SetMessageSink(&StderrMessageSink());
    std::vector<std::string> args{"kelvane-cli"};
    if (options.midi) {
        args.emplace_back("-m");
    }
    CZOLApp app;
    const StartResult start = app.InitInstance(args);
    if (start.status != status::kOk) {
        std::fprintf(stderr, "kelvane-cli info: the program cannot start (status %d)\n",
                     start.status);
        return 1;
    }
    int exitStatus = 0;
    for (const std::string& file : options.files) {
        if (!InfoOneFile(file, options.extended)) {
            exitStatus = 2;
        }
    }
    std::fflush(stdout);
    app.ExitInstance();
    SetMessageSink(nullptr);
    return exitStatus;
}

}  // namespace kelvane::cli

// The data-file reader under arbitrary bytes, and the write/read round trip.
//
// The first byte chooses the run mode, the configuration switches and whether the file is
// read as a fast access file; the rest is the file. Whatever the reader makes of it:
// - every record has the reader's folder (or one below it for a fast access file) and
//   DUPLICATES equal to FILE_ID, every song its record as parent;
// - written again with the writer's line builders and read back, every record comes back
//   with the same values, except what the format cannot carry: a "|" or a control byte
//   becomes a blank, and leading blanks are lost. A written line may exceed the 1994-byte
//   limit; the records from that line on are then missing, and the reader says -108.
// No message may end the program.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "records/ZOLFieldCatalogue.h"
#include "records/ZOLRecordStore.h"
#include "scan/ZOLDataFileColumns.h"
#include "scan/ZOLDataFileLines.h"
#include "scan/ZOLDataFileReader.h"
#include "support/NUVDbg.h"
#include "support/NUVTrace.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace {

using namespace kelvane;

class QuietSink final : public IMessageSink {
  public:
    void ShowBox(Severity, const std::string&) override {}
    void ConsoleText(const std::string&) override {}
    void ExitProgram(int) override { __builtin_trap(); }  // data must never end the program
};

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

void Setup(int mode) {
    static bool once = false;
    static QuietSink sink;
    if (!once) {
        once = true;
        SetMessageSink(&sink);
        // Warnings switch the trace on: it goes to a folder removed at exit.
        static char folder[] = "/tmp/kelvane-fuzz-XXXXXX";
        if (mkdtemp(folder) != nullptr) {
            SetTraceFolder(std::string(folder) + "/");
            std::atexit([] { std::filesystem::remove_all(folder); });
        }
        TraceOff();
    }
    if (RunMode() != mode) {
        FreeRecordStore();
        SetRunMode(mode);
        InitRecordStore();
    }
}

// What a value becomes after writing and reading.
std::string Carried(std::string_view value) {
    std::string line;
    AppendLineSafe(line, value);
    const std::size_t first = line.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : line.substr(first);
}

std::string Written(const RecordList& records) {
    const FieldSwitchSet& switches = DataFileSwitches();
    std::string text = VersionLine() + "\r\n" + PathLine("/w/") + "\r\n";
    std::string line;
    Check(BuildHeaderLine(line, switches.style) == 0);
    text += line + "\r\n";
    if (IsStyleMode()) {
        Check(BuildSongHeaderLine(line, switches.song) == 0);
        text += line + "\r\n";
    }
    for (const StyleDataPacket* record : records) {
        Check(BuildDataLine(line, *record, switches.style) == 0);
        text += line + "\r\n";
        for (const SongDataPacket* song : IsStyleMode() ? record->songs : SongList()) {
            Check(BuildSongDataLine(line, *song, record->Number(kFieldFileId), switches.song) == 0);
            text += line + "\r\n";
        }
    }
    return text;
}

template <class Packet>
void CheckSameValues(const Packet& before, const Packet& after, CatalogueKind kind) {
    for (const FieldDescriptor& row : CatalogueRows(kind)) {
        if (row.type == FT_NUMBER) {
            Check(before.Number(row.id) == after.Number(row.id));
        } else if (row.type != FT_STYLE_LINK && row.type != FT_UNUSED && row.id != kFieldPath) {
            Check(Carried(before.Text(row.id)) == after.Text(row.id));
        }
    }
}

void CheckRecords(const RecordList& records, const std::string& folder, bool fastAccess) {
    for (const StyleDataPacket* record : records) {
        const std::string_view path = record->Text(kFieldPath);
        Check(fastAccess ? path.substr(0, folder.size()) == folder : path == folder);
        Check(record->Number(kFieldDuplicates) == record->Number(kFieldFileId));
        for (const SongDataPacket* song : record->songs) {
            Check(song->parent == record);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const uint8_t flags = data[0];
    Setup((flags & 1) != 0 ? kRunModeMidi : kRunModeStyle);
    Config().ignoreUnknownFields = (flags >> 1) & 1;
    Config().specialMenuCopy = (flags >> 2) & 1;
    const bool fastAccess = ((flags >> 3) & 1) != 0;
    const std::string folder = "/r/";
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    RecordList first;
    PathLineHolder holder;
    ProcessStyleDataBytes(bytes, "fuzz", folder, first, fastAccess ? &holder : nullptr);
    CheckRecords(first, folder, fastAccess);

    RecordList second;
    const StatusCode again = ProcessStyleDataBytes(Written(first), "again", folder, second);
    Check(again == 0 || again == status::kLineTooLong);
    Check(again != 0 || second.size() == first.size());
    Check(second.size() <= first.size());
    for (std::size_t i = 0; i < second.size(); ++i) {
        CheckSameValues(*first[i], *second[i], CatalogueKind::Current);
        // The line that was too long may be one of the last record's song lines.
        const bool songs = IsStyleMode();
        const bool whole = again == 0 || i + 1 < second.size();
        Check(!songs || second[i]->songs.size() <= first[i]->songs.size());
        Check(!songs || !whole || second[i]->songs.size() == first[i]->songs.size());
        for (std::size_t s = 0; songs && s < second[i]->songs.size(); ++s) {
            CheckSameValues(*first[i]->songs[s], *second[i]->songs[s], CatalogueKind::Song);
        }
    }
    first.ReleaseAll();
    second.ReleaseAll();
    ClearAllRecords();
    return 0;
}

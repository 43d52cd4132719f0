#include "scan/ZOLDataFileLines.h"

#include <charconv>

#include "records/ZOLFieldCatalogue.h"
#include "support/NUVDbg.h"
#include "support/NUVStatus.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

bool LineUnsafe(unsigned char c) {
    return (c < 32 && c != '\t') || c == 127 || c == 255 || c == '|';
}

void AppendNumber(std::string& line, int value) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    line.append(digits, result.ptr);
}

// One value of a record or song as the line writes it: texts made line-safe, numbers in
// decimal. Any other type cannot be written (`failure`, reported with `error`).
template <class Packet>
StatusCode AppendValue(std::string& line, const Packet& packet, int id, const char* error,
                       StatusCode failure) {
    switch (packet.TypeOf(id)) {
        case FT_OWN_TEXT:
        case FT_SHARED_TEXT:
        case FT_LETTER:
        case FT_DATE:        // records only
        case FT_STYLE_LINK:  // songs only: the parent's value
            AppendLineSafe(line, packet.Text(id));
            return 0;
        case FT_NUMBER:
            AppendNumber(line, packet.Number(id));
            return 0;
        default:
            NUV_ERROR("%s", error);
            return failure;
    }
}

// The switched-on values of a record or song, each followed by "|".
template <class Packet, std::size_t N>
StatusCode AppendValues(std::string& line, const Packet& packet,
                        const std::array<std::uint8_t, N>& switches, const char* error,
                        StatusCode failure) {
    for (int id = 0; id < static_cast<int>(N); ++id) {
        if (switches[static_cast<std::size_t>(id)] == 0) {
            continue;
        }
        const StatusCode appended = AppendValue(line, packet, id, error, failure);
        if (appended != 0) {
            return appended;
        }
        line.push_back('|');
    }
    return 0;
}

// The keys of the switched-on fields, each followed by "|".
template <std::size_t N>
StatusCode AppendKeys(std::string& line, const std::array<std::uint8_t, N>& switches,
                      CatalogueKind kind, const char* error, StatusCode failure) {
    for (int id = 0; id < static_cast<int>(N); ++id) {
        if (switches[static_cast<std::size_t>(id)] == 0) {
            continue;
        }
        const char* key = FieldKey(id, kind);
        if (key == nullptr) {
            NUV_ERROR("%s", error);
            return failure;
        }
        line.append(key).push_back('|');
    }
    return 0;
}

}  // namespace

void AppendLineSafe(std::string& line, std::string_view text) {
    const std::size_t start = line.size();
    line.append(text);
    for (std::size_t i = start; i < line.size(); ++i) {
        if (LineUnsafe(static_cast<unsigned char>(line[i]))) {
            line[i] = ' ';
        }
    }
}

std::string VersionLine() {
    return std::string("V|") + kOutputFileFormatVersion;
}

std::string PathLine(std::string_view text) {
    std::string line = "P|";
    AppendLineSafe(line, text);
    return line;
}

StatusCode BuildHeaderLine(std::string& line, const StyleFieldSwitches& switches) {
    line = "H|";
    return AppendKeys(line, switches, CatalogueKind::Current,
                      "Internal Error - Illegal field index 1 error", status::kIllegalFieldIndex1);
}

StatusCode BuildSongHeaderLine(std::string& line, const SongFieldSwitches& switches) {
    line = "I|";
    line.append(FieldKey(kFieldFileId)).push_back('|');
    return AppendKeys(line, switches, CatalogueKind::Song,
                      "Internal Error - Illegal field index 2 error", status::kIllegalFieldIndex2);
}

StatusCode BuildDataLine(std::string& line, const StyleDataPacket& record,
                         const StyleFieldSwitches& switches) {
    line = "D|";
    return AppendValues(line, record, switches, "Error reading data file: Unexpected field type 3",
                        status::kWriteUnexpectedFieldType);
}

StatusCode BuildSongDataLine(std::string& line, const SongDataPacket& song, int parentFileId,
                             const SongFieldSwitches& switches) {
    line = "S|";
    AppendNumber(line, parentFileId);
    line.push_back('|');
    return AppendValues(line, song, switches, "Error writing data file: Unexpected field type 5",
                        status::kWriteUnexpectedSongType);
}

}  // namespace kelvane

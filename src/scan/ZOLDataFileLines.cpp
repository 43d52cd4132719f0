#include "scan/ZOLDataFileLines.h"

#include <charconv>

#include "records/ZOLFieldCatalogue.h"
#include "scan/ZOLDataFileStatus.h"
#include "support/NUVDbg.h"
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

StatusCode AppendStyleValue(std::string& line, const StyleDataPacket& record, int id) {
    switch (record.TypeOf(id)) {
        case FT_OWN_TEXT:
        case FT_SHARED_TEXT:
        case FT_LETTER:
        case FT_DATE:
            AppendLineSafe(line, record.Text(id));
            return 0;
        case FT_NUMBER:
            AppendNumber(line, record.Number(id));
            return 0;
        default:
            NUV_ERROR("%s", "Error reading data file: Unexpected field type 3");
            return status::kWriteUnexpectedFieldType;
    }
}

StatusCode AppendSongValue(std::string& line, const SongDataPacket& song, int id) {
    switch (song.TypeOf(id)) {
        case FT_OWN_TEXT:
        case FT_SHARED_TEXT:
        case FT_LETTER:
        case FT_STYLE_LINK:
            AppendLineSafe(line, song.Text(id));
            return 0;
        case FT_NUMBER:
            AppendNumber(line, song.Number(id));
            return 0;
        default:
            NUV_ERROR("%s", "Error writing data file: Unexpected field type 5");
            return status::kWriteUnexpectedSongType;
    }
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
    for (int id = 0; id < kStyleFieldCount; ++id) {
        if (switches[static_cast<std::size_t>(id)] == 0) {
            continue;
        }
        const char* key = FieldKey(id);
        if (key == nullptr) {
            NUV_ERROR("%s", "Internal Error - Illegal field index 1 error");
            return status::kIllegalFieldIndex1;
        }
        line.append(key).push_back('|');
    }
    return 0;
}

StatusCode BuildSongHeaderLine(std::string& line, const SongFieldSwitches& switches) {
    line = "I|";
    line.append(FieldKey(kFieldFileId)).push_back('|');
    for (int id = 0; id < kSongFieldCount; ++id) {
        if (switches[static_cast<std::size_t>(id)] == 0) {
            continue;
        }
        const char* key = FieldKey(id, CatalogueKind::Song);
        if (key == nullptr) {
            NUV_ERROR("%s", "Internal Error - Illegal field index 2 error");
            return status::kIllegalFieldIndex2;
        }
        line.append(key).push_back('|');
    }
    return 0;
}

StatusCode BuildDataLine(std::string& line, const StyleDataPacket& record,
                         const StyleFieldSwitches& switches) {
    line = "D|";
    for (int id = 0; id < kStyleFieldCount; ++id) {
        if (switches[static_cast<std::size_t>(id)] == 0) {
            continue;
        }
        const StatusCode appended = AppendStyleValue(line, record, id);
        if (appended != 0) {
            return appended;
        }
        line.push_back('|');
    }
    return 0;
}

StatusCode BuildSongDataLine(std::string& line, const SongDataPacket& song, int parentFileId,
                             const SongFieldSwitches& switches) {
    line = "S|";
    AppendNumber(line, parentFileId);
    line.push_back('|');
    for (int id = 0; id < kSongFieldCount; ++id) {
        if (switches[static_cast<std::size_t>(id)] == 0) {
            continue;
        }
        const StatusCode appended = AppendSongValue(line, song, id);
        if (appended != 0) {
            return appended;
        }
        line.push_back('|');
    }
    return 0;
}

}  // namespace kelvane

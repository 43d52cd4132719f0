// The data-file reader: the line dispatcher, data and song data lines, and the entries that
// read a file, bytes in memory or a fast access file.
#include "scan/ZOLDataFileReader.h"

#include <cctype>
#include <cstdio>
#include <string>
#include <type_traits>
#include <vector>

#include "records/ZOLSongData.h"
#include "records/ZOLStyleData.h"
#include "scan/ZOLDataFileParser.h"
#include "scan/ZOLScanState.h"
#include "support/NUVDbg.h"
#include "support/NUVFile.h"
#include "support/NUVLang.h"
#include "support/NUVPath.h"
#include "support/NUVStatus.h"
#include "support/NUVText.h"
#include "support/NUVTrace.h"
#include "support/NUVWalk.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

constexpr const char* kUnexpectedType = "Error reading data file: Unexpected field type 2";

// Faults of the data are warnings: a damaged file must never end the program.
StatusCode DataFault(const char* text, StatusCode code) {
    NUV_WARNING("%s", Translate(text).c_str());
    return code;
}

StatusCode TooManyFields(int lineNumber) {
    NUV_WARNING("%s %d", Translate("Too much fields in data line").c_str(), lineNumber);
    return status::kDataLineTooManyFields;
}

StatusCode AssignField(StyleDataPacket& record, int id, std::string_view text) {
    return AssignStyleField(record, id, text);
}
StatusCode AssignField(SongDataPacket& song, int id, std::string_view text) {
    return AssignSongField(song, id, text);
}

// One value of a data or song data line into its field, by the field's type. Letters and
// dates exist only in records; a song's style link shows the parent's value, so a column
// naming one cannot be stored.
template <class Packet>
StatusCode StoreValue(Packet& packet, const DataColumn& column, std::string_view value) {
    constexpr bool kRecord = std::is_same_v<Packet, StyleDataPacket>;
    switch (column.type) {
        case FT_OWN_TEXT:
        case FT_SHARED_TEXT:
            return AssignField(packet, column.field, value);
        case FT_NUMBER:
            packet.SetNumber(column.field, ParseLeadingNumber(value));
            return 0;
        case FT_UNUSED:
        case FT_SPECIAL:
            return 0;
        case FT_LETTER:
            if (!kRecord) {
                break;
            }
            if (value.size() > 1) {
                return DataFault("Error reading Chr1Str data", status::kIllegalLetter);
            }
            return AssignField(packet, column.field, value);
        case FT_DATE:
            if constexpr (kRecord) {
                if (value.size() > kDateTextLength) {
                    return DataFault("Error reading filedate data", status::kIllegalDate);
                }
                if (!value.empty()) {  // an empty field leaves the new record's empty date
                    packet.SetDateText(value);
                }
                return 0;
            }
            break;
        default:
            break;
    }
    return DataFault(kUnexpectedType, status::kReadUnexpectedFieldType);
}

// The fields of a data or song data line, each with its column of the last header, to
// `store`; empty fields beyond the header's columns are ignored, others are too many.
// `index` receives the number of columns the line filled.
template <std::size_t N, class Store>
StatusCode ReadColumns(std::string_view rest, const ColumnTable<N>& columns, int lineNumber,
                       std::size_t& index, Store&& store) {
    DataFieldCursor cursor(rest);
    std::string_view value;
    index = 0;
    while (cursor.Next(value)) {
        if (index >= columns.count) {
            if (value.empty()) {
                continue;
            }
            return TooManyFields(lineNumber);
        }
        const StatusCode stored = store(columns.columns[index++], value);
        if (stored != 0) {
            return stored;
        }
    }
    return 0;
}

// True when a relative folder text climbs out of the folder it is appended to.
bool ClimbsOut(std::string_view relative) {
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find('/', start);
        if (end == std::string_view::npos) {
            end = relative.size();
        }
        if (relative.substr(start, end - start) == "..") {
            return true;
        }
        start = end + 1;
    }
    return false;
}

// A folder as Windows writes it: with a drive letter (D:\Styles) or a network path
// (\\pc\share). Folders written here always begin with "/" and may hold "\" in a name.
bool WindowsFolderText(std::string_view text) {
    return (!text.empty() && text[0] == '\\') ||
           (text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) != 0 &&
            text[1] == ':');
}

// The folder text with each backslash as "/", in lower case when `fold`, ending with "/"
// unless empty.
std::string SlashFolder(std::string_view text, bool fold) {
    std::string out(text);
    for (char& c : out) {
        if (c == '\\') {
            c = '/';
        } else if (fold) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    if (!out.empty() && out.back() != '/') {
        out.push_back('/');
    }
    return out;
}

// Where a fast access record's stored folder lies below the file's path line, with "/" between
// folders. In a file written on Windows (path line D:\Styles, folders D:\Styles\Latin and so
// on) the names are compared without regard to case, as there.
std::string FolderBelowPathLine(std::string_view pathLine, std::string_view stored) {
    if (!WindowsFolderText(pathLine)) {
        return std::string(stored.size() > pathLine.size() ? stored.substr(pathLine.size())
                                                           : std::string_view());
    }
    const std::string root = SlashFolder(pathLine, true);
    const std::string folded = SlashFolder(stored, true);
    const std::string folder = SlashFolder(stored, false);
    if (folded.rfind(root, 0) == 0) {
        return folder.substr(root.size());
    }
    return folder.size() > root.size() ? folder.substr(root.size()) : std::string();
}

}  // namespace

CDataFileParser::CDataFileParser(std::string fileName, std::string folder, RecordList& target,
                                 PathLineHolder* holder)
    : fileName_(std::move(fileName)),
      folder_(std::move(folder)),
      target_(target),
      holder_(holder) {}

CDataFileParser::~CDataFileParser() = default;

void CDataFileParser::FillFacts(DataFileFacts& facts) const {
    facts.version = version_;
    facts.importMode = importMode_;
    facts.pathLine = pathLine_;
    facts.lastLineIncomplete = lastLineIncomplete_;
}

StatusCode CDataFileParser::ProcessLine(std::string_view line, int lineNumber) {
    lastLineIncomplete_ = false;
    DataFieldCursor cursor(line);
    std::string_view type;
    cursor.Next(type);
    const std::string_view rest = cursor.Rest();
    // An empty type field is ignored; with the special menu, only when nothing follows.
    if (type.empty() && (Config().specialMenuCopy == 0 || rest.empty())) {
        return 0;
    }
    switch (type.empty() ? '\0' : UpperChar(type[0])) {
        case '!':
        case '#':
            return 0;
        case 'D':
            return ProcessDataLine(rest, lineNumber);
        case 'H':
            return ProcessHeaderLine(rest, lineNumber);
        case 'I':
            return ProcessSongHeaderLine(rest, lineNumber);
        case 'M':
            return ProcessImportModeLine(rest, lineNumber);
        case 'P':
            return ProcessPathLine(rest, lineNumber);
        case 'S':
            return ProcessSongDataLine(rest, lineNumber);
        case 'V':
            return ProcessVersionLine(rest, lineNumber);
        default:
            NUV_WARNING(
                "%s %s %d",
                Translate("Reading data file: Unknown dataline type (file/line nr) :").c_str(),
                fileName_.c_str(), lineNumber);
            return status::kUnknownLineType;
    }
}

StatusCode CDataFileParser::ProcessDataLine(std::string_view rest, int lineNumber) {
    TraceHandler("ProcessDataLine : ", rest, lineNumber);
    lastRecord_ = nullptr;
    StyleDataPacket* record = NewStyleRecord();
    if (record == nullptr) {
        return status::kNoStyleRecord;
    }
    std::string_view storedFolder;
    std::size_t index = 0;
    const StatusCode read = ReadColumns(
        rest, styleColumns_, lineNumber, index, [&](const DataColumn& column, auto value) {
            if (column.field == kFieldPath) {
                storedFolder = value;  // the folder comes from where the file is read
                return StatusCode{0};
            }
            return StoreValue(*record, column, value);
        });
    if (read != 0) {
        ReleaseStyleRecord(record);
        return read;
    }
    const bool incomplete = index < styleColumns_.count || !rest.ends_with('|');
    const StatusCode finished = FinishRecord(record, storedFolder);
    lastLineIncomplete_ = incomplete && finished == 0 && lastRecord_ != nullptr;
    return finished;
}

StatusCode CDataFileParser::FinishRecord(StyleDataPacket* record, std::string_view storedFolder) {
    const std::string* folder = &folder_;
    if (holder_ != nullptr) {
        const std::string below = FolderBelowPathLine(pathLine_, storedFolder);
        if (ClimbsOut(below)) {
            // A fast access file lists only its own tree; such a record is left out.
            TraceHandler("ProcessDataLine - folder outside the tree skipped : ", storedFolder, 0);
            ReleaseStyleRecord(record);
            return 0;
        }
        folderScratch_.assign(folder_).append(below);
        folder = &folderScratch_;
    }
    const StatusCode assigned = AssignStyleField(*record, kFieldPath, *folder);
    if (assigned != 0) {
        ReleaseStyleRecord(record);
        return assigned;
    }
    record->SetNumber(kFieldDuplicates, record->Number(kFieldFileId));
    target_.Append(record);
    lastRecord_ = record;
    if (countRecords_) {
        CountScannedFile();
        if (progress_ != nullptr) {
            progress_->files.fetch_add(1, std::memory_order_relaxed);
        }
    }
    return 0;
}

StatusCode CDataFileParser::ProcessSongDataLine(std::string_view rest, int lineNumber) {
    TraceHandler("ProcessSongDataLine : ", rest, lineNumber);
    if (lastRecord_ == nullptr) {
        return status::kSongLineWithoutData;
    }
    SongDataPacket* song = NewSongRecord();
    if (song == nullptr) {
        return status::kNoSongRecord;
    }
    song->parent = lastRecord_;
    std::size_t index = 0;
    const StatusCode read = ReadColumns(
        rest, songColumns_, lineNumber, index,
        [&](const DataColumn& column, auto value) { return StoreValue(*song, column, value); });
    if (read != 0) {
        ReleaseSongRecord(song);
        return read;
    }
    lastLineIncomplete_ = index < songColumns_.count || !rest.ends_with('|');
    AppendSong(*lastRecord_, song);
    return 0;
}

namespace {

// Feeds the lines of an open stream to the parser, like ProcessOneFile_a does for a file.
StatusCode ParseStream(std::FILE* stream, CDataFileParser& parser) {
    std::string line;
    int lineNumber = 0;
    for (;;) {
        const int length = FileReadLine(stream, line, kWalkLineBufferSize);
        if (length == status::kEndOfFile) {
            return 0;
        }
        if (length < 0) {
            return length;
        }
        const StatusCode result = parser.ProcessLine(line, ++lineNumber);
        if (result != 0) {
            return result;
        }
    }
}

// Feeds the lines of the file at `path` to the parser (through ProcessOneFile_a).
StatusCode ParseFile(const std::string& path, CDataFileParser& parser) {
    const PathParts parts = SplitPath(path);
    WalkContext context;
    InitWalkContext(context);
    context.currentFolder = parts.driveFolder;
    context.currentFileName = parts.nameExtension;
    context.lineCallback = [&parser](WalkContext& walk) {
        return parser.ProcessLine(walk.currentLine, walk.lineNumber);
    };
    return ProcessOneFile_a(context);
}

}  // namespace

StatusCode ProcessStyleDataFile(const std::string& path, const std::string& folder,
                                RecordList& target, PathLineHolder* pathLineHolder,
                                DataFileFacts* facts) {
    CDataFileParser parser(path, folder, target, pathLineHolder);
    const StatusCode result = ParseFile(path, parser);
    if (facts != nullptr) {
        parser.FillFacts(*facts);
    }
    return result;
}

StatusCode ProcessStyleDataBytes(std::string_view bytes, const std::string& name,
                                 const std::string& folder, RecordList& target,
                                 PathLineHolder* pathLineHolder, DataFileFacts* facts) {
    CDataFileParser parser(name, folder, target, pathLineHolder);
    // fmemopen cannot open an empty buffer on every C library; keep one byte behind it.
    std::vector<char> copy(bytes.begin(), bytes.end());
    copy.push_back('\0');
    StatusCode result = 0;
    if (!bytes.empty()) {
        std::FILE* stream = fmemopen(copy.data(), bytes.size(), "rb");
        if (stream == nullptr) {
            return status::kCannotOpenFile;
        }
        result = ParseStream(stream, parser);
        std::fclose(stream);
    }
    if (facts != nullptr) {
        parser.FillFacts(*facts);
    }
    return result;
}

StatusCode ReadFastAccessDataFile(const std::string& startFolder, RecordList& target,
                                  ScanProgress* progress) {
    const std::string folder = WithSlash(startFolder);
    PathLineHolder holder;
    CDataFileParser parser(folder + CurrentModeNames().fastAccessFile, folder, target, &holder);
    parser.CountRecords(progress);
    return ParseFile(folder + CurrentModeNames().fastAccessFile, parser);
}

}  // namespace kelvane

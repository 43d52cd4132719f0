// The data-file reader's inside: the field cursor and the per-file parser state with its line
// handlers. Used by ZOLDataFileReader.cpp and ZOLDataFileHeader.cpp only.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/NonCopyable.h"
#include "records/ZOLRecordList.h"
#include "scan/ZOLDataFileReader.h"
#include "scan/ZOLScanState.h"
#include "support/NUVStatus.h"

namespace kelvane {

inline constexpr std::size_t kMaxFieldLength = 999;
inline constexpr std::size_t kMaxStyleColumns = 40;
inline constexpr std::size_t kMaxSongColumns = 12;

// Walks the fields of a line part. "A|B|" yields "A", "B" and a last empty field; "" yields one
// empty field. Each field is returned without its leading blanks and tabs, cut to 999
// characters.
class DataFieldCursor {
  public:
    explicit DataFieldCursor(std::string_view text) : text_(text) {}
    bool Next(std::string_view& field);
    // True once the last field was returned.
    bool AtEnd() const { return done_; }
    // What follows the field returned last ("" after the last one).
    std::string_view Rest() const { return done_ ? std::string_view() : text_.substr(pos_); }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
    bool done_ = false;
};

// The decimal number at the start of a text (optional sign); 0 when there is none. Values
// beyond 32 bits are held at the nearest limit. `found` tells whether digits were there.
int ParseLeadingNumber(std::string_view text, bool* found = nullptr);

// One column of a header: the field it fills and that field's type. A skipped column has
// the field 99 and type FT_UNUSED.
struct DataColumn {
    int field;
    int type;
};

template <std::size_t N>
struct ColumnTable {
    std::array<DataColumn, N> columns{};
    std::size_t count = 0;
    bool Add(int field, int type) {
        if (count >= N) {
            return false;
        }
        columns[count++] = {field, type};
        return true;
    }
};

class CDataFileParser : NonCopyable {
  public:
    CDataFileParser(std::string fileName, std::string folder, RecordList& target,
                    PathLineHolder* holder);
    ~CDataFileParser();

    // The line dispatcher.
    StatusCode ProcessLine(std::string_view line, int lineNumber);
    // Counts every record read for the progress readouts (the fast access file).
    void CountRecords(ScanProgress* progress) {
        countRecords_ = true;
        progress_ = progress;
    }
    void FillFacts(DataFileFacts& facts) const;

  private:
    StatusCode ProcessVersionLine(std::string_view rest, int lineNumber);
    StatusCode ProcessPathLine(std::string_view rest, int lineNumber);
    StatusCode ProcessImportModeLine(std::string_view rest, int lineNumber);
    StatusCode ProcessHeaderLine(std::string_view rest, int lineNumber);
    StatusCode ProcessSongHeaderLine(std::string_view rest, int lineNumber);
    StatusCode ProcessDataLine(std::string_view rest, int lineNumber);
    StatusCode ProcessSongDataLine(std::string_view rest, int lineNumber);
    StatusCode AddHeaderKey(std::string_view key);
    StatusCode FinishRecord(StyleDataPacket* record, std::string_view storedFolder);

    std::string fileName_;
    std::string folder_;
    RecordList& target_;
    PathLineHolder* holder_;
    ColumnTable<kMaxStyleColumns> styleColumns_;
    ColumnTable<kMaxSongColumns> songColumns_;
    StyleDataPacket* lastRecord_ = nullptr;  // owner of the following song lines
    int importMode_ = 1;
    int version_ = 0;
    std::string pathLine_;
    std::string folderScratch_;
    // The line read last was a data or song line that stopped before its last column's "|":
    // without a line end after it, the file was cut inside that line.
    bool lastLineIncomplete_ = false;
    bool countRecords_ = false;
    ScanProgress* progress_ = nullptr;
};

// Trace line of a handler at the scan level: literal, rest of the line and line number.
void TraceHandler(const char* literal, std::string_view rest, int lineNumber);

}  // namespace kelvane

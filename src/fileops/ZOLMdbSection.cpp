// The bytes of the Music Finder section and its records.
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "fileops/ZOLMdbWriter.h"
#include "records/ZOLSongData.h"

namespace kelvane {
namespace {

constexpr int64_t kRecordFixedBytes = 37;  // tempo, time signature, four tags and lengths
constexpr int64_t kHeaderBytes = 8;        // tag and 32-bit length
constexpr uint32_t kMaxTempoField = 0xFFFFFF;
constexpr int kDefaultBeats = 4;

void Put32(std::string& out, uint32_t value) {
    out += static_cast<char>((value >> 24) & 0xFF);
    out += static_cast<char>((value >> 16) & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

uint32_t MicrosecondsPerQuarter(int32_t tempo) {
    if (tempo <= 0) {
        return kDefaultMicrosecondsPerQuarter;  // no tempo: 120 beats per minute
    }
    const uint32_t micros = 60000000u / static_cast<uint32_t>(tempo);
    return micros > kMaxTempoField ? kMaxTempoField : micros;
}

// One decimal number at `pos` as "%d" reads it (blanks, an optional sign, digits); false when
// there is none or it does not fit an int.
bool TakeNumber(std::string_view text, std::size_t& pos, int& value) {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])) != 0) {
        ++pos;
    }
    const bool negative = pos < text.size() && text[pos] == '-';
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
    int64_t number = 0;
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        number = number * 10 + (text[pos++] - '0');
        if (number > INT32_MAX) {
            return false;
        }
    }
    value = static_cast<int>(negative ? -number : number);
    return pos > start;
}

// "n/m" of the song's time signature field; 4/4 when the text does not start with one.
void TimeSignature(std::string_view text, int& numerator, int& denominator) {
    std::size_t pos = 0;
    int n = 0;
    int d = 0;
    const bool read = TakeNumber(text, pos, n) && pos < text.size() && text[pos++] == '/' &&
                      TakeNumber(text, pos, d);
    numerator = read ? n : kDefaultBeats;
    denominator = read ? d : kDefaultBeats;
}

void PutText(std::string& out, const char* tag, std::string_view text) {
    out += tag;
    Put32(out, static_cast<uint32_t>(text.size()));
    out += text;
}

bool WriteBytes(FileHandle file, const std::string& bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

}  // namespace

int64_t WriteMdbRecord(SongDataPacket& song, FileHandle file, bool sizeOnly) {
    const std::string realTitle(song.Text(kSongFieldRealTitle));
    if (!realTitle.empty()) {
        AssignSongField(song, kSongFieldTitle, realTitle);
    }
    const std::string_view title = song.Text(kSongFieldTitle);
    const std::string_view genre = song.Text(kSongFieldGenre);
    const std::string_view keyword1 = song.Text(kSongFieldKeyword1);
    const std::string_view keyword2 = song.Text(kSongFieldKeyword2);
    const int64_t length =
        static_cast<int64_t>(title.size() + genre.size() + keyword1.size() + keyword2.size()) +
        kRecordFixedBytes;
    if (sizeOnly) {
        return length + kHeaderBytes;
    }
    std::string bytes = "FNRP";
    Put32(bytes, static_cast<uint32_t>(length));
    const uint32_t micros = MicrosecondsPerQuarter(song.Number(kSongFieldTempo));
    bytes += static_cast<char>((micros >> 16) & 0xFF);
    bytes += static_cast<char>((micros >> 8) & 0xFF);
    bytes += static_cast<char>(micros & 0xFF);
    int numerator = 0;
    int denominator = 0;
    TimeSignature(song.Text(kSongFieldTimeSig), numerator, denominator);
    bytes += static_cast<char>(numerator & 0xFF);
    bytes += static_cast<char>(denominator & 0xFF);
    PutText(bytes, "Mnam", title);
    PutText(bytes, "Gnam", genre);
    PutText(bytes, "Kwd1", keyword1);
    PutText(bytes, "Kwd2", keyword2);
    if (static_cast<int64_t>(bytes.size()) != length + kHeaderBytes || !WriteBytes(file, bytes)) {
        return status::kMdbRecordLength;
    }
    return length + kHeaderBytes;
}

StatusCode WriteMdbSection(const SongList& songs, FileHandle file) {
    if (songs.empty()) {
        return 0;
    }
    int64_t total = 0;
    for (SongDataPacket* song : songs) {
        const int64_t size = WriteMdbRecord(*song, file, true);
        if (size < 0) {
            return status::kMdbSectionWrite;
        }
        total += size;
    }
    if (total <= 0 || total > UINT32_MAX) {
        return total <= 0 ? 0 : status::kMdbSectionWrite;
    }
    std::string header = "FNRc";
    Put32(header, static_cast<uint32_t>(total));
    if (!WriteBytes(file, header)) {
        return status::kMdbSectionHeader;
    }
    int64_t written = 0;
    for (SongDataPacket* song : songs) {
        const int64_t size = WriteMdbRecord(*song, file, false);
        if (size < 0) {
            return status::kMdbSectionWrite;
        }
        written += size;
    }
    return written == total ? 0 : status::kMdbSectionLength;
}

}  // namespace kelvane

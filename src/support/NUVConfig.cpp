#include "support/NUVConfig.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "support/NUVDbg.h"
#include "support/NUVLang.h"

namespace kelvane {
namespace {

constexpr int kEndOfInput = -1;

// Where the reader takes its bytes from: a file stream or a block in memory.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // The next byte (0..255) or kEndOfInput.
    virtual int Next() = 0;
    virtual bool Failed() const = 0;
};

class FileSource final : public ByteSource {
  public:
    explicit FileSource(std::FILE* file) : file_(file) {}
    int Next() override {
        const int c = std::getc(file_);
        return c == EOF ? kEndOfInput : c;
    }
    bool Failed() const override { return std::ferror(file_) != 0; }

  private:
    std::FILE* file_;
};

class MemorySource final : public ByteSource {
  public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    int Next() override {
        if (pos_ >= bytes_.size()) {
            return kEndOfInput;
        }
        return static_cast<unsigned char>(bytes_[pos_++]);
    }
    bool Failed() const override { return false; }

  private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// One line with the rules of the file helpers' line reader: the line and its line feed must
// fit in bufferSize - 1 bytes, else -108 after the rest of the line has been read and dropped
// (so the next call returns the next line); trailing CR, LF and end-of-file marks (26) are
// removed; -101 at the end with nothing read; -107 on a read error.
StatusCode ReadLine(ByteSource& source, std::string& line, std::size_t bufferSize) {
    line.clear();
    const std::size_t limit = bufferSize - 1;
    std::size_t taken = 0;
    bool tooLong = false;
    bool sawAny = false;
    for (;;) {
        const int c = source.Next();
        if (c == kEndOfInput) {
            break;
        }
        sawAny = true;
        ++taken;
        // A line that fills the whole buffer without its line feed does not fit either.
        if (taken > limit || (taken == limit && c != '\n')) {
            tooLong = true;
        }
        if (c == '\n') {
            break;
        }
        if (!tooLong) {
            line.push_back(static_cast<char>(c));
        }
    }
    if (source.Failed()) {
        return status::kReadLineError;
    }
    if (tooLong) {
        line.clear();
        return status::kLineTooLong;
    }
    if (!sawAny) {
        return status::kEndOfFile;
    }
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == 26)) {
        line.pop_back();
    }
    return static_cast<StatusCode>(line.size());
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

enum class LineKind { Empty, Entry, MissingEqualSign };

struct ConfigEntry {
    std::string keyword;
    std::string value;
};

// Splits one line into keyword and value by the line syntax.
LineKind ParseLine(const std::string& line, char commentChar, ConfigEntry& entry) {
    std::size_t pos = 0;
    while (pos < line.size() && IsBlank(line[pos])) {
        ++pos;
    }
    std::size_t end = pos;
    while (end < line.size() && line[end] != commentChar && line[end] != '\0') {
        ++end;
    }
    if (end == pos) {
        return LineKind::Empty;
    }
    std::size_t keyEnd = pos;
    while (keyEnd < end && line[keyEnd] != '=' && !IsBlank(line[keyEnd]) && line[keyEnd] != '\n') {
        ++keyEnd;
    }
    if (keyEnd - pos > config::kMaxKeywordLength) {
        return LineKind::MissingEqualSign;
    }
    std::size_t at = keyEnd;
    while (at < end && IsBlank(line[at])) {
        ++at;
    }
    if (at >= end || line[at] != '=') {
        return LineKind::MissingEqualSign;
    }
    ++at;
    while (at < end && IsBlank(line[at])) {
        ++at;
    }
    entry.keyword.assign(line, pos, keyEnd - pos);
    entry.value.assign(line, at, end - at);
    return LineKind::Entry;
}

void ReportLineProblem(const char* text, int lineNumber, const std::string& fileName) {
    NUV_WARNING("%s %d %s", Translate(text).c_str(), lineNumber, fileName.c_str());
}

StatusCode ReadEntries(ByteSource& source, const std::string& fileName,
                       const ConfigKeywordHandler& handler, char commentChar, char separator) {
    std::string line;
    ConfigEntry entry;
    int lineNumber = 0;
    for (;;) {
        const StatusCode got = ReadLine(source, line, config::kLineBufferSize);
        if (got == status::kEndOfFile) {
            return status::kOk;
        }
        ++lineNumber;
        if (got == status::kLineTooLong) {
            // Only this line is lost; the lines after it are still read.
            ReportLineProblem("Line in cfg file too long", lineNumber, fileName);
            continue;
        }
        if (got < 0) {
            ReportLineProblem("Error in cfg file", lineNumber, fileName);
            return got;
        }
        switch (ParseLine(line, commentChar, entry)) {
            case LineKind::Empty:
                continue;
            case LineKind::MissingEqualSign:
                NUV_ERROR("%s %d %s",
                          Translate("Missing equal sign in configuration file - Line nr. ").c_str(),
                          lineNumber, fileName.c_str());
                continue;
            case LineKind::Entry:
                break;
        }
        if (EqualsIgnoreCase(entry.keyword, "TERM_CHAR")) {
            if (entry.value.empty()) {
                ReportIllegalConfigData(fileName, lineNumber);
                return status::kConfigIllegalData;
            }
            separator = entry.value[0];
            continue;
        }
        if (const StatusCode result =
                handler(entry.keyword, entry.value, fileName, lineNumber, separator);
            result != status::kOk) {
            return result;
        }
    }
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

void ReportIllegalConfigData(const std::string& fileName, int lineNumber) {
    NUV_WARNING("%s %s %d", Translate("Illegal data in configuration file").c_str(),
                fileName.c_str(), lineNumber);
}

StatusCode ReadConfigFile(const std::string& fileName, const ConfigKeywordHandler& handler,
                          char commentChar, char separator) {
    struct stat info {};
    if (fileName.empty() || ::stat(fileName.c_str(), &info) != 0) {
        NUV_ERROR("%s %s", Translate("Configuration file not found").c_str(), fileName.c_str());
        return status::kConfigNotFound;
    }
    std::unique_ptr<std::FILE, FileCloser> file(
        S_ISDIR(info.st_mode) ? nullptr : std::fopen(fileName.c_str(), "rb"));
    if (!file) {
        NUV_ERROR("%s %s", Translate("Error opening configuration file").c_str(), fileName.c_str());
        return status::kConfigOpenError;
    }
    NUV_DEBUG("%s%s", "Reading from configuration file: ", fileName.c_str());
    FileSource source(file.get());
    return ReadEntries(source, fileName, handler, commentChar, separator);
}

StatusCode ReadConfigText(std::string_view bytes, const std::string& fileName,
                          const ConfigKeywordHandler& handler, char commentChar, char separator) {
    MemorySource source(bytes);
    return ReadEntries(source, fileName, handler, commentChar, separator);
}

}  // namespace kelvane

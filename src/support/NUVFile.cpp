#include "support/NUVFile.h"

#include "platform/FileStream.h"
#include "platform/NonCopyable.h"

namespace kelvane {
namespace {

constexpr const char* kModes[] = {"r", "w", "r+", "a+"};
constexpr int kEndOfFileMark = 26;
constexpr std::size_t kBlockPiece = 1000;

// Holds the stream's lock for a run of unlocked character reads.
class StreamLock : NonCopyable {
  public:
    explicit StreamLock(FileHandle handle) : handle_(handle) { flockfile(handle_); }
    ~StreamLock() { funlockfile(handle_); }

  private:
    FileHandle handle_;
};

}  // namespace

FileHandle FileOpen(const std::string& path, int textFlag, int mode) {
    if (mode < kFileModeRead || mode > kFileModeAppendRead ||
        (textFlag != kFileBinary && textFlag != kFileText)) {
        return nullptr;
    }
    std::string openMode = kModes[mode];
    if (textFlag == kFileBinary) {
        openMode += 'b';
    }
    return OpenFileStream(path, openMode);
}

StatusCode FileClose(FileHandle handle) {
    if (handle == nullptr) {
        return 0;
    }
    const bool flushed = std::fflush(handle) == 0;
    const bool closed = std::fclose(handle) == 0;
    if (!flushed) {
        return status::kCloseFlushError;
    }
    return closed ? 0 : status::kCloseError;
}

int FileReadLine(FileHandle handle, std::string& line, std::size_t bufferSize) {
    line.clear();
    if (handle == nullptr || bufferSize == 0) {
        return status::kReadLineError;
    }
    const std::size_t room = bufferSize - 1;  // places for the line and its line feed
    std::size_t count = 0;
    bool tooLong = false;
    {
        StreamLock lock(handle);
        for (;;) {
            const int c = getc_unlocked(handle);
            if (c == EOF) {
                break;
            }
            ++count;
            if (count > room) {
                tooLong = true;  // keep reading to drop the rest of the line
            } else {
                line.push_back(static_cast<char>(c));
            }
            if (c == '\n') {
                break;
            }
        }
    }
    if (std::ferror(handle)) {
        line.clear();
        return status::kReadLineError;
    }
    if (count == 0) {
        return status::kEndOfFile;
    }
    if (tooLong) {
        line.clear();
        return status::kLineTooLong;
    }
    while (!line.empty() &&
           (line.back() == '\r' || line.back() == '\n' || line.back() == kEndOfFileMark)) {
        line.pop_back();
    }
    return static_cast<int>(line.size());
}

StatusCode FileWriteLine(FileHandle handle, std::string_view text, bool noCr) {
    if (handle == nullptr) {
        return status::kWriteLineError;
    }
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), handle) != text.size()) {
        return status::kWriteLineError;
    }
    const std::string_view end = noCr ? "\n" : "\r\n";
    if (std::fwrite(end.data(), 1, end.size(), handle) != end.size()) {
        return status::kWriteLineError;
    }
    return 0;
}

StatusCode CopyFileBlock(FileHandle in, FileHandle out, std::uint64_t count) {
    if (in == nullptr) {
        return status::kShortRead;
    }
    if (out == nullptr) {
        return status::kShortWrite;
    }
    char piece[kBlockPiece];
    while (count > 0) {
        const std::size_t want =
            count < kBlockPiece ? static_cast<std::size_t>(count) : kBlockPiece;
        const std::size_t got = std::fread(piece, 1, want, in);
        if (got < want) {
            return status::kShortRead;
        }
        if (std::fwrite(piece, 1, got, out) < got) {
            return status::kShortWrite;
        }
        count -= got;
    }
    return 0;
}

}  // namespace kelvane

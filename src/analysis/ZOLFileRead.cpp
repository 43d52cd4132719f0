#include "analysis/ZOLFileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "analysis/ZOLMidi.h"
#include "analysis/ZOLStyleFile.h"
#include "support/NUVCrc32.h"
#include "support/NUVFileInfo.h"

namespace kelvane {
namespace {

// Reads up to `size` bytes from `offset` into `target`; `got` receives the count. False on a
// read error (the bytes read before it are counted).
bool ReadAt(int fd, uint8_t* target, int64_t size, int64_t offset, int64_t* got) {
    *got = 0;
    while (*got < size) {
        const ssize_t r =
            ::pread(fd, target + *got, static_cast<size_t>(size - *got), offset + *got);
        if (r < 0 && errno == EINTR) {
            continue;
        }
        if (r < 0) {
            return false;
        }
        if (r == 0) {
            break;
        }
        *got += r;
    }
    return true;
}

// The CRC of a file too large to be held: block by block, like NUVCalcCRC32ofFile.
StatusCode StreamCrc(int fd, uint32_t* crc) {
    std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[kCrcFileBlockSize]);
    if (block == nullptr) {
        return status::kCrcReadError;
    }
    *crc = 0;
    for (int64_t offset = 0;;) {
        int64_t got = 0;
        const bool ok = ReadAt(fd, block.get(), kCrcFileBlockSize, offset, &got);
        *crc = Crc32Update(*crc, block.get(), static_cast<size_t>(got));
        if (!ok) {
            return status::kCrcReadError;
        }
        if (got < static_cast<int64_t>(kCrcFileBlockSize)) {
            return status::kOk;
        }
        offset += got;
    }
}

}  // namespace

FileReadOutcome ReadFileForAnalysis(const std::string& path, CZOLMidi& analyser,
                                    FileForAnalysis& file) {
    file = FileForAnalysis{};
    // Not blocking: a pipe given by name must not stop the scan.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int64_t size = FileSize(path);
        if (size < 0) {
            return FileReadOutcome::kSizeUnknown;
        }
        if (size == 0) {
            return FileReadOutcome::kEmpty;
        }
        file.size = size;
        file.crcStatus = status::kCrcCannotOpen;
        return FileReadOutcome::kCrcFailed;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return FileReadOutcome::kSizeUnknown;
    }
    file.size = info.st_size;
    file.lastWriteTime = FileTimeFromTimespec(info.st_mtim);
    if (file.size == 0) {
        ::close(fd);
        return FileReadOutcome::kEmpty;
    }
    uint8_t* buffer = file.size <= kWholeFileReadLimit
                          ? analyser.FileBuffer(static_cast<size_t>(file.size))
                          : nullptr;
    if (buffer == nullptr) {
        file.crcStatus = StreamCrc(fd, &file.crc);
        if (file.crcStatus != status::kOk) {
            ::close(fd);
            return FileReadOutcome::kCrcFailed;
        }
        file.fd = fd;
        return FileReadOutcome::kRead;
    }
    int64_t got = 0;
    const bool ok = ReadAt(fd, buffer, file.size, 0, &got);
    ::close(fd);
    file.crc = Crc32Update(0, buffer, static_cast<size_t>(got));
    if (!ok) {
        file.crcStatus = status::kCrcReadError;
        return FileReadOutcome::kCrcFailed;
    }
    file.bytes = buffer;
    file.length = got;
    return FileReadOutcome::kRead;
}

void AnalyseReadFile(CZOLMidi& analyser, const std::string& path, FileForAnalysis& file) {
    if (file.bytes != nullptr) {
        analyser.AnalyseBytes(
            std::span<const uint8_t>(file.bytes, static_cast<size_t>(file.length)), path);
        return;
    }
    analyser.AnalyseOpenFile(path, file.fd);
    ::close(file.fd);
    file.fd = -1;
}

}  // namespace kelvane

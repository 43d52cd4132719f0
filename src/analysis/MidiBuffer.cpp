#include "analysis/MidiBuffer.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

namespace kelvane {

MidiBuffer::MidiBuffer() = default;

MidiBuffer::~MidiBuffer() {
    // Close() is virtual; at this point only this class's part is left, which is what we want.
    MidiBuffer::Close();
    delete[] owned_;
}

void MidiBuffer::OnError(const std::string& text, int64_t /*position*/) {
    std::fprintf(stderr, "error: %s\n", text.c_str());
}

void MidiBuffer::OnWarning(const std::string& text, int64_t /*position*/) {
    std::fprintf(stderr, "warning: %s\n", text.c_str());
}

void MidiBuffer::SetWindowSize(int64_t size) {
    windowSize_ = std::max<int64_t>(size, kFallbackSize);
}

// Makes a buffer of `size` bytes available, reusing the one of earlier files when it is big
// enough. Falls back to the small buffer inside the object when allocation fails.
bool MidiBuffer::PrepareBuffer(int64_t size) {
    size = std::max<int64_t>(size, kFallbackSize);
    if (capacity_ < size) {
        delete[] owned_;
        owned_ = new (std::nothrow) uint8_t[static_cast<size_t>(size)];
        capacity_ = owned_ != nullptr ? size : 0;
    }
    if (owned_ != nullptr) {
        data_ = owned_;
        bufferSize_ = size;
    } else {
        data_ = fallback_;
        bufferSize_ = kFallbackSize;
    }
    return true;
}

void MidiBuffer::ReleaseLargeBuffer() {
    // Whole-file buffers are not kept; a window-sized one is, for the next file.
    if (capacity_ > std::max(windowSize_, kWindowSize)) {
        delete[] owned_;
        owned_ = nullptr;
        capacity_ = 0;
    }
}

bool MidiBuffer::Open(const std::string& fileName, int file, int mode) {
    Close();
    fileName_ = fileName;
    mode_ = mode;
    if (file >= 0) {
        fd_ = file;
        ownsFile_ = false;
    } else {
        const int flags =
            mode == kModeWrite ? O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC : O_RDONLY | O_CLOEXEC;
        fd_ = ::open(fileName.c_str(), flags, 0666);
        ownsFile_ = true;
    }
    if (fd_ < 0) {
        fd_ = -1;
        ownsFile_ = false;
        return false;
    }
    fileSize_ = 0;
    if (mode != kModeWrite) {
        const off_t end = ::lseek(fd_, 0, SEEK_END);
        if (end < 0) {
            Close();
            return false;
        }
        fileSize_ = end;
    }
    const bool whole = mode == kModeWholeFile && fileSize_ <= kMaxWholeFileSize;
    PrepareBuffer(whole ? fileSize_ : windowSize_);
    open_ = true;
    return true;
}

bool MidiBuffer::OpenMemory(std::span<const uint8_t> bytes, int mode) {
    Close();
    memory_ = bytes.data();
    fromMemory_ = true;
    fileSize_ = static_cast<int64_t>(bytes.size());
    mode_ = mode == kModeWindowed ? kModeWindowed : kModeWholeFile;
    if (mode_ == kModeWholeFile) {
        // The bytes are the buffer: nothing to copy.
        inPlace_ = true;
        data_ = memory_;
        bufferSize_ = fileSize_;
        winLen_ = fileSize_;
    } else {
        PrepareBuffer(windowSize_);
    }
    open_ = true;
    return true;
}

void MidiBuffer::Close() {
    if (open_ && mode_ == kModeWrite) {
        Flush();
    }
    if (ownsFile_ && fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = -1;
    ownsFile_ = false;
    open_ = false;
    memory_ = nullptr;
    fromMemory_ = false;
    inPlace_ = false;
    data_ = nullptr;
    bufferSize_ = 0;
    fileSize_ = 0;
    winStart_ = 0;
    winLen_ = 0;
    dirty_ = false;
    pos_ = 0;
    failed_ = false;
    lastFailure_ = WindowFailure::kNone;
    ReleaseLargeBuffer();
}

// Reads up to `n` bytes at `p` from the file or the memory source; `got` receives the count.
bool MidiBuffer::ReadInto(uint8_t* target, int64_t p, int64_t n, int64_t* got) {
    *got = 0;
    if (fromMemory_) {
        std::memcpy(target, memory_ + p, static_cast<size_t>(n));
        *got = n;
        return true;
    }
    while (*got < n) {
        const ssize_t r = ::pread(fd_, target + *got, static_cast<size_t>(n - *got), p + *got);
        if (r < 0 && errno == EINTR) {
            continue;
        }
        if (r <= 0) {
            return r == 0;
        }
        *got += r;
    }
    return true;
}

const uint8_t* MidiBuffer::Refill(int64_t p, int64_t n) {
    if (p < 0 || n < 0) {
        lastFailure_ = WindowFailure::kOutOfFile;
        return nullptr;
    }
    if (data_ == nullptr || bufferSize_ <= 0) {
        lastFailure_ = WindowFailure::kNoBuffer;
        return nullptr;
    }
    if (n > bufferSize_) {
        lastFailure_ = WindowFailure::kTooLarge;
        return nullptr;
    }
    if (mode_ == kModeWrite) {
        lastFailure_ = WindowFailure::kOutOfFile;
        return nullptr;
    }
    if (p > fileSize_ || n > fileSize_ - p || inPlace_) {
        lastFailure_ = WindowFailure::kOutOfFile;
        return nullptr;
    }
    const int64_t len = std::min(fileSize_ - p, bufferSize_);
    if (fromMemory_) {
        // Bytes in memory need no copy: the window is a view of them.
        data_ = memory_ + p;
        winStart_ = p;
        winLen_ = len;
        return data_;
    }
    int64_t got = 0;
    data_ = owned_ != nullptr ? owned_ : fallback_;
    ReadInto(const_cast<uint8_t*>(data_), p, len, &got);
    winStart_ = p;
    winLen_ = got;
    if (got < n) {
        lastFailure_ = WindowFailure::kOutOfFile;
        return nullptr;
    }
    return data_;
}

uint8_t* MidiBuffer::WindowForWrite(int64_t p, int64_t n) {
    const int64_t offset = p - winStart_;
    if (offset < 0 || offset > winLen_ || n > bufferSize_ - offset) {
        if (!Flush()) {
            return nullptr;
        }
        winStart_ = p;
        winLen_ = 0;
    }
    uint8_t* out = const_cast<uint8_t*>(data_) + (p - winStart_);
    winLen_ = std::max(winLen_, p - winStart_ + n);
    dirty_ = true;
    fileSize_ = std::max(fileSize_, p + n);
    return out;
}

bool MidiBuffer::Flush() {
    if (!dirty_ || winLen_ == 0 || fd_ < 0) {
        dirty_ = false;
        return true;
    }
    int64_t done = 0;
    while (done < winLen_) {
        const ssize_t w =
            ::pwrite(fd_, data_ + done, static_cast<size_t>(winLen_ - done), winStart_ + done);
        if (w < 0 && errno == EINTR) {
            continue;
        }
        if (w <= 0) {
            OnError("Write error (maybe disk full)", winStart_ + done);
            return false;
        }
        done += w;
    }
    dirty_ = false;
    return true;
}

void MidiBuffer::SetPosition(int64_t position) {
    if (position < 0) {
        failed_ = true;
        return;
    }
    pos_ = position;
}

uint32_t MidiBuffer::Read16() {
    const uint8_t* b = GetRaw(2);
    return b == nullptr ? 0 : (uint32_t{b[0]} << 8) | b[1];
}

uint32_t MidiBuffer::Read24() {
    const uint8_t* b = GetRaw(3);
    return b == nullptr ? 0 : (uint32_t{b[0]} << 16) | (uint32_t{b[1]} << 8) | b[2];
}

uint32_t MidiBuffer::Read32() {
    const uint8_t* b = GetRaw(4);
    return b == nullptr
               ? 0
               : (uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) | (uint32_t{b[2]} << 8) | b[3];
}

uint32_t MidiBuffer::ReadVarLenRest(int first) {
    uint32_t value = uint32_t(first) & 0x7F;
    for (int i = 1; i < 4; ++i) {
        const int b = ReadByte();
        if (b < 0) {
            return 0;
        }
        value = (value << 7) | static_cast<uint32_t>(b & 0x7F);
        if (b < 0x80) {
            break;
        }
    }
    return value;
}

bool MidiBuffer::WriteBytes(std::span<const uint8_t> bytes) {
    if (!open_ || mode_ != kModeWrite) {
        return false;
    }
    // Large runs go through the window in window-sized pieces.
    size_t done = 0;
    while (done < bytes.size()) {
        const int64_t piece = std::min<int64_t>(bufferSize_, bytes.size() - done);
        uint8_t* out = WindowForWrite(pos_, piece);
        if (out == nullptr) {
            return false;
        }
        std::memcpy(out, bytes.data() + done, static_cast<size_t>(piece));
        pos_ += piece;
        done += static_cast<size_t>(piece);
    }
    return true;
}

bool MidiBuffer::WriteByte(uint8_t value) {
    return WriteBytes(std::span<const uint8_t>(&value, 1));
}

bool MidiBuffer::Write16(uint32_t value) {
    const uint8_t b[2] = {uint8_t(value >> 8), uint8_t(value)};
    return WriteBytes(b);
}

bool MidiBuffer::Write24(uint32_t value) {
    const uint8_t b[3] = {uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)};
    return WriteBytes(b);
}

bool MidiBuffer::Write32(uint32_t value) {
    const uint8_t b[4] = {uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8),
                          uint8_t(value)};
    return WriteBytes(b);
}

bool MidiBuffer::WriteVarLen(uint32_t value) {
    // At most four bytes hold 28 bits; larger values are cut like the reader cuts them.
    value &= 0x0FFFFFFF;
    uint8_t b[4];
    int n = 0;
    b[3] = uint8_t(value & 0x7F);
    for (value >>= 7, n = 1; value != 0 && n < 4; value >>= 7, ++n) {
        b[3 - n] = uint8_t(0x80 | (value & 0x7F));
    }
    return WriteBytes(std::span<const uint8_t>(b + 4 - n, static_cast<size_t>(n)));
}

}  // namespace kelvane

// MidiBuffer: a window over a file (or over bytes in memory) that hands out byte runs at
// arbitrary positions. It is the one bounds-checked cursor of the MIDI reader and of the style
// section walker that continues where the MIDI data end.
//
// Reading: every read takes its bytes at Position() and advances it. A read that cannot be
// served (the bytes are not in the file) returns 0 / -1 / nullptr and sets a sticky failure:
// later reads fail too and Remaining() is 0, until ClearFailure(). So a header can be read
// field by field and checked once, and a loop over Remaining() always ends.
// Peek() and PeekByteAt() never set the failure and never move the position.
//
// Pointers returned by GetRaw()/Peek() stay valid until the next byte access (the window may
// move). The window buffer is kept across Close()/Open(), so one reader object scans many files
// without allocating per file.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/NonCopyable.h"

namespace kelvane {

class MidiBuffer : NonCopyable {
  public:
    // Open modes.
    static constexpr int kModeWindowed = 0;   // a 31,500-byte window moving forwards
    static constexpr int kModeWholeFile = 1;  // one buffer holding the whole file
    static constexpr int kModeWrite = 2;      // a dirty window flushed to the file
    // Size of the window in windowed and write mode.
    static constexpr int64_t kWindowSize = 31500;
    // Files above this size are read through the window even in whole-file mode.
    static constexpr int64_t kMaxWholeFileSize = 64 * 1024 * 1024;
    // The buffer inside the object, used when no window can be allocated.
    static constexpr int64_t kFallbackSize = 16;

    MidiBuffer();
    virtual ~MidiBuffer();

    // Opens `fileName` in `mode`, or uses the open descriptor `file` when it is >= 0 (the
    // caller keeps owning it). Closes whatever was open before. Returns whether a file is open.
    virtual bool Open(const std::string& fileName, int file, int mode);
    // Flushes (write mode), closes the file if this buffer opened it and forgets the window.
    virtual void Close();
    // Reports; MidiRead and its derived classes override them.
    virtual void OnError(const std::string& text, int64_t position);
    virtual void OnWarning(const std::string& text, int64_t position);

    // Reads from bytes in memory instead of a file. kModeWholeFile takes them as one buffer;
    // kModeWindowed hands them out window by window, with the limits of a file's window (the
    // windows are views of the bytes, nothing is copied). The bytes must outlive the reading.
    bool OpenMemory(std::span<const uint8_t> bytes, int mode = kModeWholeFile);

    bool IsOpen() const { return open_; }
    const std::string& FileName() const { return fileName_; }
    // The descriptor, or -1 for bytes in memory.
    int FileHandle() const { return fd_; }
    int OpenMode() const { return mode_; }
    int64_t FileSize() const { return fileSize_; }
    // Bytes a single request may ask for: the window, or the whole file in whole-file mode.
    int64_t BufferSize() const { return bufferSize_; }

    int64_t Position() const { return pos_; }
    // Moves the position (positions past the end are allowed; reads there fail).
    void SetPosition(int64_t position);
    // Bytes left between the position and the end of the file; 0 after a failed read.
    int64_t Remaining() const { return failed_ || pos_ >= fileSize_ ? 0 : fileSize_ - pos_; }
    bool Failed() const { return failed_; }
    void ClearFailure() { failed_ = false; }

    // One byte, or -1.
    int ReadByte() {
        const uint8_t* b = failed_ ? nullptr : WindowAt(pos_, 1);
        if (b == nullptr) {
            failed_ = true;
            return -1;
        }
        ++pos_;
        return *b;
    }
    // Big-endian numbers, 0 when the bytes are not there.
    uint32_t Read16();
    uint32_t Read24();
    uint32_t Read32();
    // A variable-length quantity of at most four bytes (a fifth byte is never read; the value
    // is then what the four gave). 0 when the file ends inside it.
    uint32_t ReadVarLen() {
        const int first = ReadByte();
        return first < 0x80 ? (first < 0 ? 0 : uint32_t(first)) : ReadVarLenRest(first);
    }
    // `n` bytes at the position, consumed; nullptr when they are not all in the file or `n`
    // exceeds BufferSize().
    const uint8_t* GetRaw(int64_t n) {
        const uint8_t* b = failed_ ? nullptr : WindowAt(pos_, n);
        if (b == nullptr) {
            failed_ = true;
            return nullptr;
        }
        pos_ += n;
        return b;
    }
    // Skips `n` bytes; refused (false, nothing moves, no failure set) past the end of file.
    bool Skip(int64_t n) {
        if (failed_ || n < 0 || pos_ > fileSize_ || n > fileSize_ - pos_) {
            return false;
        }
        pos_ += n;
        return true;
    }
    // The next `n` bytes without consuming them, or nullptr.
    const uint8_t* Peek(int64_t n) { return failed_ ? nullptr : WindowAt(pos_, n); }
    // The byte at any position without moving the position, or -1.
    int PeekByteAt(int64_t position) {
        const uint8_t* b = WindowAt(position, 1);
        return b == nullptr ? -1 : *b;
    }

    // Write mode: writes at the position and advances it.
    bool WriteBytes(std::span<const uint8_t> bytes);
    bool WriteByte(uint8_t value);
    bool Write16(uint32_t value);
    bool Write24(uint32_t value);
    bool Write32(uint32_t value);
    bool WriteVarLen(uint32_t value);
    // Writes the dirty window; reports "Write error (maybe disk full)" on failure.
    bool Flush();

    // Window size for the next Open (tests and fuzzing exercise window moves with small
    // windows; the program always uses kWindowSize).
    void SetWindowSize(int64_t size);

  protected:
    // Why the last window request failed.
    enum class WindowFailure { kNone, kNoBuffer, kTooLarge, kOutOfFile };

    // `n` bytes at position `p` through the window, refilling it when it does not cover them.
    // Reading only: in write mode, bytes outside the window cannot be read.
    const uint8_t* WindowAt(int64_t p, int64_t n) {
        const int64_t offset = p - winStart_;
        // Unsigned comparisons also refuse negative offsets and counts.
        if (uint64_t(offset) <= uint64_t(winLen_) && uint64_t(n) <= uint64_t(winLen_ - offset)) {
            return data_ + offset;
        }
        return Refill(p, n);
    }
    WindowFailure LastWindowFailure() const { return lastFailure_; }
    // The bytes the window already holds from position `p` on, without moving it: a pointer
    // and their count in `count` (nullptr and 0 when `p` lies outside the window).
    const uint8_t* WindowFrom(int64_t p, int64_t* count) const {
        const int64_t offset = p - winStart_;
        if (data_ == nullptr || mode_ == kModeWrite || offset < 0 || offset >= winLen_) {
            *count = 0;
            return nullptr;
        }
        *count = winLen_ - offset;
        return data_ + offset;
    }
    // Consumes `n` bytes that a successful Peek(n) has just shown to be there.
    void Advance(int64_t n) { pos_ += n; }
    // Moves to a position that a successful window access has just shown to be in the file.
    void MoveTo(int64_t position) { pos_ = position; }
    void SetFailed() { failed_ = true; }

  private:
    const uint8_t* Refill(int64_t p, int64_t n);
    uint32_t ReadVarLenRest(int first);
    uint8_t* WindowForWrite(int64_t p, int64_t n);
    bool ReadInto(uint8_t* target, int64_t p, int64_t n, int64_t* got);
    bool PrepareBuffer(int64_t size);
    void ReleaseLargeBuffer();

    std::string fileName_;
    int fd_ = -1;
    bool ownsFile_ = false;
    bool open_ = false;
    int mode_ = kModeWindowed;
    int64_t fileSize_ = 0;

    const uint8_t* memory_ = nullptr;  // source bytes when reading from memory
    bool fromMemory_ = false;
    bool inPlace_ = false;  // data_ points into memory_

    uint8_t* owned_ = nullptr;  // the allocated window (kept across files)
    int64_t capacity_ = 0;
    uint8_t fallback_[kFallbackSize] = {};
    const uint8_t* data_ = nullptr;
    int64_t bufferSize_ = 0;
    int64_t windowSize_ = kWindowSize;

    int64_t winStart_ = 0;
    int64_t winLen_ = 0;
    bool dirty_ = false;

    int64_t pos_ = 0;
    bool failed_ = false;
    WindowFailure lastFailure_ = WindowFailure::kNone;
};

}  // namespace kelvane

// Text and block I/O on buffered file handles: open and close with their statuses, one line
// at a time in and out (lines written end with CR LF), and copying a counted block between
// two open files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "support/NUVStatus.h"

namespace kelvane {

using FileHandle = std::FILE*;

// Open modes of FileOpen.
inline constexpr int kFileModeRead = 0;        // "r"
inline constexpr int kFileModeWrite = 1;       // "w"
inline constexpr int kFileModeReadWrite = 2;   // "r+"
inline constexpr int kFileModeAppendRead = 3;  // "a+"
inline constexpr int kFileBinary = 0;          // text flag 0: binary
inline constexpr int kFileText = 1;            // text flag 1: text (the same bytes here)

// Opens `path`; any other mode or text flag fails. nullptr on failure. Folders never open.
FileHandle FileOpen(const std::string& path, int textFlag, int mode);

// 0 (also for no handle); -152 when the flush fails (the close is still done); -102 when the
// close fails.
StatusCode FileClose(FileHandle handle);

// Reads one line into `line` without its trailing CR, LF and end-of-file marks (26). Returns
// the line length; -101 at the end of the file with nothing read; -107 on a read error or a
// buffer size of 0; -108 when the line with its line feed needs more than bufferSize - 1
// places. After -108 the rest of the long line has been read and dropped.
int FileReadLine(FileHandle handle, std::string& line, std::size_t bufferSize);

// Writes `text`, then CR (unless noCr) and LF. 0, or -116 when the write fails.
StatusCode FileWriteLine(FileHandle handle, std::string_view text, bool noCr = false);

// Copies `count` bytes from `in` to `out` in pieces of at most 1000 bytes: -150 when fewer
// could be read, -151 when fewer could be written, else 0.
StatusCode CopyFileBlock(FileHandle in, FileHandle out, std::uint64_t count);

}  // namespace kelvane

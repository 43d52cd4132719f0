// Reading a file for the analysis: once, front to back. Its size and its CRC-32 (the file id)
// come from the same read that fills the analyser's buffer, so a file is never read twice;
// files above kWholeFileReadLimit are read in blocks for the CRC and then through the reader
// window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/FileTime.h"
#include "support/NUVStatus.h"

namespace kelvane {

class CZOLMidi;

enum class FileReadOutcome {
    kSizeUnknown,  // the file cannot be sized (missing, not a plain file)
    kEmpty,        // 0 bytes
    kCrcFailed,    // it cannot be opened or read: crcStatus is -301 or -300
    kRead,         // size and crc are known; AnalyseReadFile analyses it
};

struct FileForAnalysis {
    int64_t size = 0;
    uint32_t crc = 0;
    StatusCode crcStatus = 0;
    const uint8_t* bytes = nullptr;         // the whole file in the analyser's buffer, or
    int64_t length = 0;                     // (its length)
    int fd = -1;                            // the open file, to be read through the window
    std::optional<FileTime> lastWriteTime;  // of the open file, when it was opened
};

FileReadOutcome ReadFileForAnalysis(const std::string& path, CZOLMidi& analyser,
                                    FileForAnalysis& file);
// Analyses a file that ReadFileForAnalysis read (kRead) and closes what it left open.
void AnalyseReadFile(CZOLMidi& analyser, const std::string& path, FileForAnalysis& file);

}  // namespace kelvane

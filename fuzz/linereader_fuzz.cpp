// The line reader under arbitrary bytes: the first byte picks the buffer size, the rest is
// the file. Every line returned fits its buffer, carries no line end or end-of-file mark at
// its end, and the reader reaches the end of the file in at most one call per byte.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "support/NUVFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::size_t bufferSize = data[0] == 255 ? 1995 : data[0];
    std::vector<char> bytes(data + 1, data + size);
    std::FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
    if (file == nullptr) {
        return 0;
    }
    std::string line;
    std::size_t calls = 0;
    for (;;) {
        const int length = kelvane::FileReadLine(file, line, bufferSize);
        if (++calls > bytes.size() + 1) {
            __builtin_trap();  // no progress
        }
        if (length == kelvane::status::kEndOfFile || length == kelvane::status::kReadLineError) {
            break;
        }
        if (length == kelvane::status::kLineTooLong) {
            continue;
        }
        if (length < 0 || static_cast<std::size_t>(length) != line.size() ||
            line.size() + 1 > bufferSize) {
            __builtin_trap();
        }
        if (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == 26)) {
            __builtin_trap();
        }
    }
    std::fclose(file);
    return 0;
}

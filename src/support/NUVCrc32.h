// CRC-32 of ISO-HDLC (the one of zlib and PNG: reflected polynomial EDB88320H, initial value
// and final exclusive-or FFFFFFFFH). The CRC of "abc" is 352441C2H, of no bytes 0. Computed
// with carry-less multiplication where the processor has it, by sliced tables elsewhere;
// both give the same numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "support/NUVStatus.h"

namespace kelvane {

inline constexpr std::size_t kCrcFileBlockSize = 98304;

// Continues a CRC over more bytes, like zlib's crc32(): start with 0.
std::uint32_t Crc32Update(std::uint32_t crc, const void* data, std::size_t length);

// The CRC of a whole file, read in blocks of 98,304 bytes. 0; -301 when it cannot be opened;
// -300 on a read error (crc then holds the CRC of the bytes read so far).
StatusCode NUVCalcCRC32ofFile(const std::string& path, std::uint32_t& crc);

// The CRC of a buffer; always 0.
StatusCode NUVCalcCRC32ofBuffer(const void* bytes, std::size_t length, std::uint32_t& crc);

}  // namespace kelvane

// The CRC-32 engines behind Crc32Update, exposed so that tests can hold them against each
// other. All work on the internal (pre- and post-inverted) register value.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kelvane::crc32 {

// Sliced tables, 16 bytes per step; any processor.
std::uint32_t UpdateTables(std::uint32_t state, const unsigned char* data, std::size_t length);

// Carry-less multiplication folding (x86-64 PCLMULQDQ + SSE4.1); only when ClmulAvailable().
bool ClmulAvailable();
std::uint32_t UpdateClmul(std::uint32_t state, const unsigned char* data, std::size_t length);

}  // namespace kelvane::crc32

#include "support/NUVCrc32.h"

#include <array>
#include <bit>
#include <cstring>
#include <memory>

#include "platform/FileStream.h"
#include "support/NUVCrc32Impl.h"

namespace kelvane {
namespace crc32 {
namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320u;
constexpr int kSlices = 16;

using SliceTables = std::array<std::array<std::uint32_t, 256>, kSlices>;

// tables[0] is the classic byte table; tables[k][n] is the CRC of byte n followed by k zero
// bytes, so 16 lookups advance the register by 16 bytes at once.
constexpr SliceTables MakeTables() {
    SliceTables tables{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) {
            c = (c & 1u) != 0 ? (c >> 1) ^ kPolynomial : c >> 1;
        }
        tables[0][n] = c;
    }
    for (int k = 1; k < kSlices; ++k) {
        for (std::uint32_t n = 0; n < 256; ++n) {
            const std::uint32_t previous = tables[k - 1][n];
            tables[k][n] = (previous >> 8) ^ tables[0][previous & 0xFFu];
        }
    }
    return tables;
}

constexpr SliceTables kTables = MakeTables();

std::uint32_t Load32(const unsigned char* p) {
    std::uint32_t value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

}  // namespace

std::uint32_t UpdateTables(std::uint32_t state, const unsigned char* data, std::size_t length) {
    const auto& t = kTables;
    if constexpr (std::endian::native == std::endian::little) {
        while (length >= 16) {
            const std::uint32_t a = Load32(data) ^ state;
            const std::uint32_t b = Load32(data + 4);
            const std::uint32_t c = Load32(data + 8);
            const std::uint32_t d = Load32(data + 12);
            state = t[15][a & 0xFF] ^ t[14][(a >> 8) & 0xFF] ^ t[13][(a >> 16) & 0xFF] ^
                    t[12][a >> 24] ^ t[11][b & 0xFF] ^ t[10][(b >> 8) & 0xFF] ^
                    t[9][(b >> 16) & 0xFF] ^ t[8][b >> 24] ^ t[7][c & 0xFF] ^
                    t[6][(c >> 8) & 0xFF] ^ t[5][(c >> 16) & 0xFF] ^ t[4][c >> 24] ^
                    t[3][d & 0xFF] ^ t[2][(d >> 8) & 0xFF] ^ t[1][(d >> 16) & 0xFF] ^ t[0][d >> 24];
            data += 16;
            length -= 16;
        }
    }
    while (length-- > 0) {
        state = (state >> 8) ^ t[0][(state ^ *data++) & 0xFF];
    }
    return state;
}

}  // namespace crc32

namespace {

using UpdateFunction = std::uint32_t (*)(std::uint32_t, const unsigned char*, std::size_t);

UpdateFunction ChooseUpdate() {
    return crc32::ClmulAvailable() ? crc32::UpdateClmul : crc32::UpdateTables;
}

}  // namespace

std::uint32_t Crc32Update(std::uint32_t crc, const void* data, std::size_t length) {
    static const UpdateFunction update = ChooseUpdate();
    if (length == 0) {
        return crc;
    }
    return ~update(~crc, static_cast<const unsigned char*>(data), length);
}

StatusCode NUVCalcCRC32ofFile(const std::string& path, std::uint32_t& crc) {
    crc = 0;
    std::FILE* file = OpenFileStream(path, "rb");
    if (file == nullptr) {
        return status::kCrcCannotOpen;
    }
    // One block buffer per thread, reused for every file.
    thread_local std::unique_ptr<unsigned char[]> block;
    if (!block) {
        block = std::make_unique<unsigned char[]>(kCrcFileBlockSize);
    }
    StatusCode result = 0;
    for (;;) {
        const std::size_t got = std::fread(block.get(), 1, kCrcFileBlockSize, file);
        crc = Crc32Update(crc, block.get(), got);
        if (got < kCrcFileBlockSize) {
            if (std::ferror(file)) {
                result = status::kCrcReadError;
            }
            break;
        }
    }
    std::fclose(file);
    return result;
}

StatusCode NUVCalcCRC32ofBuffer(const void* bytes, std::size_t length, std::uint32_t& crc) {
    crc = bytes == nullptr ? 0 : Crc32Update(0, bytes, length);
    return 0;
}

}  // namespace kelvane

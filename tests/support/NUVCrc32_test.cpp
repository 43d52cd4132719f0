#include <random>

#include <gtest/gtest.h>

#include "support/NUVCrc32.h"
#include "support/NUVCrc32Impl.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    return bytes;
}

// Bit by bit, straight from the definition: the reference the fast engines must meet.
std::uint32_t SlowCrc(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1u) != 0 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
        }
    }
    return ~crc;
}

TEST(Crc32, KnownValues) {
    std::uint32_t crc = 1;
    EXPECT_EQ(NUVCalcCRC32ofBuffer("abc", 3, crc), 0);
    EXPECT_EQ(crc, 0x352441C2u);
    EXPECT_EQ(NUVCalcCRC32ofBuffer("", 0, crc), 0);
    EXPECT_EQ(crc, 0u);
    EXPECT_EQ(NUVCalcCRC32ofBuffer("123456789", 9, crc), 0);
    EXPECT_EQ(crc, 0xCBF43926u);
    const std::string fox = "The quick brown fox jumps over the lazy dog";
    EXPECT_EQ(Crc32Update(0, fox.data(), fox.size()), 0x414FA339u);
}

TEST(Crc32, EnginesAgreeOnEveryLengthAndAlignment) {
    const std::string bytes = RandomBytes(5000, 7);
    const bool clmul = crc32::ClmulAvailable();
    for (std::size_t length = 0; length < 1100; length += length < 200 ? 1 : 53) {
        for (std::size_t offset = 0; offset < 4; ++offset) {
            const std::string piece = bytes.substr(offset, length);
            const auto* data = reinterpret_cast<const unsigned char*>(piece.data());
            const std::uint32_t expected = SlowCrc(piece);
            ASSERT_EQ(~crc32::UpdateTables(~0u, data, length), expected) << length;
            if (clmul) {
                ASSERT_EQ(~crc32::UpdateClmul(~0u, data, length), expected) << length;
            }
            ASSERT_EQ(Crc32Update(0, piece.data(), length), expected) << length;
        }
    }
}

TEST(Crc32, UpdatesChainLikeOneBuffer) {
    const std::string bytes = RandomBytes(100000, 3);
    std::uint32_t whole = 0;
    NUVCalcCRC32ofBuffer(bytes.data(), bytes.size(), whole);
    std::uint32_t chained = 0;
    for (std::size_t at = 0; at < bytes.size(); at += 7777) {
        chained =
            Crc32Update(chained, bytes.data() + at, std::min<std::size_t>(7777, bytes.size() - at));
    }
    EXPECT_EQ(chained, whole);
    EXPECT_EQ(whole, SlowCrc(bytes));
}

TEST(Crc32, FileCrcEqualsBufferCrcAroundTheBlockSize) {
    test::TempDir dir;
    for (std::size_t size :
         {std::size_t{0}, std::size_t{1}, kCrcFileBlockSize - 1, kCrcFileBlockSize,
          kCrcFileBlockSize + 1, 3 * kCrcFileBlockSize + 17}) {
        const std::string bytes = RandomBytes(size, static_cast<unsigned>(size));
        const std::string path = dir.Write("f" + std::to_string(size), bytes);
        std::uint32_t fromFile = 1;
        std::uint32_t fromBuffer = 2;
        EXPECT_EQ(NUVCalcCRC32ofFile(path, fromFile), 0);
        NUVCalcCRC32ofBuffer(bytes.data(), bytes.size(), fromBuffer);
        EXPECT_EQ(fromFile, fromBuffer) << size;
        EXPECT_EQ(fromFile, SlowCrc(bytes)) << size;
    }
}

TEST(Crc32, FileThatCannotBeOpenedIsReported) {
    test::TempDir dir;
    std::uint32_t crc = 5;
    EXPECT_EQ(NUVCalcCRC32ofFile(dir.Folder() + "none", crc), status::kCrcCannotOpen);
    EXPECT_EQ(NUVCalcCRC32ofFile(dir.Folder(), crc), status::kCrcCannotOpen);
}

TEST(Crc32, ReadErrorKeepsTheCrcOfWhatWasRead) {
    // /proc/self/mem opens but cannot be read from its start.
    std::uint32_t crc = 5;
    const StatusCode result = NUVCalcCRC32ofFile("/proc/self/mem", crc);
    if (result == status::kCrcCannotOpen) {
        GTEST_SKIP() << "/proc/self/mem cannot be opened here";
    }
    EXPECT_EQ(result, status::kCrcReadError);
    EXPECT_EQ(crc, 0u);
}

}  // namespace
}  // namespace kelvane

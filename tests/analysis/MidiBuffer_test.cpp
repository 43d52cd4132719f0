#include "analysis/MidiBuffer.h"

#include <gtest/gtest.h>

#include "support/TestEnv.h"

namespace kelvane {
namespace {

// Bytes whose value tells their position.
std::string Pattern(size_t size) {
    std::string out(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        out[i] = char((i * 7 + i / 251) & 0xFF);
    }
    return out;
}

uint32_t Expected32(const std::string& bytes, size_t p) {
    return (uint32_t(uint8_t(bytes[p])) << 24) | (uint32_t(uint8_t(bytes[p + 1])) << 16) |
           (uint32_t(uint8_t(bytes[p + 2])) << 8) | uint8_t(bytes[p + 3]);
}

std::span<const uint8_t> Span(const std::string& s) {
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

TEST(MidiBuffer, ReadsAnywhereInAFileLargerThanTheWindow) {
    const std::string bytes = Pattern(100000);
    test::TempDir dir;
    const std::string path = dir.Write("p.bin", bytes);
    MidiBuffer buffer;
    ASSERT_TRUE(buffer.Open(path, -1, MidiBuffer::kModeWindowed));
    EXPECT_EQ(buffer.FileSize(), 100000);
    EXPECT_EQ(buffer.BufferSize(), MidiBuffer::kWindowSize);
    // Forwards across the window's end, then backwards, then at the last bytes.
    for (size_t p : {size_t{0}, size_t{31497}, size_t{31498}, size_t{31499}, size_t{62999},
                     size_t{5}, size_t{99996}}) {
        buffer.SetPosition(int64_t(p));
        EXPECT_EQ(buffer.Read32(), Expected32(bytes, p)) << p;
        EXPECT_EQ(buffer.Position(), int64_t(p) + 4);
    }
    EXPECT_FALSE(buffer.Failed());
    buffer.SetPosition(70000);
    EXPECT_EQ(buffer.PeekByteAt(12), uint8_t(bytes[12]));
    EXPECT_EQ(buffer.Position(), 70000);  // peeking elsewhere does not move the position
    const uint8_t* run = buffer.GetRaw(25000);
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(run), 25000), bytes.substr(70000, 25000));
    EXPECT_EQ(buffer.Remaining(), 5000);
}

TEST(MidiBuffer, NumbersAreBigEndianAndVariableLengthStopsAfterFourBytes) {
    const std::string bytes("\x12\x34\x56\x78\x9A\x81\x00\x7F\xFF\xFF\xFF\xFF\x7F", 13);
    MidiBuffer buffer;
    buffer.OpenMemory(Span(bytes));
    EXPECT_EQ(buffer.Read16(), 0x1234u);
    EXPECT_EQ(buffer.Read24(), 0x56789Au);
    EXPECT_EQ(buffer.ReadVarLen(), 0x80u);
    EXPECT_EQ(buffer.ReadVarLen(), 0x7Fu);
    EXPECT_EQ(buffer.ReadVarLen(), 0x0FFFFFFFu);
    EXPECT_EQ(buffer.Position(), 12);  // the fifth byte is not part of the number
    EXPECT_EQ(buffer.ReadByte(), 0x7F);
    EXPECT_FALSE(buffer.Failed());
}

TEST(MidiBuffer, FailedReadIsStickyUntilClearedAndSkipPastEndIsRefused) {
    const std::string bytes("\x01\x02\x03\x04\x05\x06", 6);
    MidiBuffer buffer;
    buffer.OpenMemory(Span(bytes), MidiBuffer::kModeWindowed);
    EXPECT_FALSE(buffer.Skip(7));
    EXPECT_EQ(buffer.Position(), 0);
    EXPECT_FALSE(buffer.Failed());
    EXPECT_TRUE(buffer.Skip(3));
    EXPECT_EQ(buffer.Peek(4), nullptr);
    EXPECT_FALSE(buffer.Failed());  // peeking never fails the cursor
    EXPECT_EQ(buffer.Read32(), 0u);
    EXPECT_TRUE(buffer.Failed());
    EXPECT_EQ(buffer.Position(), 3);
    EXPECT_EQ(buffer.Remaining(), 0);
    EXPECT_EQ(buffer.ReadByte(), -1);
    buffer.ClearFailure();
    EXPECT_EQ(buffer.Remaining(), 3);
    EXPECT_EQ(buffer.ReadByte(), 4);
    EXPECT_EQ(buffer.ReadVarLen(), 5u);
    EXPECT_EQ(buffer.ReadVarLen(), 6u);
    EXPECT_EQ(buffer.ReadVarLen(), 0u);
    EXPECT_TRUE(buffer.Failed());
}

TEST(MidiBuffer, RequestsLargerThanTheWindowFailButFitInWholeFileMode) {
    const std::string bytes = Pattern(40000);
    test::TempDir dir;
    const std::string path = dir.Write("p.bin", bytes);
    MidiBuffer windowed;
    ASSERT_TRUE(windowed.Open(path, -1, MidiBuffer::kModeWindowed));
    EXPECT_EQ(windowed.Peek(MidiBuffer::kWindowSize + 1), nullptr);
    EXPECT_EQ(windowed.GetRaw(MidiBuffer::kWindowSize + 1), nullptr);
    MidiBuffer whole;
    ASSERT_TRUE(whole.Open(path, -1, MidiBuffer::kModeWholeFile));
    const uint8_t* all = whole.GetRaw(40000);
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(all), 40000), bytes);
    EXPECT_FALSE(MidiBuffer().Open(dir.Folder() + "none.mid", -1, MidiBuffer::kModeWindowed));
}

TEST(MidiBuffer, WriteModeFlushesWindowsAndRewritesEarlierBytes) {
    test::TempDir dir;
    const std::string path = dir.Folder() + "out.bin";
    const std::string bytes = Pattern(70000);
    {
        MidiBuffer out;
        ASSERT_TRUE(out.Open(path, -1, MidiBuffer::kModeWrite));
        ASSERT_TRUE(out.WriteBytes(Span(bytes)));
        out.SetPosition(10);
        ASSERT_TRUE(out.Write32(0xDEADBEEF));
        out.SetPosition(70000);
        ASSERT_TRUE(out.WriteVarLen(0x3FFF));
        ASSERT_TRUE(out.Write16(0xCAFE));
        EXPECT_EQ(out.FileSize(), 70004);
    }  // closing flushes
    std::string expected = bytes;
    expected.replace(10, 4, "\xDE\xAD\xBE\xEF");
    expected += "\xFF\x7F\xCA\xFE";
    EXPECT_EQ(dir.Read("out.bin"), expected);
}

}  // namespace
}  // namespace kelvane

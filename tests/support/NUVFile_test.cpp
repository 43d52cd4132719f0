#include <gtest/gtest.h>

#include "support/NUVFile.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

// Reads every line of `bytes` with the given buffer size; results as "text" or "#status".
std::vector<std::string> ReadAll(const std::string& bytes, std::size_t bufferSize) {
    test::TempDir dir;
    const std::string path = dir.Write("lines.txt", bytes);
    FileHandle file = FileOpen(path, kFileBinary, kFileModeRead);
    EXPECT_NE(file, nullptr);
    std::vector<std::string> results;
    std::string line;
    for (int guard = 0; guard < 100; ++guard) {
        const int length = FileReadLine(file, line, bufferSize);
        if (length >= 0) {
            EXPECT_EQ(static_cast<std::size_t>(length), line.size());
            results.push_back(line);
        } else {
            results.push_back("#" + std::to_string(length));
            if (length == status::kEndOfFile) {
                break;
            }
        }
    }
    EXPECT_EQ(FileClose(file), 0);
    return results;
}

using Lines = std::vector<std::string>;

TEST(FileReadLine, LineFitsWhenItAndItsLineFeedTakeAtMostSizeLessOnePlaces) {
    EXPECT_EQ(ReadAll("12345678\n", 10), (Lines{"12345678", "#-101"}));
    EXPECT_EQ(ReadAll("123456789\nnext\n", 10), (Lines{"#-108", "next", "#-101"}));
    // Without a line feed the same nine characters fit.
    EXPECT_EQ(ReadAll("123456789", 10), (Lines{"123456789", "#-101"}));
    EXPECT_EQ(ReadAll("1234567890", 10), (Lines{"#-108", "#-101"}));
}

TEST(FileReadLine, LongLineIsDroppedWholeAndReadingGoesOn) {
    const std::string longLine(5000, 'x');
    EXPECT_EQ(ReadAll("a\n" + longLine + "\r\nb\n", 1995), (Lines{"a", "#-108", "b", "#-101"}));
}

TEST(FileReadLine, TrailingLineEndsAndEndOfFileMarksGo) {
    EXPECT_EQ(ReadAll("one\r\r\ntwo\r\n\x1a", 100), (Lines{"one", "two", "", "#-101"}));
    EXPECT_EQ(ReadAll("x\x1a\r\n\n", 100), (Lines{"x", "", "#-101"}));
    EXPECT_EQ(ReadAll("last", 100), (Lines{"last", "#-101"}));
    EXPECT_EQ(ReadAll("", 100), (Lines{"#-101"}));
}

TEST(FileReadLine, KeepsInnerBytesIncludingNul) {
    EXPECT_EQ(ReadAll(std::string("a\0b\tc\r\n", 7), 100),
              (Lines{std::string("a\0b\tc", 5), "#-101"}));
}

TEST(FileReadLine, NoHandleOrNoBufferIsAReadError) {
    std::string line;
    EXPECT_EQ(FileReadLine(nullptr, line, 100), status::kReadLineError);
    test::TempDir dir;
    FileHandle file = FileOpen(dir.Write("a", "x\n"), kFileText, kFileModeRead);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(FileReadLine(file, line, 0), status::kReadLineError);
    EXPECT_EQ(FileClose(file), 0);
}

TEST(FileOpen, ModesAndFlagsOutsideTheTablesFail) {
    test::TempDir dir;
    const std::string path = dir.Folder() + "f.txt";
    EXPECT_EQ(FileOpen(path, kFileBinary, 4), nullptr);
    EXPECT_EQ(FileOpen(path, 2, kFileModeWrite), nullptr);
    EXPECT_EQ(FileOpen(path, kFileBinary, kFileModeRead), nullptr);          // not there yet
    EXPECT_EQ(FileOpen(dir.Folder(), kFileBinary, kFileModeRead), nullptr);  // a folder
    FileHandle file = FileOpen(path, kFileText, kFileModeWrite);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(FileClose(file), 0);
    EXPECT_EQ(FileClose(nullptr), 0);
}

TEST(FileWriteLine, EndsLinesWithCrLfOrLfAlone) {
    test::TempDir dir;
    const std::string path = dir.Folder() + "out.txt";
    FileHandle file = FileOpen(path, kFileBinary, kFileModeWrite);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(FileWriteLine(file, "first"), 0);
    EXPECT_EQ(FileWriteLine(file, ""), 0);
    EXPECT_EQ(FileWriteLine(file, "unix", true), 0);
    EXPECT_EQ(FileClose(file), 0);
    EXPECT_EQ(dir.Read("out.txt"), "first\r\n\r\nunix\n");
    EXPECT_EQ(FileWriteLine(nullptr, "x"), -116);
}

TEST(FileWriteLine, FullDeviceIsAWriteError) {
    FileHandle file = FileOpen("/dev/full", kFileBinary, kFileModeWrite);
    if (file == nullptr) {
        GTEST_SKIP() << "no /dev/full";
    }
    std::setvbuf(file, nullptr, _IONBF, 0);
    EXPECT_EQ(FileWriteLine(file, "lost"), -116);
    std::fclose(file);
}

TEST(CopyFileBlock, ShortReadIsReported) {
    test::TempDir dir;
    FileHandle in = FileOpen(dir.Write("in", std::string(2500, 'q')), kFileBinary, kFileModeRead);
    FileHandle out = FileOpen(dir.Folder() + "out", kFileBinary, kFileModeWrite);
    ASSERT_NE(in, nullptr);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(CopyFileBlock(in, out, 2100), 0);
    EXPECT_EQ(CopyFileBlock(in, out, 1000), -150);
    EXPECT_EQ(FileClose(in), 0);
    EXPECT_EQ(FileClose(out), 0);
    EXPECT_EQ(dir.Read("out"), std::string(2100, 'q'));
}

}  // namespace
}  // namespace kelvane

#include <gtest/gtest.h>

#include "support/NUVTrace.h"
#include "support/NUVWalk.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

// Reads `bytes` through ProcessOneFile_a; returns the status and collects "number:line".
StatusCode ReadLines(const std::string& bytes, std::vector<std::string>& lines,
                     int stopAtLine = 0) {
    test::TempDir dir;
    dir.Write("data.SDB", bytes);
    WalkContext context;
    InitWalkContext(context);
    context.currentFolder = dir.Folder();
    context.currentFileName = "data.SDB";
    context.lineCallback = [&lines, stopAtLine](WalkContext& walk) {
        lines.push_back(std::to_string(walk.lineNumber) + ":" + walk.currentLine);
        return walk.lineNumber == stopAtLine ? -10001 : 0;
    };
    return ProcessOneFile_a(context);
}

using Lines = std::vector<std::string>;

TEST(ProcessOneFile, NumbersLinesFromOneAndCutsLineEnds) {
    Lines lines;
    EXPECT_EQ(ReadLines("first\r\nsecond\n\nlast", lines), 0);
    EXPECT_EQ(lines, (Lines{"1:first", "2:second", "3:", "4:last"}));
}

TEST(ProcessOneFile, LineOf1995CharactersWithItsEndIsTooLong) {
    Lines lines;
    const std::string fits(1993, 'a');
    EXPECT_EQ(ReadLines(fits + "\n" + std::string(1992, 'b') + "\r\nz\n", lines), 0);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size(), 2 + 1993u);

    lines.clear();
    EXPECT_EQ(ReadLines("ok\n" + std::string(1994, 'c') + "\nnever\n", lines),
              status::kLineTooLong);
    EXPECT_EQ(lines, Lines{"1:ok"});

    lines.clear();
    EXPECT_EQ(ReadLines(std::string(1993, 'd') + "\r\nnever\n", lines), status::kLineTooLong);
    EXPECT_TRUE(lines.empty());
}

TEST(ProcessOneFile, CallbackResultStopsReading) {
    Lines lines;
    EXPECT_EQ(ReadLines("a\nb\nc\n", lines, 2), -10001);
    EXPECT_EQ(lines, (Lines{"1:a", "2:b"}));
}

TEST(ProcessOneFile, MissingFileAndOverlongNameAndConsoleEcho) {
    test::TempDir dir;
    WalkContext context;
    context.currentFolder = dir.Folder();
    context.currentFileName = "none.SDB";
    EXPECT_EQ(ProcessOneFile_a(context), status::kCannotOpenFile);
    context.currentFileName = std::string(5000, 'n');
    EXPECT_EQ(ProcessOneFile_a(context), status::kFullNameError);

    test::CapturingSink sink;
    dir.Write("a.txt", "x\n");
    context.currentFileName = "a.txt";
    context.consoleEcho = 1;
    EXPECT_EQ(ProcessOneFile_a(context), 0);
    ASSERT_EQ(sink.console.size(), 1u);
    EXPECT_EQ(sink.console[0], "\nProcessing file : " + dir.Folder() + "a.txt");
}

TEST(WalkTrace, LinesAtLevel1000DescribeTheWalk) {
    test::TempDir traceDir;
    SetTraceFolder(traceDir.Folder());
    TraceOff();
    test::TempDir dir;
    dir.Write("sub/a.sty", "x");
    WalkContext context;
    InitWalkContext(context);
    context.fileSpec = dir.Folder() + "*.sty";
    context.recurse = 1;

    TraceOn(30);  // below the walker's level: nothing of the walk
    EXPECT_EQ(ProcessAllFiles(context), 0);
    EXPECT_EQ(traceDir.Read("NUVTRACE.TRC").find("ProcessAllFilesOfDirectory"), std::string::npos);

    TraceOn(1000);
    EXPECT_EQ(ProcessAllFiles(context), 0);
    const std::string text = traceDir.Read("NUVTRACE.TRC");
    TraceOff();
    SetTraceFolder("");
    for (const std::string& expected : std::vector<std::string>{
             "ProcessAllFilesOfDirectory :  " + dir.Folder() + "*.sty\r\n",
             "ProcessAllFilesOfDirectory - Looking for Subdirectories :  " + dir.Folder() + "*\r\n",
             std::string("ProcessAllFilesOfDirectory - File found_2 :  sub 16\r\n"),
             "ProcessAllFilesOfDirectory - File found :  a.sty 128\r\n",
             std::string("Find next file - no more files (last error):  18\r\n")}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
    EXPECT_EQ(text.find("Found file"), std::string::npos);  // detail lines need a higher level
}

}  // namespace
}  // namespace kelvane

#include <sys/stat.h>

#include <cstdlib>
#include <regex>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "support/NUVDbg.h"
#include "support/NUVLog.h"
#include "support/NUVTrace.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "text does not end with CR LF";
    return lines;
}

// The time prefix of a timed line: "Thu Jan  1 00:00:00 1970 ".
const std::regex kTimed(R"(^[A-Z][a-z]{2} [A-Z][a-z]{2} [ 1-3][0-9] \d\d:\d\d:\d\d \d{4} (.*)$)");

std::string Untimed(const std::string& line) {
    std::smatch match;
    return std::regex_match(line, match, kTimed) ? match[1].str() : "<untimed> " + line;
}

TEST(NuvLog, RotatesBeforeALineThatWouldPassTheLimit) {
    test::TempDir dir;
    CNuvLog log;
    ASSERT_EQ(log.Init(dir.Path().string(), "LOG", ".TXT", "BAK", 20), 0);
    EXPECT_EQ(log.FilePath(), dir.Folder() + "LOG.TXT");
    EXPECT_EQ(log.BackupPath(), dir.Folder() + "LOG.BAK");
    EXPECT_EQ(log.WriteLine("12345678"), 0);  // 10 bytes
    EXPECT_EQ(log.WriteLine("abcdefgh"), 0);  // 20 bytes: at the limit, still one file
    EXPECT_EQ(dir.Read("LOG.TXT"), "12345678\r\nabcdefgh\r\n");
    EXPECT_EQ(log.WriteLine("x"), 0);  // would make 23: rotate first
    EXPECT_EQ(dir.Read("LOG.BAK"), "12345678\r\nabcdefgh\r\n");
    EXPECT_EQ(dir.Read("LOG.TXT"), "x\r\n");
    EXPECT_EQ(log.CurrentSize(), 3u);
    EXPECT_EQ(log.WriteLine(std::string(30, 'L')), 0);  // rotates, then a line over the limit
    EXPECT_EQ(dir.Read("LOG.BAK"), "x\r\n");
    EXPECT_EQ(dir.Read("LOG.TXT"), std::string(30, 'L') + "\r\n");
}

TEST(NuvLog, InnerLineFeedsBecomeCrLfAndSizeCountsExistingFile) {
    test::TempDir dir;
    dir.Write("T.TRC", "earlier\r\n");
    CNuvLog log;
    ASSERT_EQ(log.Init(dir.Folder(), "T", "TRC", ".BAK", 0), 0);
    EXPECT_EQ(log.CurrentSize(), 9u);
    EXPECT_EQ(log.WriteLine("a\nb\r\nc\n"), 0);
    EXPECT_EQ(dir.Read("T.TRC"), "earlier\r\na\r\nb\r\nc\r\n\r\n");
    EXPECT_EQ(log.ReInit(dir.Folder() + "missing", "T", "TRC", "BAK"), 0);
    EXPECT_EQ(log.WriteLine("lost"), -1001);
    EXPECT_EQ(log.Init(std::string(5000, 'd'), "T", "TRC", "BAK", 0), -1000);
}

TEST(NuvLog, OpenKeepsTheFileOpenAcrossLinesAndRotation) {
    test::TempDir dir;
    CNuvLog log;
    ASSERT_EQ(log.Init(dir.Folder(), "K", "LOG", "OLD", 12), 0);
    ASSERT_EQ(log.Open(), 0);
    EXPECT_EQ(log.WriteLine("1234567"), 0);
    EXPECT_EQ(log.WriteLine("abc"), 0);
    EXPECT_EQ(log.Close(), 0);
    EXPECT_EQ(dir.Read("K.OLD"), "1234567\r\n");
    EXPECT_EQ(dir.Read("K.LOG"), "abc\r\n");
}

TEST(NuvLog, ConcurrentWritersNeverInterleaveLines) {
    test::TempDir dir;
    CNuvLog log;
    ASSERT_EQ(log.Init(dir.Folder(), "C", "LOG", "BAK", 0), 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&log, t] {
            for (int i = 0; i < 200; ++i) {
                log.WriteLine("thread " + std::to_string(t) + " line " + std::to_string(i));
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    const std::vector<std::string> lines = SplitCrLf(dir.Read("C.LOG"));
    ASSERT_EQ(lines.size(), 800u);
    const std::regex shape(R"(thread [0-3] line \d+)");
    for (const std::string& line : lines) {
        EXPECT_TRUE(std::regex_match(line, shape)) << line;
    }
}

// Each trace test starts with the trace off and writing into its own folder.
class TraceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetTraceFolder(dir_.Folder());
        TraceOff();
        std::remove((dir_.Folder() + "NUVTRACE.TRC").c_str());
        SetTraceFolder(dir_.Folder());  // starts counting the size again
        SetTraceHeader("Kelvane", "V 4.5", "- style mode");
    }
    void TearDown() override {
        TraceOff();
        SetTraceFolder("");
    }
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (const std::string& line : SplitCrLf(dir_.Read("NUVTRACE.TRC"))) {
            lines.push_back(Untimed(line));
        }
        return lines;
    }
    test::TempDir dir_;
};

TEST_F(TraceTest, OnWritesTheStartedLinesAndOffTheStoppedLine) {
    EXPECT_EQ(TraceFilePath(), dir_.Folder() + "NUVTRACE.TRC");
    TraceOn(1000);
    TraceOn(20);  // never lowers
    EXPECT_EQ(TraceLevel(), 1000);
    TraceOn(2000);
    TraceOff();
    EXPECT_EQ(TraceLevel(), 0);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"----- Tracing started ----- Kelvane V 4.5 - style mode",
                                        "Trace level = 1000", "Default trace level = 1000",
                                        "New trace level = 2000", "----- Tracing stopped -----"}));
}

TEST_F(TraceTest, OffWhileOffStillWritesStartedThenStopped) {
    TraceOff();
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "Trace level = 1");
    EXPECT_EQ(lines[3], "----- Tracing stopped -----");
    EXPECT_EQ(TraceLevel(), 0);
}

TEST_F(TraceTest, LinesAboveTheLevelAreDroppedAndLevelOneSwitchesOn) {
    EXPECT_EQ(TraceLine(30, true, "while off"), 0);
    EXPECT_EQ(TraceLevel(), 0);
    TraceLine(1, false, "level one");
    EXPECT_EQ(TraceLevel(), 1);
    TraceOn(40);
    TraceFormat(40, true, "%s %d", "kept", 40);
    TraceFormat(41, true, "%s", "dropped");
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[3], "<untimed> level one");
    EXPECT_EQ(lines[5], "kept 40");
    EXPECT_FALSE(TraceWanted(41));
    EXPECT_TRUE(TraceWanted(40));
}

TEST_F(TraceTest, FormattedLinesAreCutAt1999Characters) {
    TraceOn(10);
    TraceFormat(10, false, "%s", std::string(3000, 'w').c_str());
    EXPECT_EQ(Lines().back(), "<untimed> " + std::string(1999, 'w'));
}

TEST_F(TraceTest, WarningSwitchesTheTraceOnAt30) {
    test::CapturingSink sink;
    NUV_WARNING("%s %d", "Careful", 3);
    EXPECT_EQ(TraceLevel(), 30);
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1], "Trace level = 30");
    // The message: short prefix, time with its line feed, then location and line number.
    EXPECT_EQ(lines[3].substr(0, 14), "<untimed> --- ");
    EXPECT_NE(lines[3].find("--- WARNING - "), std::string::npos);
    EXPECT_TRUE(std::regex_match(lines[4], std::regex(R"(<untimed>    \(\d{4}\):: Careful 3)")))
        << lines[4];
    EXPECT_EQ(lines[5], "<untimed> ");  // the message's own line feed, then the line end
    TraceOn(20);                        // a TRACE keyword of 20 after the warning
    EXPECT_EQ(TraceLevel(), 30);
    NUV_INFO("not traced at 30");
    EXPECT_EQ(Lines().size(), 6u);
}

// Sets an environment variable for the life of the object.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
            had_ = true;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (had_) {
            setenv(name_, old_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

TEST_F(TraceTest, UnwritableProgramFolderMovesTheTraceToTheStateFolder) {
    test::TempDir state;
    {
        ScopedEnv home("KELVANE_HOME", "/nonexistent-kelvane-home");
        ScopedEnv xdg("XDG_STATE_HOME", state.Path().string());
        SetTraceFolder("");
        EXPECT_EQ(TraceFilePath(), state.Folder() + "kelvane/NUVTRACE.TRC");
        TraceLine(1, true, "here");
    }
    EXPECT_NE(state.Read("kelvane/NUVTRACE.TRC").find("here\r\n"), std::string::npos);
    {
        ScopedEnv home("KELVANE_HOME", dir_.Path().string());
        SetTraceFolder("");
        EXPECT_EQ(TraceFilePath(), dir_.Folder() + "NUVTRACE.TRC");
    }
    SetTraceFolder(dir_.Folder());
}

}  // namespace
}  // namespace kelvane

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "support/NUVConfig.h"
#include "support/NUVConfigEdit.h"
#include "support/ScopedEnv.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

struct Call {
    std::string keyword;
    std::string value;
    int line;
    char separator;
};

// Reads `text` through the in-memory reader and collects every handler call.
struct Collector {
    std::vector<Call> calls;
    StatusCode stopWith = 0;
    std::string stopAt;

    StatusCode Read(std::string_view text) {
        return ReadConfigText(text, "test.CFG", Handler(), '!', ',');
    }
    ConfigKeywordHandler Handler() {
        return [this](const std::string& k, const std::string& v, const std::string&, int line,
                      char sep) {
            calls.push_back({k, v, line, sep});
            return k == stopAt ? stopWith : 0;
        };
    }
};

class ConfigReader : public ::testing::Test {
  protected:
    void SetUp() override { SetDebugLevel(0); }
    void TearDown() override { SetDebugLevel(1); }
    test::CapturingSink sink;
    Collector collector;
};

TEST_F(ConfigReader, CommentIsCutAndTrailingBlankStays) {
    EXPECT_EQ(collector.Read("  DEBUG  =  0 ! quiet please\r\n"), 0);
    ASSERT_EQ(collector.calls.size(), 1u);
    EXPECT_EQ(collector.calls[0].keyword, "DEBUG");
    EXPECT_EQ(collector.calls[0].value, "0 ");
    EXPECT_EQ(collector.calls[0].line, 1);
    EXPECT_EQ(collector.calls[0].separator, ',');
}

TEST_F(ConfigReader, BlankAndCommentLinesAreSkippedButCounted) {
    EXPECT_EQ(collector.Read("\n   \t ! only a comment\n\t\nMODE=MIDI\n"), 0);
    ASSERT_EQ(collector.calls.size(), 1u);
    EXPECT_EQ(collector.calls[0].line, 4);
    EXPECT_TRUE(sink.boxes.empty());
}

TEST_F(ConfigReader, ValueLosesEverythingFromTheCommentCharacter) {
    collector.Read("START_PATH=/music/a!b/c\nKEY=\tvalue with blanks  \n");
    ASSERT_EQ(collector.calls.size(), 2u);
    EXPECT_EQ(collector.calls[0].value, "/music/a");
    EXPECT_EQ(collector.calls[1].value, "value with blanks  ");
}

TEST_F(ConfigReader, TermCharChangesTheSeparatorForLaterLinesOnly) {
    collector.Read("A=1\nterm_char = ;\nB=2\nTERM_CHAR=|x\nC=3\n");
    ASSERT_EQ(collector.calls.size(), 3u);  // TERM_CHAR never reaches the handler
    EXPECT_EQ(collector.calls[0].separator, ',');
    EXPECT_EQ(collector.calls[1].separator, ';');
    EXPECT_EQ(collector.calls[2].separator, '|');
}

TEST_F(ConfigReader, TermCharWithoutValueStopsWithIllegalData) {
    EXPECT_EQ(collector.Read("A=1\nTERM_CHAR =   ! nothing\nB=2\n"), -222);
    EXPECT_EQ(collector.calls.size(), 1u);
    EXPECT_TRUE(sink.BoxContains("Illegal data in configuration file"));
}

TEST_F(ConfigReader, MissingEqualSignIsReportedWithLineNumberAndReadingGoesOn) {
    EXPECT_EQ(collector.Read("A=1\nDEBUG 0\nB=2\n"), 0);
    ASSERT_EQ(collector.calls.size(), 2u);
    EXPECT_EQ(collector.calls[1].keyword, "B");
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].severity, Severity::Error);
    EXPECT_NE(sink.boxes[0].text.find("Missing equal sign in configuration file - Line nr.  2 "
                                      "test.CFG"),
              std::string::npos);
}

TEST_F(ConfigReader, MissingEqualSignEndsTheProgramWhileDebugLevelIsSet) {
    SetDebugLevel(1);
    collector.Read("NOEQUAL\n");
    EXPECT_EQ(sink.exits, std::vector<int>{1});
}

TEST_F(ConfigReader, KeywordLimitIs49Characters) {
    const std::string k49(49, 'K');
    const std::string k50(50, 'K');
    collector.Read(k49 + "=a\n" + k50 + "=b\n");
    ASSERT_EQ(collector.calls.size(), 1u);
    EXPECT_EQ(collector.calls[0].keyword, k49);
    EXPECT_TRUE(sink.BoxContains("Missing equal sign"));
}

TEST_F(ConfigReader, LineLengthLimitIs1996CharactersBeforeCrLf) {
    const std::string fits = "K=" + std::string(1994, 'v');     // 1996 characters
    const std::string tooLong = "L=" + std::string(1995, 'v');  // 1997 characters
    EXPECT_EQ(collector.Read(fits + "\r\n" + tooLong + "\r\nM=after\r\n"), 0);
    ASSERT_EQ(collector.calls.size(), 2u);
    EXPECT_EQ(collector.calls[0].value.size(), 1994u);
    EXPECT_EQ(collector.calls[1].keyword, "M");
    EXPECT_EQ(collector.calls[1].line, 3);
    EXPECT_TRUE(sink.BoxContains("Line in cfg file too long 2 test.CFG"));
}

TEST_F(ConfigReader, HugeLineIsDroppedAndTheFollowingLinesAreRead) {
    const std::string huge = "K=" + std::string(100000, 'x');
    EXPECT_EQ(collector.Read("A=1\n" + huge + "\nB=2"), 0);
    ASSERT_EQ(collector.calls.size(), 2u);
    EXPECT_EQ(collector.calls[1].keyword, "B");
    EXPECT_EQ(collector.calls[1].line, 3);
}

TEST_F(ConfigReader, LastLineWithoutLineFeedAndEndMarksAreHandled) {
    collector.Read("A=1\r\r\nB=2\x1a");
    ASSERT_EQ(collector.calls.size(), 2u);
    EXPECT_EQ(collector.calls[0].value, "1");
    EXPECT_EQ(collector.calls[1].value, "2");
}

TEST_F(ConfigReader, NulByteEndsTheUsefulPartOfTheLine) {
    collector.Read(std::string("A=abc\0def\nB=2\n", 14));
    ASSERT_EQ(collector.calls.size(), 2u);
    EXPECT_EQ(collector.calls[0].value, "abc");
    EXPECT_EQ(collector.calls[1].value, "2");
}

TEST_F(ConfigReader, HandlerStatusStopsTheReading) {
    collector.stopAt = "STOP";
    collector.stopWith = -13600;
    EXPECT_EQ(collector.Read("A=1\nSTOP=x\nB=2\n"), -13600);
    EXPECT_EQ(collector.calls.size(), 2u);
}

TEST_F(ConfigReader, BinaryGarbageGivesMessagesAndNothingWorse) {
    std::string garbage;
    for (int i = 0; i < 5000; ++i) {
        garbage.push_back(static_cast<char>((i * 7919 + 13) % 256));
    }
    EXPECT_EQ(collector.Read(garbage), 0);
    EXPECT_FALSE(sink.console.empty());
}

TEST_F(ConfigReader, FileReaderMatchesMemoryReader) {
    test::TempDir dir;
    const std::string text = "! header\nA = 1 \nTERM_CHAR=;\nB=x;y\n";
    const std::string path = dir.Write("kelvane.CFG", text);
    Collector fromFile;
    EXPECT_EQ(ReadConfigFile(path, fromFile.Handler(), '!', ','), 0);
    collector.Read(text);
    ASSERT_EQ(fromFile.calls.size(), collector.calls.size());
    for (std::size_t i = 0; i < collector.calls.size(); ++i) {
        EXPECT_EQ(fromFile.calls[i].value, collector.calls[i].value);
        EXPECT_EQ(fromFile.calls[i].separator, collector.calls[i].separator);
    }
}

TEST_F(ConfigReader, MissingFileAndFolderAreReported) {
    test::TempDir dir;
    EXPECT_EQ(ReadConfigFile(dir.Folder() + "none.CFG", collector.Handler(), '!', ','), -220);
    EXPECT_TRUE(sink.BoxContains("Configuration file not found"));
    EXPECT_EQ(ReadConfigFile(dir.Folder(), collector.Handler(), '!', ','), -221);
    EXPECT_TRUE(sink.BoxContains("Error opening configuration file"));
}

TEST(GetNextField, SplitsAtTheSeparatorKeepingTrailingBlanks) {
    std::string field;
    const std::string text = "  ROCK , Rock,,  Slow Rock  ";
    std::size_t pos = GetNextField(text, 0, field, ',');
    EXPECT_EQ(field, "ROCK ");
    pos = GetNextField(text, pos, field, ',');
    EXPECT_EQ(field, "Rock");
    pos = GetNextField(text, pos, field, ',');
    EXPECT_EQ(field, "");
    pos = GetNextField(text, pos, field, ',');
    EXPECT_EQ(field, "Slow Rock  ");
    EXPECT_EQ(pos, text.size());
    pos = GetNextField(text, pos, field, ',');
    EXPECT_EQ(field, "");
    EXPECT_EQ(pos, text.size());
    EXPECT_EQ(GetNextField(" ;x", 0, field, ';'), 2u);  // a leading separator: empty field
    EXPECT_EQ(field, "");
}

TEST(GetNextField, LongFieldIsCutAndTheRestSkippedToTheSeparator) {
    std::string field;
    const std::string text = "abcdefgh,next";
    const std::size_t pos = GetNextField(text, 0, field, 4, ',');
    EXPECT_EQ(field, "abc");
    EXPECT_EQ(text.substr(pos), "next");
}

TEST(GetNextField, BlankAndTabSeparatorsStopAtEitherAndSkipToTheNextWord) {
    std::string field;
    const std::string text = "My\t  Styles folder";
    std::size_t pos = GetNextField(text, 0, field, ' ');
    EXPECT_EQ(field, "My");
    EXPECT_EQ(text.substr(pos), "Styles folder");
    pos = GetNextField(text, pos, field, '\t');
    EXPECT_EQ(field, "Styles");
    EXPECT_EQ(text.substr(pos), "folder");
}

TEST(FolderTexts, TrimAndTrailingSlashRules) {
    std::string text = " \t a b \t";
    EXPECT_EQ(TrimBlanks(text), 0);
    EXPECT_EQ(text, "a b");

    std::string path = "  /music/styles ";
    EnsureTrailingBackslash(path);
    EXPECT_EQ(path, "/music/styles/");
    EnsureTrailingBackslash(path);
    EXPECT_EQ(path, "/music/styles/");

    NormaliseFolder(path);
    EXPECT_EQ(path, "/music/styles");
    NormaliseFolder(path);
    EXPECT_EQ(path, "/music/styles");
    std::string root = " / ";
    NormaliseFolder(root);
    EXPECT_EQ(root, "/");
}

using test::ScopedEnv;

std::string WaitForFile(const test::TempDir& dir, const std::string& name) {
    for (int i = 0; i < 500; ++i) {
        std::string bytes = dir.Read(name);
        if (bytes.find("END") != std::string::npos) {
            return bytes;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

TEST(OpenInEditor, PathReachesTheEditorAsOneArgumentWithoutAShell) {
    test::TempDir dir;
    const std::string out = dir.Folder() + "args.txt";
    const std::string script =
        dir.Write("editor.sh", "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > '" +
                                   out + "'\necho END >> '" + out + "'\n");
    ASSERT_EQ(chmod(script.c_str(), 0755), 0);
    ScopedEnv visual("VISUAL", (script + " --wait").c_str());
    const std::string path = dir.Folder() + "my file; $(touch hacked).CFG";
    EXPECT_EQ(OpenInEditor(path), 0);
    EXPECT_EQ(WaitForFile(dir, "args.txt"), "[--wait]\n[" + path + "]\nEND\n");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "hacked"));
}

TEST(OpenInEditor, FallsBackFromVisualToEditorToXdgOpen) {
    ScopedEnv visual("VISUAL", nullptr);
    {
        ScopedEnv editor("EDITOR", "  ");
        EXPECT_EQ(EditorCommand("/a b"), (std::vector<std::string>{"xdg-open", "/a b"}));
    }
    ScopedEnv editor("EDITOR", "nano -w");
    EXPECT_EQ(EditorCommand("/a b"), (std::vector<std::string>{"nano", "-w", "/a b"}));
}

TEST(OpenInEditor, EditorThatCannotStartIsReported) {
    ScopedEnv visual("VISUAL", "/nonexistent/editor-program");
    EXPECT_EQ(OpenInEditor("/tmp/x.CFG"), -200);
}

TEST(OpenInEditor, ProgramConfigFileIsOpenedFromTheProgramFolder) {
    test::TempDir dir;
    const std::string out = dir.Folder() + "args.txt";
    const std::string script = dir.Write("editor.sh", "#!/bin/sh\nprintf '%s\\n' \"$1\" > '" + out +
                                                          "'\necho END >> '" + out + "'\n");
    ASSERT_EQ(chmod(script.c_str(), 0755), 0);
    ScopedEnv visual("VISUAL", script.c_str());
    ScopedEnv home("KELVANE_HOME", dir.Folder().c_str());
    EXPECT_EQ(EditProgramConfigFile(), 0);
    EXPECT_EQ(WaitForFile(dir, "args.txt"), dir.Folder() + "kelvane.CFG\nEND\n");
    std::filesystem::remove(out);
    EXPECT_EQ(EditFileOnExePath("ZOL_deu", "lan"), 0);
    EXPECT_EQ(WaitForFile(dir, "args.txt"), dir.Folder() + "ZOL_deu.lan\nEND\n");
}

}  // namespace
}  // namespace kelvane

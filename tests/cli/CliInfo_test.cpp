// kelvane-cli info, run as a program: its output lines, its messages and its exit status.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "support/NUVCrc32.h"
#include "support/NUVFormat.h"
#include "support/StyleFileBuilder.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

struct CliRun {
    int status = -1;
    std::vector<std::string> out;
    std::string err;
};

class CliInfoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A program folder of our own: the supplied configuration files and one keyboard.
        for (const char* name : {"kelvane.CFG", "kelvane.CFA", "kelvane.CFM"}) {
            home.Write(name, test::ReadFileBytes(test::SourceDir() / "data" / name));
        }
        home.Write("test.kby", "KBD_NAME = Testboard\nKBD_ID = 77\nKBD_STYLE = Walk ; 5\n");
    }

    CliRun Info(const std::string& arguments) {
        const std::string command = "KELVANE_HOME='" + home.Folder() + "' KELVANE_SETTINGS='" +
                                    files.Folder() + "settings.ini' " KELVANE_CLI_PATH " info " +
                                    arguments + " 2>'" + files.Folder() + "err.txt'";
        CliRun run;
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) {
            return run;
        }
        std::string text;
        char chunk[4096];
        for (size_t n; (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
            text.append(chunk, n);
        }
        const int status = pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            run.out.push_back(line);
        }
        run.err = files.Read("err.txt");
        return run;
    }

    test::TempDir home;
    test::TempDir files;
};

TEST_F(CliInfoTest, StyleFilePrintsItsRecordAndSongs) {
    const std::string path = files.Write(
        "Bossa 2.prs", test::StyleFileBuilder(test::StyleMidi({"SFF1", "SInt", "Main A"}))
                           .Casm("c")
                           .Mdb({{.tempo = 461538, .title = "Wave", .genre = "Latin"}})
                           .Bytes());
    const CliRun run = Info("'" + path + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    ASSERT_GT(run.out.size(), 30u);
    EXPECT_EQ(run.out[0], "FILE=" + path);
    uint32_t crc = 0;
    NUVCalcCRC32ofFile(path, crc);
    EXPECT_EQ(std::vector<std::string>(run.out.begin() + 1, run.out.begin() + 4),
              (std::vector<std::string>{StrFormat("FILE_ID=%d", static_cast<int32_t>(crc)),
                                        "L_PATH=" + files.Folder(), "L_FILENAME=Bossa 2.prs"}));
    for (const char* line :
         {"STYLE_TYPE=Latin", "STYLE_SUBTYPE=Bossa Nova", "ERRORS=-", "VARIATIONS=1M 0I 0E 0F 0B",
          "CASM=Y", "OTS=N", "MDB=Y 1", "STYLEFILE_TYPE=Professional", "SFF=1",
          "SONG.1.SONG_TITLE=Wave", "SONG.1.TEMPO=130", "SONG.1.SONG_STATUS=1"}) {
        EXPECT_THAT(run.out, Contains(line));
    }
    EXPECT_THAT(run.out, Not(Contains(StartsWith("UNUSED="))));
    EXPECT_THAT(run.out, Not(Contains(StartsWith("SONG.1.L_PATH="))));
    EXPECT_THAT(run.out, Not(Contains(StartsWith("EXTENDED="))));
}

TEST_F(CliInfoTest, MidiModeUsesTheMidiFieldsAndTheKeyboardData) {
    test::SmfBuilder smf(1, 96);
    smf.AddTrack().TrackName(0, "Tune").Sysex(
        0, test::Bytes({0x43, 0x73, 0x4D, 0x11, 0x00, 0x16, 0x00, 0x05, 0xF7}));
    const std::string path = files.Write("tune.mid", smf.Bytes());
    const CliRun run = Info("-m --extended " + path);
    EXPECT_EQ(run.status, 0) << run.err;
    for (const char* line : {"MIDI_INFO=Tune", "KEYBOARD=Testboard", "STYLE_USED=Walk",
                             "MIDI_TYPE=1", "TRACKS=1", "ANALYSER=20", "EXTENDED=Nr of tracks : 1",
                             "EXTENDED=---------------------------------------"}) {
        EXPECT_THAT(run.out, Contains(line));
    }
    EXPECT_THAT(run.out, Not(Contains(StartsWith("VARIATIONS="))));
}

TEST_F(CliInfoTest, UnreadableFilesGiveStatusTwoAndTheOthersArePrinted) {
    const std::string good = files.Write("a.sty", test::StyleMidi({"SFF1"}).Bytes());
    const CliRun run = Info("'" + files.Folder() + "missing.sty' " + good + " " + files.Folder());
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr("missing.sty"));
    EXPECT_THAT(run.out, Contains("FILE=" + good));
    EXPECT_THAT(run.out, Not(Contains(HasSubstr("missing"))));
    EXPECT_EQ(Info("--bogus a.sty").status, 2);
    EXPECT_EQ(Info("").status, 2);
}

}  // namespace
}  // namespace kelvane

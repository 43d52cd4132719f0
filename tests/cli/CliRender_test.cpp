// kelvane-cli render, run as a program: the WAV files it writes, its result line, and its
// exit status and message for each kind of failure.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "audition/AuditionTestFiles.h"
#include "cli/CliRunner.h"
#include "support/StyleFileBuilder.h"

namespace kelvane {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class CliRenderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        style_ =
            files_.Write("Bossa.sty", test::SectionStyleBytes({"Intro A", "Main A", "Main B"}));
        song_ = files_.Write("tempo.mid", test::TempoChangeSongBytes());
        out_ = files_.Folder() + "out.wav";
    }
    test::CliResult Render(std::vector<std::string> args) {
        args.insert(args.begin(), "render");
        return cli_.Run(args);
    }

    test::CliRunner cli_;
    test::TempDir files_;
    std::string style_;
    std::string song_;
    std::string out_;
};

TEST_F(CliRenderTest, WritesTheSectionOrSongAndSaysHowLong) {
    const std::string soundFont = test::TestSoundFont();
    if (soundFont.empty()) {
        GTEST_SKIP() << "no SoundFont on this machine (timgm6mb-soundfont)";
    }
    test::CliResult run = Render({style_, "--section", "Main B", "--output", out_});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "rendered Bossa.sty Main B: 2.00 s\n");  // one pass by default
    test::WavFacts wav = test::ReadWav(out_);
    ASSERT_TRUE(wav.valid);
    EXPECT_EQ(wav.sampleRate, 44100);
    EXPECT_EQ(wav.channels, 2);
    EXPECT_EQ(wav.frames, 2 * 44100);
    EXPECT_GT(wav.Rms(0, wav.frames), 0.005);

    // The first Main, looping, with the test's SoundFont named.
    run = Render({style_, "--seconds=7.5", "--soundfont", soundFont, "--output", out_});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "rendered Bossa.sty Main A: 7.50 s\n");
    EXPECT_NEAR(test::ReadWav(out_).Seconds(), 7.5, 7.5 * 0.02);

    run = Render({"-m", song_, "--soundfont=" + soundFont, "--output", out_});  // under 30 s
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "rendered tempo.mid: 1.50 s\n");
    EXPECT_TRUE(run.err.empty()) << run.err;
}

TEST_F(CliRenderTest, FailuresExitWithTheirMessage) {
    const std::string empty = files_.Write("empty.sty", "");
    const std::string plain = files_.Write("plain.sty", test::StyleMidi({"SFF1"}).Bytes());
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{}, 2, "no FILE"},
        {{style_}, 2, "no --output file"},
        {{style_, "--output"}, 2, "--output wants a value"},
        {{style_, "--seconds", "0", "--output", out_}, 2, "--seconds wants a number"},
        {{style_, "--seconds", "3601", "--output", out_}, 2, "--seconds wants a number"},
        {{style_, "--loud", "--output", out_}, 2, "unknown option '--loud'"},
        {{"-m", song_, "--section", "Main A", "--output", out_}, 2, "--section is for style"},
        {{style_, "--output", files_.Folder() + "./Bossa.sty"}, 2, "names FILE itself"},
        {{files_.Folder() + "missing.sty", "--output", out_}, 1, "cannot be read"},
        {{empty, "--output", out_}, 1, "holds no MIDI data"},
        {{plain, "--output", out_}, 1, "has no sections"},
        {{style_, "--section", "Ending B", "--output", out_}, 1, "has no section \"Ending B\""},
        {{style_, "--soundfont", files_.Folder() + "none.sf2", "--output", out_},
         1,
         "none.sf2 cannot be loaded"},
    };
    for (const Case& c : cases) {
        const test::CliResult run = Render(c.args);
        EXPECT_EQ(run.status, c.status) << c.message;
        EXPECT_THAT(run.err, StartsWith("kelvane-cli render: "));
        EXPECT_THAT(run.err, HasSubstr(c.message));
        EXPECT_TRUE(run.out.empty());
        EXPECT_FALSE(std::filesystem::exists(out_)) << c.message;
    }
}

}  // namespace
}  // namespace kelvane

// Sound from the audition: rendered WAV files have the asked length and are not silent, a
// song lasts as its tempo map says, both rhythm channels are drum kits, and every Main
// section of the real style files renders. These need a SoundFont and skip without one.
#include <gtest/gtest.h>

#include <bitset>
#include <filesystem>

#include "audition/AuditionProgram.h"
#include "audition/AuditionSynth.h"
#include "audition/AuditionTestFiles.h"
#include "audition/EventCursor.h"
#include "audition/OfflineRender.h"

namespace kelvane {
namespace {

class AuditionRenderTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        const std::string path = test::TestSoundFont();
        if (path.empty()) {
            return;
        }
        synth_ = new AuditionSynth;
        std::string problem;
        EXPECT_TRUE(synth_->LoadSoundFont(path, problem)) << problem;
    }
    static void TearDownTestSuite() {
        delete synth_;
        synth_ = nullptr;
    }
    void SetUp() override {
        if (synth_ == nullptr) {
            GTEST_SKIP() << "no SoundFont on this machine (timgm6mb-soundfont)";
        }
    }

    // Renders the request for at most `seconds` (0: one pass); the WAV read back.
    test::WavFacts Render(const AuditionRequest& request, double seconds) {
        auto program = std::make_shared<AuditionProgram>();
        std::string problem;
        EXPECT_TRUE(LoadAuditionProgram(request, *program, problem)) << problem;
        const std::string out = dir_.Folder() + "out.wav";
        int64_t frames = 0;
        const int64_t end = seconds > 0 ? int64_t(seconds * 1e6) : program->passMicroseconds;
        EXPECT_TRUE(RenderToWav(*synth_, program, end, out, frames, problem)) << problem;
        test::WavFacts wav = test::ReadWav(out);
        EXPECT_EQ(wav.frames, frames);
        return wav;
    }

    static AuditionSynth* synth_;
    test::TempDir dir_;
};

AuditionSynth* AuditionRenderTest::synth_ = nullptr;

// One pass of the program as the cursor gives it.
std::vector<TimedEvent> Walk(const AuditionProgram& program) {
    EventCursor cursor(program, program.passMicroseconds);
    std::vector<TimedEvent> events;
    int64_t last = 0;
    for (TimedEvent e; cursor.Next(e);) {
        EXPECT_GE(e.microseconds, last);
        last = e.microseconds;
        events.push_back(e);
    }
    return events;
}

// The notes of one pass still sounding at its end (the cursor adds their note-offs).
size_t HeldAtTheEnd(const AuditionProgram& program) {
    std::bitset<16 * 128> sounding;
    for (const TimedEvent& e : program.body) {
        if (e.IsNoteOn()) {
            sounding.set(size_t(e.Channel()) * 128 + e.data1);
        } else if (e.IsNoteOff()) {
            sounding.reset(size_t(e.Channel()) * 128 + e.data1);
        }
    }
    return sounding.count();
}

TEST_F(AuditionRenderTest, LoopingSectionFillsTheAskedSecondsWithSound) {
    const std::string style =
        dir_.Write("s.sty", test::SectionStyleBytes({"Intro A", "Main A", "Ending A"}));
    const test::WavFacts wav = Render({style, false, "Main A"}, 5.0);
    ASSERT_TRUE(wav.valid);
    EXPECT_EQ(wav.sampleRate, 44100);
    EXPECT_EQ(wav.channels, 2);
    EXPECT_NEAR(wav.Seconds(), 5.0, 5.0 * 0.02);
    // The third pass plays its first note (4.0 .. 4.5 s) as the first pass did.
    EXPECT_GT(wav.Rms(0, 22050), 0.005);
    EXPECT_GT(wav.Rms(4 * 44100, 4 * 44100 + 22050), 0.005);
    // A section that plays once stops at its end, however long was asked.
    EXPECT_NEAR(Render({style, false, "Ending A"}, 5.0).Seconds(), 2.0, 2.0 * 0.02);
}

TEST_F(AuditionRenderTest, SongLastsAsItsTempoMapSays) {
    const std::string song = dir_.Write("t.mid", test::TempoChangeSongBytes());
    const test::WavFacts wav = Render({song, true, ""}, 30.0);
    ASSERT_TRUE(wav.valid);
    EXPECT_NEAR(wav.Seconds(), 1.5, 1.5 * 0.02);
    EXPECT_GT(wav.Rms(0, wav.frames), 0.005);
    EXPECT_NEAR(Render({song, true, ""}, 0.5).Seconds(), 0.5, 0.5 * 0.02);
}

TEST_F(AuditionRenderTest, BothRhythmChannelsOfAStylePlayDrumKits) {
    synth_->Reset({8, 9});
    EXPECT_EQ(synth_->ChannelBank(8), 128);
    EXPECT_EQ(synth_->ChannelBank(9), 128);
    EXPECT_EQ(synth_->ChannelBank(7), 0);
    // A style's own reset message (GM system on, in its set-up) keeps them kits.
    AuditionProgram reset;
    reset.payload = {0x7E, 0x7F, 0x09, 0x01};
    synth_->Send(TimedEvent{0, 0, 4, MidiEvent::kSysex, 0, 0}, reset.payload);
    EXPECT_EQ(synth_->ChannelBank(8), 128);
    synth_->Reset({9});  // a song: channel 9 (from 1) is melodic again
    EXPECT_EQ(synth_->ChannelBank(8), 0);
    EXPECT_EQ(synth_->ChannelBank(9), 128);
}

TEST_F(AuditionRenderTest, UnwritableOutputGivesItsMessageAndLeavesNoFile) {
    auto program = std::make_shared<AuditionProgram>();
    program->passMicroseconds = 1'000'000;
    int64_t frames = 0;
    std::string problem;
    EXPECT_FALSE(RenderToWav(*synth_, program, 1'000'000, dir_.Folder() + "no/such/folder/x.wav",
                             frames, problem));
    EXPECT_NE(problem.find("could not be written"), std::string::npos);
    EXPECT_FALSE(RenderToWav(*synth_, program, 1'000'000, dir_.Folder() + "x.wav", frames, problem,
                             [] { return true; }));
    EXPECT_TRUE(problem.empty());
    EXPECT_FALSE(std::filesystem::exists(dir_.Folder() + "x.wav"));
}

TEST_F(AuditionRenderTest, EveryMainSectionOfTheRealStylesRenders) {
    const std::filesystem::path corpus = test::StyleCorpusDir();
    if (corpus.empty()) {
        GTEST_SKIP() << "no style corpus beside the checkout (../shared/corpus/styles)";
    }
    int rendered = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
        if (!entry.is_regular_file() || entry.path().extension() == ".txt") {
            continue;
        }
        std::vector<std::string> names;
        std::string problem;
        if (!ListAuditionSections(entry.path().string(), names, problem)) {
            EXPECT_NE(problem.find("has no sections"), std::string::npos) << entry.path();
            continue;
        }
        for (const std::string& name : names) {
            if (name.starts_with("Main")) {
                SCOPED_TRACE(entry.path().string() + " " + name);
                // The whole pass as a stream; its first seconds as sound.
                AuditionProgram program;
                ASSERT_TRUE(
                    LoadAuditionProgram({entry.path().string(), false, name}, program, problem))
                    << problem;
                EXPECT_TRUE(program.warning.empty()) << program.warning;
                EXPECT_GT(program.passMicroseconds, 500'000);
                EXPECT_EQ(Walk(program).size(),
                          program.setup.size() + program.body.size() + HeldAtTheEnd(program));
                const test::WavFacts wav = Render({entry.path().string(), false, name}, 2.0);
                EXPECT_NEAR(wav.Seconds(), 2.0, 0.04);
                EXPECT_GT(wav.Rms(0, wav.frames), 0.001);
                ++rendered;
            }
        }
    }
    EXPECT_GT(rendered, 100);
}

}  // namespace
}  // namespace kelvane

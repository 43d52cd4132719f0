// The real-time player without a display or a sound card: an output pulled by hand stands in
// for the audio thread. Switching files, stopping, tempo, the end of a song, and the states
// without SoundFont or audio device.
#include "audition/AuditionPlayer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "audition/AuditionTestFiles.h"

namespace kelvane {
namespace {

// The audio thread, pulled by the test.
class PulledOutput final : public AudioOutput {
  public:
    explicit PulledOutput(bool opens = true) : opens_(opens) {}
    bool Open(RenderFn render) override {
        if (opens_) {
            render_ = std::move(render);
        }
        return opens_;
    }
    void Close() override { render_ = nullptr; }
    std::string Name() const override { return render_ ? "pulled" : ""; }

    // Pulls `seconds` of sound in 512-frame buffers; its level (root mean square).
    static double Pull(AudioOutput* output, double seconds) {
        auto* self = static_cast<PulledOutput*>(output);
        double sum = 0;
        int64_t count = 0;
        for (int64_t done = 0; done < int64_t(seconds * 44100); done += 512) {
            std::vector<float> left(512), right(512);
            self->render_(left.data(), right.data(), 512);
            for (int i = 0; i < 512; ++i) {
                sum += double(left[i]) * left[i] + double(right[i]) * right[i];
            }
            count += 1024;
        }
        return std::sqrt(sum / double(std::max<int64_t>(count, 1)));
    }

  private:
    bool opens_;
    RenderFn render_;
};

class AuditionPlayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        soundFont_ = test::TestSoundFont();
        if (soundFont_.empty()) {
            GTEST_SKIP() << "no SoundFont on this machine (timgm6mb-soundfont)";
        }
        style_ = dir_.Write("s.sty", test::SectionStyleBytes({"Intro A", "Main A", "Main B"}));
        song_ = dir_.Write("t.mid", test::TempoChangeSongBytes());
    }
    std::unique_ptr<AuditionPlayer> MakePlayer(bool opens = true) {
        auto output = std::make_unique<PulledOutput>(opens);
        output_ = output.get();
        return std::make_unique<AuditionPlayer>(AuditionPlayerOptions{soundFont_, {}},
                                                std::move(output));
    }

    test::TempDir dir_;
    std::string soundFont_;
    std::string style_;
    std::string song_;
    AudioOutput* output_ = nullptr;
};

TEST_F(AuditionPlayerTest, PlaysSwitchesFilesAndStops) {
    auto player = MakePlayer();
    std::string problem;
    ASSERT_TRUE(player->Play({style_, false, "Main B"}, problem)) << problem;  // while loading
    ASSERT_TRUE(player->WaitUntilReady());
    EXPECT_GT(PulledOutput::Pull(output_, 2.5), 0.001);
    AuditionPosition at = player->Position();
    EXPECT_EQ(at.state, AuditionState::kPlaying);
    EXPECT_EQ(at.name, "Main B");
    EXPECT_TRUE(at.loops);
    EXPECT_EQ(at.pass, 2);  // looped once
    EXPECT_NEAR(double(at.microseconds), 2.5e6, 0.05e6);

    ASSERT_TRUE(player->Play({song_, true, ""}, problem)) << problem;
    EXPECT_GT(player->Position().playId, at.playId);
    player->SetTempo(2.0);
    PulledOutput::Pull(output_, 0.5);
    at = player->Position();
    EXPECT_EQ(at.name, "t.mid");
    EXPECT_NEAR(double(at.microseconds), 1.0e6, 0.05e6);  // twice as fast
    PulledOutput::Pull(output_, 0.5);
    EXPECT_EQ(player->State(), AuditionState::kIdle);  // the song ended

    player->SetTempo(1.0);
    ASSERT_TRUE(player->Play({style_, false, "Main A"}, problem));
    PulledOutput::Pull(output_, 0.2);
    player->Stop();
    EXPECT_EQ(player->State(), AuditionState::kIdle);
    PulledOutput::Pull(output_, 2.0);  // release tails fade
    EXPECT_LT(PulledOutput::Pull(output_, 0.5), 1e-4);
    EXPECT_EQ(player->Position().framesRendered, 0);
}

TEST_F(AuditionPlayerTest, FileThatCannotPlayStopsTheSoundWithItsMessage) {
    auto player = MakePlayer();
    std::string problem;
    ASSERT_TRUE(player->WaitUntilReady());
    ASSERT_TRUE(player->Play({style_, false, "Main A"}, problem));
    PulledOutput::Pull(output_, 0.2);
    EXPECT_FALSE(player->Play({dir_.Write("empty.sty", ""), false, ""}, problem));
    EXPECT_NE(problem.find("holds no MIDI data"), std::string::npos);
    EXPECT_FALSE(player->Play({style_, false, "Break"}, problem));
    EXPECT_NE(problem.find("has no section"), std::string::npos);
    EXPECT_EQ(player->State(), AuditionState::kIdle);
}

TEST_F(AuditionPlayerTest, WithoutSoundFontOrDeviceThePlayerSaysSoOnce) {
    test::TempDir empty;
    AuditionPlayer noFont(AuditionPlayerOptions{"", {empty.Folder()}},
                          std::make_unique<PulledOutput>());
    std::string problem;
    EXPECT_FALSE(noFont.WaitUntilReady());
    EXPECT_EQ(noFont.State(), AuditionState::kNoSoundFont);
    EXPECT_FALSE(noFont.Play({style_, false, ""}, problem));
    EXPECT_NE(problem.find("No SoundFont"), std::string::npos);
    EXPECT_EQ(problem, noFont.StatusText());

    auto noDevice = MakePlayer(false);
    EXPECT_FALSE(noDevice->WaitUntilReady());
    EXPECT_EQ(noDevice->State(), AuditionState::kNoAudioDevice);
    EXPECT_FALSE(noDevice->Play({style_, false, ""}, problem));
    EXPECT_NE(problem.find("No audio device"), std::string::npos);

    // FluidSynth's drivers: one the build does not have is skipped, none opens.
    AuditionPlayer noDriver(AuditionPlayerOptions{soundFont_, {}},
                            MakeDeviceOutput({{"no-such-driver"}, {}}));
    EXPECT_FALSE(noDriver.WaitUntilReady());
    EXPECT_EQ(noDriver.State(), AuditionState::kNoAudioDevice);
}

TEST_F(AuditionPlayerTest, FluidSynthDriverThreadRendersThePlay) {
    // ALSA's null device takes sound as fast as it comes: a real driver thread, no card.
    AuditionPlayer player(AuditionPlayerOptions{soundFont_, {}},
                          MakeDeviceOutput({{"alsa"}, {{"audio.alsa.device", "null"}}}));
    if (!player.WaitUntilReady()) {
        GTEST_SKIP() << "ALSA's null device does not open here";
    }
    std::string problem;
    ASSERT_TRUE(player.Play({style_, false, "Main A"}, problem)) << problem;
    const uint64_t id = player.Position().playId;
    for (int i = 0; i < 20000 && player.Position().framesRendered == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_GT(player.Position().framesRendered, 0);
    EXPECT_EQ(player.Position().playId, id);
    player.Stop();
}

}  // namespace
}  // namespace kelvane

// Elapsed time, unrealistic pauses and progress of the MIDI reader.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "analysis/MidiRecorder.h"
#include "support/SmfBuilder.h"

namespace kelvane {
namespace {

using test::MidiRecorder;
using test::SmfBuilder;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(MidiReadTime, LongTracksWithTempoChangesDoNotDrift) {
    constexpr int kDivision = 96;
    std::mt19937 random(7);
    SmfBuilder smf(1, kDivision);
    test::TrackBuilder& track = smf.AddTrack();
    uint32_t tempo = 500000;
    // Exact: the sum of tempo x delta over division x 1000, rounded down once at the end.
    __int128 exactNumerator = 0;
    int64_t ticks = 0;
    for (int i = 0; i < 20000; ++i) {
        const uint32_t delta = random() % 700;
        exactNumerator += __int128(tempo) * delta;
        ticks += delta;
        if (i % 1000 == 999) {
            tempo = 300000 + random() % 400001;
            track.Tempo(delta, tempo);
        } else {
            track.NoteOn(delta, 0, 60, i % 2 == 0 ? 100 : 0);
        }
    }
    // The second track runs on at the tempo the first one left.
    smf.AddTrack().NoteOn(96000, 1, 60, 1);
    MidiRecorder r;
    ASSERT_EQ(r.ReadBytes(smf.Bytes()), 1);
    ASSERT_EQ(r.trackMs.size(), 2u);
    EXPECT_EQ(r.trackMs[0], int64_t(exactNumerator / (kDivision * 1000)));
    EXPECT_EQ(r.trackTicks[0], ticks);
    EXPECT_EQ(r.trackMs[1], int64_t(tempo) * 96000 / (kDivision * 1000));
}

TEST(MidiReadTime, SmpteDivisionCountsFramesNotQuarters) {
    // 25 frames per second, 40 ticks per frame: one tick is one millisecond at any tempo.
    SmfBuilder smf(1, 0xE728);
    smf.AddTrack().Tempo(0, 250000).NoteOn(12345, 0, 60, 1);
    MidiRecorder r;
    ASSERT_EQ(r.ReadBytes(smf.Bytes()), 1);
    EXPECT_THAT(r.trackMs, ElementsAre(12345));
}

TEST(MidiReadTime, DivisionZeroGivesNoTimeAndNoFault) {
    SmfBuilder smf(1, 0);
    smf.AddTrack().NoteOn(5000, 0, 60, 1);
    MidiRecorder r;
    ASSERT_EQ(r.ReadBytes(smf.Bytes()), 1);
    EXPECT_THAT(r.trackMs, ElementsAre(0));
    EXPECT_THAT(r.trackTicks, ElementsAre(5000));
}

TEST(MidiReadTime, HugeDeltaIsALargePauseThatEndsOnlyItsTrack) {
    SmfBuilder smf(1, 96);
    smf.AddTrack().NoteOn(0, 0, 60, 1).NoteOn(0x0FFFFFFF, 0, 61, 1).NoteOn(0, 0, 62, 1);
    smf.AddTrack().NoteOn(0, 1, 70, 1);
    MidiRecorder r;
    ASSERT_EQ(r.ReadBytes(smf.Bytes()), 1);
    ASSERT_THAT(r.warnings.size(), 1u);
    EXPECT_EQ(r.warnings[0].text, "Unrealistic large pause found");
    EXPECT_EQ(r.warnings[0].position, 14 + 8 + 4);  // the delta time
    EXPECT_THAT(r.Lines("NoteOn"), ElementsAre("NoteOn 0 60 1", "NoteOn 1 70 1"));
    // A stopped track gets no end callback.
    EXPECT_THAT(r.Lines("TrackEnd"), ElementsAre("TrackEnd 2"));
    EXPECT_THAT(r.errors, IsEmpty());
}

TEST(MidiReadTime, PauseOfAnHourCountsWholeMillisecondsPerTickOnly) {
    // Division 1 at 500,000 us: 500 ms per tick. 7999 ticks count as 500 x 7 = 3500 s,
    // 8000 ticks as 4000 s: an unrealistic pause.
    for (auto [delta, pause] : {std::pair{7999u, false}, std::pair{8000u, true}}) {
        SmfBuilder smf(1, 1);
        smf.AddTrack().NoteOn(delta, 0, 60, 1);
        MidiRecorder r;
        ASSERT_EQ(r.ReadBytes(smf.Bytes()), 1);
        EXPECT_EQ(r.warnings.size(), pause ? 1u : 0u) << delta;
        EXPECT_EQ(r.Lines("NoteOn").size(), pause ? 0u : 1u) << delta;
    }
    // Just below 1000000H ticks, a fine division makes no whole millisecond per tick and the
    // tick limit alone decides.
    SmfBuilder fine(1, 960);
    fine.AddTrack().NoteOn(0xFFFFFF, 0, 60, 1);
    MidiRecorder r;
    ASSERT_EQ(r.ReadBytes(fine.Bytes()), 1);
    EXPECT_THAT(r.warnings, IsEmpty());
    EXPECT_THAT(r.trackMs, ElementsAre(int64_t(0xFFFFFF) * 500000 / 960000));
}

TEST(MidiReadTime, ProgressRisesStrictlyAndEndsAtHundred) {
    SmfBuilder smf(1, 96);
    test::TrackBuilder& track = smf.AddTrack();
    for (int i = 0; i < 3000; ++i) {
        track.NoteOn(1, 0, 60, 1);
    }
    MidiRecorder r;
    ASSERT_EQ(r.ReadBytes(smf.Bytes()), 1);
    ASSERT_GE(r.progress.size(), 90u);
    for (size_t i = 1; i < r.progress.size(); ++i) {
        EXPECT_LT(r.progress[i - 1], r.progress[i]);
    }
    EXPECT_EQ(r.progress.back(), 100);
}

}  // namespace
}  // namespace kelvane

// The timed event stream of the audition: sections cut at their markers, the initialisation
// part first, loops and their note-offs, the drum channels, songs on their tempo map, and the
// messages for files that cannot be played.
#include "audition/AuditionProgram.h"

#include <gtest/gtest.h>

#include "audition/AuditionTestFiles.h"
#include "audition/EventCursor.h"
#include "audition/ProgramPlayback.h"
#include "support/StyleFileBuilder.h"

namespace kelvane {
namespace {

using test::SmfBuilder;

constexpr int64_t kBar = 2'000'000;  // one 4/4 bar at 120 quarters per minute

AuditionProgram Load(const std::string& bytes, const std::string& section, bool midi = false) {
    test::TempDir dir;
    AuditionProgram program;
    std::string problem;
    EXPECT_TRUE(LoadAuditionProgram({dir.Write(midi ? "f.mid" : "f.sty", bytes), midi, section},
                                    program, problem))
        << problem;
    return program;
}

std::string Problem(const std::string& bytes, const std::string& section, bool midi = false) {
    test::TempDir dir;
    AuditionProgram program;
    std::string problem;
    EXPECT_FALSE(LoadAuditionProgram({dir.Write(midi ? "f.mid" : "f.sty", bytes), midi, section},
                                     program, problem));
    return problem;
}

std::vector<TimedEvent> Walk(const AuditionProgram& program, int64_t end) {
    EventCursor cursor(program, end);
    std::vector<TimedEvent> events;
    for (TimedEvent e; cursor.Next(e);) {
        events.push_back(e);
    }
    return events;
}

// "time:on/off channel key", the notes only.
std::vector<std::string> Notes(const std::vector<TimedEvent>& events) {
    std::vector<std::string> notes;
    for (const TimedEvent& e : events) {
        if (e.IsNoteOn() || e.IsNoteOff()) {
            notes.push_back(std::to_string(e.microseconds / 1000) +
                            (e.IsNoteOn() ? ":on " : ":off ") + std::to_string(e.Channel()) + " " +
                            std::to_string(e.data1));
        }
    }
    return notes;
}

TEST(AuditionProgramTest, SectionRunsFromItsMarkerToTheNextAfterTheSetUp) {
    const std::string style = test::SectionStyleBytes({"Intro A", "Main A", "Main B", "Ending A"});
    const AuditionProgram main = Load(style, "main b");  // any case
    EXPECT_EQ(main.name, "Main B");
    EXPECT_TRUE(main.loops);
    EXPECT_EQ(main.passMicroseconds, kBar);
    // The set-up: voice, controller and system exclusive, without the initialisation's note.
    ASSERT_EQ(main.setup.size(), 3u);
    EXPECT_EQ(main.setup[0].status, 0xC0);
    EXPECT_EQ(main.setup[0].data1, 33);
    EXPECT_EQ(main.setup[1].status, 0xB0);
    EXPECT_EQ(main.setup[2].status, MidiEvent::kSysex);
    EXPECT_EQ(main.setup[2].payloadSize, 4u);  // without the closing F7
    EXPECT_EQ(main.payload.back(), 0x01);
    // The body: this section's events only, timed from its marker.
    const std::vector<std::string> expected = {"0:on 0 60",    "500:off 0 60", "500:on 8 36",
                                               "750:off 8 36", "750:on 9 38",  "1000:off 9 38",
                                               "1500:on 0 64"};
    EXPECT_EQ(Notes(main.body), expected);
    EXPECT_EQ(main.drumChannels, (std::vector<int>{8, 9}));

    const AuditionProgram ending = Load(style, "Ending A");  // the last: to the end of the data
    EXPECT_FALSE(ending.loops);
    EXPECT_EQ(ending.passMicroseconds, kBar);
    EXPECT_EQ(Notes(ending.body), expected);
    EXPECT_FALSE(Load(style, "Intro A").loops);
    EXPECT_EQ(Load(style, "").name, "Main A");  // no name: the first Main section
}

TEST(AuditionProgramTest, LoopRepeatsSeamlesslyAndEndsEveryNote) {
    const AuditionProgram main =
        Load(test::SectionStyleBytes({"Intro A", "Main A", "Ending A"}), "Main A");
    const std::vector<TimedEvent> events = Walk(main, kBar + 1'600'000);
    const std::vector<std::string> expected = {
        "0:on 0 60",     "500:off 0 60",  "500:on 8 36",  "750:off 8 36",
        "750:on 9 38",   "1000:off 9 38", "1500:on 0 64",
        "2000:off 0 64",  // the loop point ends the note held over it, then the next pass
        "2000:on 0 60",  "2500:off 0 60", "2500:on 8 36", "2750:off 8 36",
        "2750:on 9 38",  "3000:off 9 38", "3500:on 0 64", "3600:off 0 64"};  // the end ends it too
    EXPECT_EQ(Notes(events), expected);
    ASSERT_EQ(events.size(), 3 + expected.size());
    EXPECT_EQ(events.front().status, 0xC0);  // the set-up first, once
    EXPECT_EQ(events[3].microseconds, 0);
    // One pass, asked for longer: a section that does not loop stops at its end.
    const AuditionProgram intro =
        Load(test::SectionStyleBytes({"Intro A", "Main A", "Ending A"}), "Intro A");
    EventCursor cursor(intro, 10 * kBar);
    EXPECT_EQ(cursor.EndMicroseconds(), kBar);
    EXPECT_EQ(Notes(Walk(intro, 10 * kBar)).back(), "2000:off 0 64");
}

TEST(AuditionProgramTest, SongFollowsItsTempoMapFromTheStart) {
    const AuditionProgram song = Load(test::TempoChangeSongBytes(), "", true);
    EXPECT_EQ(song.passMicroseconds, 1'500'000);  // 960 ticks at 500 ms, 960 at 250 ms
    EXPECT_FALSE(song.loops);
    EXPECT_TRUE(song.setup.empty());
    EXPECT_EQ(song.drumChannels, (std::vector<int>{9}));
    EXPECT_EQ(song.name, "f.mid");
    // Tick 1900 lies 940 ticks after the tempo change; the song ends at tick 1920.
    const std::vector<std::string> expected = {"0:on 0 60", "1489:off 0 60", "1489:on 9 42",
                                               "1500:off 9 42"};
    EXPECT_EQ(Notes(Walk(song, kNoEnd)), expected);
    EXPECT_EQ(EventCursor(song, 1'000'000).EndMicroseconds(), 1'000'000);
}

TEST(AuditionProgramTest, TempoFactorStretchesTheMusicNotTheFrames) {
    auto song = std::make_shared<AuditionProgram>(Load(test::TempoChangeSongBytes(), "", true));
    AuditionSynth synth;  // no SoundFont needed: the frames are counted, not heard
    for (const double tempo : {1.0, 0.5, 2.0}) {
        ProgramPlayback playback(song, kNoEnd);
        playback.SetTempo(tempo);
        playback.Start(synth);
        int64_t frames = 0;
        while (!playback.Finished() && frames < 10 * AuditionSynth::kSampleRate) {
            int covered = 0;
            playback.Render(synth, 512, [&](int offset, int count) {
                EXPECT_EQ(offset, covered);
                covered += count;
            });
            EXPECT_EQ(covered, 512);
            frames += 512;
        }
        EXPECT_NEAR(double(frames) / AuditionSynth::kSampleRate, 1.5 / tempo, 0.02) << tempo;
    }
}

TEST(AuditionProgramTest, FilesThatCannotPlayGiveTheirMessage) {
    EXPECT_NE(Problem("", "").find("holds no MIDI data"), std::string::npos);
    EXPECT_NE(Problem("no header in these bytes", "").find("holds no MIDI data"),
              std::string::npos);
    EXPECT_NE(Problem(test::StyleMidi({"SFF1", "SInt"}).Bytes(), "").find("has no sections"),
              std::string::npos);
    EXPECT_NE(
        Problem(test::SectionStyleBytes({"Main A"}), "Main D").find("has no section \"Main D\""),
        std::string::npos);
    AuditionProgram program;
    std::string problem;
    EXPECT_FALSE(LoadAuditionProgram({"/nonexistent/x.sty", false, ""}, program, problem));
    EXPECT_NE(problem.find("cannot be read"), std::string::npos);
    std::vector<std::string> names;
    EXPECT_FALSE(ListAuditionSections("/nonexistent/x.sty", names, problem));
    // A broken track: what came before the fault plays, with a warning.
    SmfBuilder smf(0, 480);
    smf.AddTrack().Marker(0, "Main A").Note(0, 0, 60, 100, 480).Raw("\x05\xF4");
    const AuditionProgram damaged = Load(smf.Bytes(), "Main A");
    EXPECT_EQ(Notes(damaged.body).size(), 2u);
    EXPECT_NE(damaged.warning.find("damaged"), std::string::npos);
}

TEST(AuditionProgramTest, SectionListFollowsTheMarkers) {
    test::TempDir dir;
    std::vector<std::string> names;
    std::string problem;
    ASSERT_TRUE(ListAuditionSections(
        dir.Write("s.sty", test::SectionStyleBytes({"Intro A", "Main A", "Fill In AA"})), names,
        problem));
    EXPECT_EQ(names, (std::vector<std::string>{"Intro A", "Main A", "Fill In AA"}));
}

}  // namespace
}  // namespace kelvane

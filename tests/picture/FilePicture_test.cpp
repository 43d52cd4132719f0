// The picture of a style and of a MIDI song built from fixture files: sections and their bars
// in several meters, the notes of each part, the initialisation part, a song's channel lines,
// tempo changes and lyric lines, the facts, and files that are empty, broken or section-less.
#include "picture/FilePicture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "picture/PictureLanes.h"
#include "picture/PictureLines.h"
#include "support/StyleFileBuilder.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

using test::SmfBuilder;
using test::TrackBuilder;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::span<const uint8_t> Span(const std::string& bytes) {
    return {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()};
}

FilePicture Style(const std::string& bytes) {
    return BuildFilePicture(Span(bytes), PictureKind::kStyle);
}
FilePicture Song(const std::string& bytes) {
    return BuildFilePicture(Span(bytes), PictureKind::kSong);
}

// A style in `numerator`/`denominator` at 480 ticks per quarter: an initialisation part of one
// bar with a voice and a note on Rhythm 1, then each section with `bars[i]` bars (a fraction
// adds half a bar) and a note of each given part at the start of every bar.
struct SectionSpec {
    const char* name;
    double bars;
    std::vector<int> parts;  // 0..7
};

std::string MeterStyle(int numerator, int denominator, const std::vector<SectionSpec>& sections) {
    const uint32_t bar =
        480u * 4 * static_cast<uint32_t>(numerator) / static_cast<uint32_t>(denominator);
    SmfBuilder smf(0, 480);
    TrackBuilder& track = smf.AddTrack();
    track.Tempo(0, 600000).TimeSignature(0, numerator, denominator).Marker(0, "SFF1");
    track.Marker(0, "SInt").ProgramChange(0, 10, 33).Note(0, 8, 36, 90, 10);
    uint32_t pending = bar - 10;
    for (const SectionSpec& section : sections) {
        track.Marker(pending, section.name);
        pending = 0;
        const int whole = static_cast<int>(section.bars);
        for (int b = 0; b < whole; ++b) {
            for (int part : section.parts) {
                track.NoteOn(pending, 8 + part, 40 + part + b, 100);
                pending = 0;
            }
            pending = bar / 2;
            for (int part : section.parts) {
                track.NoteOff(pending, 8 + part, 40 + part + b);
                pending = 0;
            }
            pending = bar / 2;
        }
        if (section.bars > whole) {
            pending += bar / 2;
        }
    }
    track.EndOfTrack(pending);
    return test::StyleFileBuilder(smf).Bytes();
}

struct MeterCase {
    int numerator;
    int denominator;
};

class StyleMeterTest : public ::testing::TestWithParam<MeterCase> {};

TEST_P(StyleMeterTest, SectionsHaveTheirBarsAndThePartsTheirNotes) {
    const MeterCase meter = GetParam();
    const FilePicture picture = Style(
        MeterStyle(meter.numerator, meter.denominator,
                   {{"Main A", 4, {0, 2}}, {"Fill In AA", 1, {1}}, {"Ending A", 2.5, {2, 3, 7}}}));
    ASSERT_TRUE(picture.readable) << picture.problem;
    // The ending's half bar counts as a bar.
    EXPECT_THAT(PictureLines(picture),
                ElementsAre("Main A\t2\t4\t4 0 4 0 0 0 0 0", "Fill In AA\t6\t1\t0 1 0 0 0 0 0 0",
                            "Ending A\t7\t3\t0 0 2 2 0 0 0 2"));
    const int64_t bar = 480 * 4 * meter.numerator / meter.denominator;
    EXPECT_EQ(picture.initEndTick, bar);
    EXPECT_EQ(picture.initNoteOns[0], 1);
    EXPECT_EQ(picture.endTick, bar * 17 / 2);
    ASSERT_EQ(picture.barTicks.size(), 9u);
    EXPECT_EQ(picture.barTicks[6], bar * 6);
    EXPECT_EQ(picture.sections[2].section.startTick, bar * 6);
}

INSTANTIATE_TEST_SUITE_P(Meters, StyleMeterTest,
                         ::testing::Values(MeterCase{4, 4}, MeterCase{3, 4}, MeterCase{6, 8}));

TEST(FilePictureTest, StyleLanesHoldEachPartsNotesAsSpans) {
    const FilePicture picture = Style(MeterStyle(4, 4, {{"Main A", 2, {0, 2}}}));
    ASSERT_EQ(picture.lanes.size(), 8u);
    EXPECT_STREQ(StylePartName(2), "Bass");
    const PictureLane& rhythm = picture.lanes[0];
    EXPECT_EQ(rhythm.channel, 8);
    // The initialisation part's note, then one per bar.
    ASSERT_EQ(rhythm.notes.size(), 3u);
    EXPECT_EQ(rhythm.notes[0].startTick, 0);
    EXPECT_EQ(rhythm.notes[0].endTick, 10);
    EXPECT_EQ(rhythm.notes[2].startTick, 1920 * 2);
    EXPECT_EQ(rhythm.notes[2].endTick, 1920 * 2 + 960);
    EXPECT_EQ(rhythm.notes[2].pitch, 41);
    EXPECT_EQ(rhythm.notes[2].velocity, 100);
    EXPECT_EQ(rhythm.lowest, 36);
    EXPECT_EQ(rhythm.highest, 41);
    const PictureLane& bass = picture.lanes[2];
    EXPECT_EQ(bass.program, 33);
    EXPECT_EQ(bass.noteOns, 2);
    EXPECT_TRUE(picture.lanes[5].notes.empty());
    EXPECT_EQ(picture.lanes[5].lowest, -1);
}

TEST(FilePictureTest, NoteOffsReleaseTheOldestSoundingNoteAndUnreleasedNotesRunToTheEnd) {
    SmfBuilder smf(0, 480);
    smf.AddTrack()
        .NoteOn(0, 9, 50, 80)
        .NoteOn(100, 9, 50, 70)
        .NoteOn(0, 9, 52, 60)  // never released
        .NoteOn(100, 9, 50, 0)
        .NoteOff(100, 9, 50)
        .EndOfTrack(200);
    const FilePicture picture = Style(smf.Bytes());
    const PictureLane& lane = picture.lanes[1];
    ASSERT_EQ(lane.notes.size(), 3u);
    EXPECT_EQ(lane.notes[0].endTick, 200);
    EXPECT_EQ(lane.notes[1].endTick, 300);
    EXPECT_EQ(lane.notes[2].endTick, 500);
    EXPECT_EQ(lane.longestNote, 400);
}

TEST(FilePictureTest, NotesBeyondTheCapAreCountedButNotKept) {
    SmfBuilder smf(0, 96);
    TrackBuilder& track = smf.AddTrack();
    for (int n = 0; n < 4; ++n) {
        track.Note(0, 0, 60 + n, 90, 10).Note(0, 9, 40 + n, 90, 10);
    }
    MidiEventList list;
    ASSERT_TRUE(ReadMidiEvents(Span(smf.Bytes()), list));
    for (std::size_t cap : {3u, 4u, 5u}) {
        const ChannelLanes lanes = BuildChannelLanes(list, cap, 1u << 9);
        EXPECT_EQ(lanes.channels[9].notes.size(), std::min<std::size_t>(cap, 4)) << cap;
        EXPECT_EQ(lanes.channels[9].noteOns, 4) << cap;
        EXPECT_EQ(lanes.channels[9].highest, 43) << cap;
        EXPECT_EQ(lanes.notesCut, cap < 4) << cap;
        EXPECT_EQ(lanes.channels[0].noteOns, 0);  // not asked for
    }
}

TEST(FilePictureTest, SongHasAChannelLinePerChannelWithNotesTempoChangesAndLyricLines) {
    SmfBuilder smf(1, 96);
    smf.AddTrack().TimeSignature(0, 3, 4).Tempo(0, 500000).Tempo(384, 400000);
    smf.AddTrack()
        .ProgramChange(0, 0, 24)
        .ProgramChange(0, 0, 30)  // only the first counts
        .Note(0, 0, 60, 90, 48)
        .Note(0, 0, 72, 90, 48)
        .Note(0, 0, 55, 90, 48)
        .Lyric(0, "\\Hel")
        .Lyric(10, "lo ")
        .Lyric(10, "world\r")
        .Lyric(100, "/A")
        .Lyric(10, "gain");
    smf.AddTrack().Note(0, 9, 36, 100, 10).Note(0, 9, 38, 0, 10);
    const FilePicture picture = Song(smf.Bytes());
    ASSERT_TRUE(picture.readable) << picture.problem;
    EXPECT_THAT(PictureLines(picture), ElementsAre("1\t24\t3\t55-72", "10\t-\t1\t36-36"));
    ASSERT_EQ(picture.tempoChanges.size(), 2u);
    EXPECT_EQ(picture.tempoChanges[1].tick, 384);
    EXPECT_EQ(picture.tempoChanges[1].microsecondsPerQuarter, 400000u);
    ASSERT_EQ(picture.lyrics.size(), 2u);
    EXPECT_EQ(picture.lyrics[0].text, "Hello world");
    EXPECT_EQ(picture.lyrics[1].tick, picture.lyrics[0].tick + 120);
    EXPECT_EQ(picture.lyrics[1].text, "Again");
    EXPECT_THAT(picture.barTicks, ElementsAre(0, 288));  // 3/4 up to the end at 384
}

TEST(FilePictureTest, KaraokeTextsAreLyricLinesWithoutTheirHeader) {
    SmfBuilder smf(1, 96);
    smf.AddTrack().Text(0, 1, "@KMIDI KARAOKE FILE").Text(0, 1, "@TSong");
    smf.AddTrack()
        .Text(10, 1, "\\Sun")
        .Text(10, 1, "ny ")
        .Text(10, 1, "/day")
        .Note(0, 0, 60, 90, 8);
    const FilePicture picture =
        BuildFilePicture(Span(smf.Bytes()), PictureKind::kSong, PictureOptions{.facts = false});
    ASSERT_EQ(picture.lyrics.size(), 2u);
    EXPECT_EQ(picture.lyrics[0].tick, 10);
    EXPECT_EQ(picture.lyrics[0].text, "Sunny ");
    EXPECT_EQ(picture.lyrics[1].text, "day");
    // Without the karaoke mark, text metas are no lyrics.
    SmfBuilder plain(0, 96);
    plain.AddTrack().Text(10, 1, "\\Sun").Note(0, 0, 60, 90, 8);
    EXPECT_TRUE(Song(plain.Bytes()).lyrics.empty());
}

TEST(FilePictureTest, FactsComeFromTheAnalysis) {
    test::StyleFileBuilder style(
        test::StyleMidi({"SFF1", "SInt", "Main A", "Ending A"}, 480, 500000, 3, 4));
    style.Casm(std::string(40, '\0'))
        .Mdb({test::FinderRecord{.title = "Wave", .genre = "Bossa"},
              test::FinderRecord{.title = "Blue", .genre = "Jazz"}});
    const FilePicture picture = Style(style.Bytes());
    const PictureFacts& facts = picture.facts;
    ASSERT_TRUE(facts.analysed);
    EXPECT_EQ(facts.tempoBpm, 120);
    EXPECT_EQ(facts.timeSignature, "3/4");
    EXPECT_EQ(facts.problems, "-");
    ASSERT_EQ(facts.sections.size(), 2u);
    EXPECT_EQ(facts.sections[1].name, "Ending A");
    ASSERT_EQ(facts.songs.size(), 2u);
    EXPECT_EQ(facts.songs[1].title, "Blue");
    EXPECT_EQ(facts.songs[0].genre, "Bossa");
    // Asked without facts, the picture skips the analysis.
    EXPECT_FALSE(
        BuildFilePicture(Span(style.Bytes()), PictureKind::kStyle, PictureOptions{.facts = false})
            .facts.analysed);
}

TEST(FilePictureTest, EmptyBrokenAndSectionlessFilesGiveTheirMessageOrAnEmptyPicture) {
    for (const std::string& bytes : {std::string(), std::string("RIFF\0\0\0\0", 8)}) {
        for (const FilePicture& picture : {Style(bytes), Song(bytes)}) {
            EXPECT_FALSE(picture.readable);
            EXPECT_FALSE(picture.problem.empty());
            EXPECT_TRUE(picture.lanes.empty() && picture.sections.empty());
            EXPECT_TRUE(PictureLines(picture).empty());
        }
    }
    EXPECT_EQ(Style("").facts.problems, "empty File");
    // A style without section markers: all of it is the initialisation part.
    SmfBuilder plain(0, 480);
    plain.AddTrack().Marker(0, "SFF1").Note(0, 8, 36, 90, 960);
    const FilePicture sectionless = Style(plain.Bytes());
    ASSERT_TRUE(sectionless.readable);
    EXPECT_TRUE(sectionless.sections.empty());
    EXPECT_EQ(sectionless.initEndTick, 960);
    EXPECT_EQ(sectionless.initNoteOns[0], 1);
    EXPECT_EQ(sectionless.lanes.size(), 8u);
    // A broken second track: what came before stays, and the fault is named.
    SmfBuilder broken(1, 480);
    broken.AddTrack().Marker(0, "Main A").Note(0, 8, 36, 90, 480);
    broken.AddTrack().NoteOn(10, 9, 64, 100).Raw("\x05\xF4");
    const FilePicture partial = Style(broken.Bytes());
    ASSERT_TRUE(partial.readable);
    EXPECT_FALSE(partial.problem.empty());
    EXPECT_THAT(PictureLines(partial), ElementsAre("Main A\t1\t1\t1 1 0 0 0 0 0 0"));
}

TEST(FilePictureTest, ReadingAFileNamesWhatCannotBeRead) {
    test::TempDir dir;
    const std::string path = dir.Write("song.mid", [] {
        SmfBuilder smf(0, 480);
        smf.AddTrack().Note(0, 3, 60, 90, 480);
        return smf.Bytes();
    }());
    EXPECT_THAT(PictureLines(ReadFilePicture(path, PictureKind::kSong)),
                ElementsAre("4\t-\t1\t60-60"));
    for (const std::string& bad : {dir.Folder() + "missing.mid", dir.Folder()}) {
        const FilePicture picture = ReadFilePicture(bad, PictureKind::kSong);
        EXPECT_FALSE(picture.readable || picture.bytesRead);
        EXPECT_THAT(picture.problem, HasSubstr("cannot read " + bad));
    }
}

}  // namespace
}  // namespace kelvane

// Damaged and unusual files: truncation, lying lengths, window moves, reuse of one reader.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "analysis/MidiRecorder.h"
#include "support/SmfBuilder.h"
#include "support/StyleFileBuilder.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

using test::Bytes;
using test::MidiRecorder;
using test::SmfBuilder;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A file that uses most kinds of event, in three tracks.
std::string MixedFile(int notes) {
    SmfBuilder smf(1, 480);
    smf.AddTrack()
        .TrackName(0, "Tempo map")
        .Tempo(0, 461538)
        .TimeSignature(0, 3, 4)
        .Copyright(0, "(c) nobody")
        .Marker(960, "Main A");
    test::TrackBuilder& melody = smf.AddTrack().UseRunningStatus();
    melody.Sysex(0, Bytes({0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0xF7}))
        .ProgramChange(0, 0, 5)
        .PitchBendSensitivity(0, 0, 2)
        .Controller(0, 0, 7, 100);
    for (int i = 0; i < notes; ++i) {
        melody.NoteOn(i % 5, 0, 40 + i % 50, 90).NoteOn(30, 0, 40 + i % 50, 0);
        if (i % 97 == 0) {
            melody.Lyric(0, std::string(1 + i % 12, 'a'))
                .SysexNoLength(0, Bytes({0x43, 0x10, 0x01, 0xF7}));
        }
    }
    smf.AddTrack()
        .UseRunningStatus()
        .PitchBend(0, 3, 9000)
        .PitchBend(10, 3, 8192)
        .ChannelPressure(5, 3, 40);
    return smf.Bytes();
}

TEST(MidiReadDamaged, EveryTruncationFailsWithAReportAndNeverReachesTheEnd) {
    const std::string file = MixedFile(40);
    const std::set<std::string> known = {
        "Missing midi header MThd", "Illegal midi header",
        "Missing midi track MTrk",  "End of sysex not found, pos_",
        "Unexpected end of file",   "Unexpected end of file, curpos_"};
    for (size_t size = 0; size < file.size(); ++size) {
        MidiRecorder r;
        ASSERT_EQ(r.ReadBytes(file.substr(0, size)), 0) << size;
        ASSERT_EQ(r.errors.size(), 1u) << size;
        EXPECT_TRUE(known.count(r.errors[0].text)) << r.errors[0].text;
        EXPECT_LE(r.errors[0].position, int64_t(size));
        EXPECT_THAT(r.Lines("EndOfFile"), IsEmpty());
    }
}

TEST(MidiReadDamaged, LengthsOfAllOnesFailCleanly) {
    struct Case {
        std::string bytes;
        std::string error;
    };
    SmfBuilder header;
    header.HeaderLength(0xFFFFFFFF).AddTrack();
    SmfBuilder track;
    track.AddTrack().NoteOn(0, 0, 60, 1).DeclaredLength(0xFFFFFFFF);
    SmfBuilder meta;
    meta.AddTrack().MetaDeclared(0, 0x01, 0x0FFFFFFF, "abc");
    SmfBuilder sysex;
    sysex.AddTrack().SysexDeclared(0, 0x0FFFFFFF, Bytes({0x01, 0x02}));
    SmfBuilder delta;
    delta.AddTrack().Raw(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    const std::vector<Case> cases = {
        {header.Bytes(), "Missing midi track MTrk"},
        {track.Bytes(), "Unexpected end of file"},
        {meta.Bytes(), "Unexpected end of file, curpos_"},
        {sysex.Bytes(), "End of sysex not found, pos_"},
        // Four bytes of delta (0FFFFFFFH, a pause); the fifth is not part of it.
        {delta.Bytes(), ""},
    };
    for (const Case& c : cases) {
        MidiRecorder r;
        const int result = r.ReadBytes(c.bytes);
        if (c.error.empty()) {
            EXPECT_EQ(result, 1);
            EXPECT_THAT(r.errors, IsEmpty());
            continue;
        }
        EXPECT_EQ(result, 0) << c.error;
        ASSERT_EQ(r.errors.size(), 1u) << c.error;
        EXPECT_EQ(r.errors[0].text, c.error);
    }
}

TEST(MidiReadDamaged, EmptyTracksAndMoreTracksThanDeclared) {
    SmfBuilder smf(1, 96);
    smf.AddTrack().NoEndOfTrack();  // length 0
    smf.AddTrack().NoteOn(0, 0, 60, 1);
    smf.AddTrack().NoteOn(0, 0, 61, 1);
    smf.DeclaredTracks(2);
    MidiRecorder r;
    ASSERT_EQ(r.ReadBytes(smf.Bytes()), 1);
    EXPECT_THAT(r.Lines("TrackStart"), ElementsAre("TrackStart 1 0 -1", "TrackStart 2 8 0"));
    EXPECT_THAT(r.Lines("TrackEnd"), ElementsAre("TrackEnd 1", "TrackEnd 2"));
    EXPECT_EQ(r.Track1Length(), 0);
    // The third track is not MIDI data any more: the reader ends before it.
    const int64_t third = 14 + 8 + (8 + 8);
    EXPECT_THAT(r.Lines("EndOfFile"), ElementsAre(StrFormat("EndOfFile %lld", (long long)third)));
}

TEST(MidiReadDamaged, WindowSizeAndSourceDoNotChangeWhatIsRead) {
    const std::string file = MixedFile(12000);
    ASSERT_GT(file.size(), 2 * size_t(MidiBuffer::kWindowSize));
    MidiRecorder whole;
    ASSERT_EQ(whole.ReadBytes(file), 1);
    for (int64_t window : {int64_t{16}, int64_t{17}, int64_t{100}, MidiBuffer::kWindowSize}) {
        MidiRecorder r;
        ASSERT_EQ(r.ReadBytes(file, window), 1) << window;
        EXPECT_EQ(r.log, whole.log) << window;
        EXPECT_EQ(r.trackMs, whole.trackMs);
    }
    test::TempDir dir;
    const std::string path = dir.Write("mixed.mid", file);
    MidiRecorder fromFile;
    ASSERT_TRUE(fromFile.Open(path, -1, MidiBuffer::kModeWindowed));
    ASSERT_EQ(fromFile.ReadFile(), 1);
    EXPECT_EQ(fromFile.log, whole.log);
    EXPECT_THAT(fromFile.errors, IsEmpty());
    EXPECT_THAT(fromFile.warnings, IsEmpty());
}

TEST(MidiReadDamaged, OneReaderReadsFileAfterFileLikeFreshReaders) {
    test::TempDir dir;
    const std::string big = dir.Write("big.mid", MixedFile(3000));
    SmfBuilder small(0, 120);
    small.AddTrack().NoteOn(0, 9, 36, 100);
    const std::string tiny = dir.Write("tiny.mid", small.Bytes());
    const std::string missing = dir.Folder() + "missing.mid";
    MidiRecorder reused;
    for (const std::string& path : {big, tiny, missing, big, tiny}) {
        MidiRecorder fresh;
        const bool opened = fresh.Open(path, -1, MidiBuffer::kModeWindowed);
        const int freshResult = opened ? fresh.ReadFile() : -1;
        reused.log.clear();
        ASSERT_EQ(reused.Open(path, -1, MidiBuffer::kModeWindowed), opened) << path;
        if (opened) {
            ASSERT_EQ(reused.ReadFile(), freshResult) << path;
            EXPECT_EQ(reused.log, fresh.log) << path;
        }
        reused.Close();
    }
    EXPECT_THAT(reused.errors, IsEmpty());
}

// The analyser goes on after the MIDI data with the same byte access; so does this reader.
class SectionLister : public MidiRecorder {
  public:
    std::vector<std::string> sections;
    void OnEndOfFile() override {
        MidiRecorder::OnEndOfFile();
        while (Remaining() >= 8) {
            const uint8_t* tag = GetRaw(4);
            const uint32_t length = Read32();
            sections.push_back(std::string(reinterpret_cast<const char*>(tag), 4) + " " +
                               std::to_string(length));
            if (!Skip(length)) {
                sections.push_back("cut");
                break;
            }
        }
        sections.push_back("left " + std::to_string(Remaining()));
    }
};

TEST(MidiReadDamaged, SectionsAfterTheMidiDataAreReachedWithTheSameByteAccess) {
    test::StyleFileBuilder style(test::StyleMidi({"SFF1", "SInt", "Main A"}));
    style.Casm(std::string(20, 'c')).Ots(2).Section("FNRc", 1000, "short").Stray("xyz");
    SectionLister r;
    ASSERT_EQ(r.ReadBytes(style.Bytes(), MidiBuffer::kWindowSize), 1);
    EXPECT_THAT(r.Lines("EndOfFile"), ElementsAre(StrFormat("EndOfFile %zu", style.MidiSize())));
    EXPECT_THAT(r.sections, ElementsAre("CASM 20", "OTSc 48", "FNRc 1000", "cut", "left 8"));
}

}  // namespace
}  // namespace kelvane

#include "analysis/MidiRead.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "analysis/MidiRecorder.h"
#include "support/SmfBuilder.h"

namespace kelvane {
namespace {

using test::Bytes;
using test::MidiRecorder;
using test::SmfBuilder;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::string> Texts(const std::vector<test::MidiReport>& reports) {
    std::vector<std::string> out;
    for (const auto& r : reports) {
        out.push_back(r.text);
    }
    return out;
}

// Log lines that describe events (the header and track frame left out).
std::vector<std::string> Events(const MidiRecorder& r) {
    std::vector<std::string> out;
    for (const std::string& line : r.log) {
        if (line.rfind("Header", 0) != 0 && line.rfind("Track", 0) != 0 &&
            line.rfind("EndOf", 0) != 0) {
            out.push_back(line);
        }
    }
    return out;
}

TEST(MidiReadHeader, PrefixBeforeHeaderIsSkippedUpToTheLastPlaceInTheFirstWindow) {
    for (size_t prefix : {size_t{128}, size_t{31496}}) {
        SmfBuilder smf(1, 96);
        smf.Prefix(std::string(prefix, 'R')).AddTrack().NoteOn(0, 2, 60, 90);
        MidiRecorder r;
        ASSERT_EQ(r.ReadBytes(smf.Bytes()), 1) << prefix;
        EXPECT_THAT(r.Lines("Header"), ElementsAre("Header 1 1 96"));
        EXPECT_THAT(r.Lines("NoteOn"), ElementsAre("NoteOn 2 60 90"));
    }
    SmfBuilder late(1, 96);
    late.Prefix(std::string(31497, 'R')).AddTrack();
    MidiRecorder r;
    EXPECT_EQ(r.ReadBytes(late.Bytes()), 0);
    EXPECT_THAT(Texts(r.errors), ElementsAre("Missing midi header MThd"));
}

TEST(MidiReadHeader, BrokenHeadersFailWithTheirMessages) {
    struct Case {
        std::string bytes;
        std::string error;
    };
    SmfBuilder shortHeader;
    shortHeader.HeaderLength(5);
    SmfBuilder version3(3, 96);
    const std::vector<Case> cases = {
        {"", "Missing midi header MThd"},
        {"MTh", "Missing midi header MThd"},
        {"MThd", "Illegal midi header"},
        {shortHeader.Bytes(), "Illegal midi header"},
        {version3.Bytes(), "Invalid midi version 3"},
        {std::string("MThd\0\0\0\6\0\1\0", 11), "Unexpected end of file"},
    };
    for (const Case& c : cases) {
        MidiRecorder r;
        EXPECT_EQ(r.ReadBytes(c.bytes), 0);
        EXPECT_THAT(Texts(r.errors), ElementsAre(c.error)) << c.error;
        EXPECT_THAT(r.Lines("EndOfFile"), IsEmpty());
    }
}

TEST(MidiReadHeader, ReadingAgainStartsAtTheFileStartAndUnopenedReaderReportsNoBuffer) {
    SmfBuilder smf(1, 96);
    smf.AddTrack().NoteOn(0, 0, 60, 1);
    smf.RawChunk("tail");
    const std::string bytes = smf.Bytes();  // read in place: must outlive the reader's use
    MidiRecorder r;
    ASSERT_EQ(r.ReadBytes(bytes), 1);
    const std::vector<std::string> first = r.log;
    ASSERT_EQ(r.ReadFile(), 1);
    EXPECT_EQ(std::vector<std::string>(r.log.begin() + first.size(), r.log.end()), first);

    MidiRecorder unopened;
    EXPECT_EQ(unopened.ReadFile(), 0);
    EXPECT_THAT(Texts(unopened.errors), ElementsAre("Out of memory"));
}

TEST(MidiReadHeader, LongerHeaderIsSkippedByItsLength) {
    SmfBuilder smf(1, 120);
    smf.HeaderLength(10, "abcd").AddTrack().ProgramChange(0, 3, 7);
    MidiRecorder r;
    ASSERT_EQ(r.ReadBytes(smf.Bytes()), 1);
    EXPECT_THAT(r.Lines("ProgramChange"), ElementsAre("ProgramChange 3 7"));
}

TEST(MidiReadTrack, FormatZeroWithTwoTracksWarnsAndReadsBoth) {
    SmfBuilder smf(0, 96);
    smf.AddTrack().NoteOn(0, 0, 60, 100);
    smf.AddTrack().NoteOn(0, 1, 62, 100);
    MidiRecorder r;
    ASSERT_EQ(r.ReadBytes(smf.Bytes()), 1);
    EXPECT_THAT(Texts(r.warnings), ElementsAre("Wrong midi type"));
    EXPECT_THAT(r.Lines("NoteOn"), ElementsAre("NoteOn 0 60 100", "NoteOn 1 62 100"));
    EXPECT_THAT(r.Lines("TrackEnd"), ElementsAre("TrackEnd 1", "TrackEnd 2"));
}

TEST(MidiReadTrack, EarlyEndOfTrackWarnsWithBytesLeftAndNextTrackStartsAtDeclaredEnd) {
    SmfBuilder smf(1, 96);
    // Ten bytes after the end-of-track: a text meta of six characters.
    smf.AddTrack().NoteOn(0, 0, 60, 100).EndOfTrack(0).Text(0, 1, "abcdef");
    smf.AddTrack().NoteOn(0, 5, 64, 100);
    MidiRecorder r;
    ASSERT_EQ(r.ReadBytes(smf.Bytes()), 1);
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_EQ(r.warnings[0].text,
              "Unexpected end_of_track event found - 10 bytes before end of track 1");
    EXPECT_EQ(r.warnings[0].position, 14 + 8 + 4 + 1);  // the FF of the end-of-track
    EXPECT_THAT(Events(r), ElementsAre("NoteOn 0 60 100", "Text 1 text abcdef", "NoteOn 5 64 100"));
}

TEST(MidiReadTrack, DeclaredLengthDecidesWhereTheNextTrackStarts) {
    // The first track claims two bytes fewer than it holds: its last event is cut, the
    // reader jumps back to the declared end and finds no "MTrk" there.
    SmfBuilder smf(1, 96);
    smf.AddTrack().NoteOn(0, 0, 60, 100).LengthAdjust(-2);
    smf.AddTrack();
    MidiRecorder r;
    EXPECT_EQ(r.ReadBytes(smf.Bytes()), 0);
    EXPECT_THAT(Texts(r.errors), ElementsAre("Missing midi track MTrk"));
}

TEST(MidiReadTrack, ChannelPreScanReportsOneNoneOrSeveral) {
    SmfBuilder smf(1, 96);
    smf.AddTrack().Tempo(0, 400000).Sysex(0, Bytes({0x7E, 0x7F, 0x09, 0x01, 0xF7}));
    smf.AddTrack()
        .UseRunningStatus()
        .NoteOn(0, 7, 60, 1)
        .NoteOn(0, 7, 61, 1)
        .ProgramChange(0, 7, 1);
    smf.AddTrack().NoteOn(0, 7, 60, 1).Controller(5, 8, 7, 100);
    MidiRecorder r;
    ASSERT_EQ(r.ReadBytes(smf.Bytes()), 1);
    const auto starts = r.Lines("TrackStart");
    ASSERT_EQ(starts.size(), 3u);
    EXPECT_THAT(starts[0], ::testing::EndsWith(" -1"));
    EXPECT_THAT(starts[1], ::testing::EndsWith(" 7"));
    EXPECT_THAT(starts[2], ::testing::EndsWith(" -2"));
    // The pre-scan did not consume anything: all events arrive.
    EXPECT_EQ(r.Lines("NoteOn").size(), 3u);
    EXPECT_THAT(r.Lines("Controller"), ElementsAre("Controller 8 7 100"));
}

TEST(MidiReadEvent, RunningStatusSurvivesMetasAndSysex) {
    SmfBuilder smf(1, 96);
    smf.AddTrack()
        .NoteOn(0, 3, 60, 100)
        .Marker(0, "Main A")
        .Raw(Bytes({0x00, 0x3E, 0x50}))  // data bytes only
        .Sysex(0, Bytes({0x43, 0x10, 0x01, 0xF7}))
        .Raw(Bytes({0x00, 0x40, 0x00}));
    MidiRecorder r;
    ASSERT_EQ(r.ReadBytes(smf.Bytes()), 1);
    EXPECT_THAT(Events(r), ElementsAre("NoteOn 3 60 100", "Text 6 marker Main A", "NoteOn 3 62 80",
                                       "Sysex 43 10 01 F7", "NoteOff 3 64 0"));
}

TEST(MidiReadEvent, DataByteWithoutRunningStatusAndUnknownCommandsFail) {
    for (auto [raw, error] : {std::pair{Bytes({0x00, 0x3C, 0x40}), "Illegal midi command 3CH"},
                              std::pair{Bytes({0x00, 0xF1, 0x00}), "Unexpected command byte F1"},
                              std::pair{Bytes({0x00, 0xFD}), "Unexpected command byte FD"}}) {
        SmfBuilder smf(1, 96);
        smf.AddTrack().Tempo(0, 500000).Raw(raw);
        MidiRecorder r;
        EXPECT_EQ(r.ReadBytes(smf.Bytes()), 0);
        ASSERT_THAT(Texts(r.errors), ElementsAre(error));
        EXPECT_EQ(r.errors[0].position, 14 + 8 + 7 + 1);  // after the tempo and the delta
        EXPECT_THAT(r.Lines("TrackEnd"), IsEmpty());
    }
}

TEST(MidiReadEvent, ChannelMessagesAndValueWarnings) {
    SmfBuilder smf(1, 96);
    smf.AddTrack()
        .NoteOn(0, 1, 60, 0)
        .NoteOff(0, 1, 61, 30)
        .PolyPressure(0, 2, 62, 5)
        .ChannelPressure(0, 2, 6)
        .PitchBend(0, 4, 8192 + 100)
        .ProgramChange(0, 9, 25)
        .Raw(Bytes({0x00, 0x90, 0x80, 0x81}))  // note and velocity out of range
        .Raw(Bytes({0x00, 0xB1, 0x07, 0x90}))
        .Raw(Bytes({0x00, 0xC1, 0xA0}));
    MidiRecorder r;
    ASSERT_EQ(r.ReadBytes(smf.Bytes()), 1);
    EXPECT_THAT(Events(r),
                ElementsAre("NoteOff 1 60 0", "NoteOff 1 61 30", "PolyPressure 2 62 5",
                            "ChannelPressure 2 6", "PitchBend 4 8292", "ProgramChange 9 25",
                            "NoteOn 0 128 129", "Controller 1 7 144", "ProgramChange 1 160"));
    EXPECT_THAT(Texts(r.warnings), ElementsAre("Invalid note value >=80H used (80H)",
                                               "Invalid note velocity >=80H used (81H)",
                                               "Invalid control value >=80H used (90H)",
                                               "Invalid program change value >=80H used (A0H)"));
}

TEST(MidiReadEvent, PitchBendSensitivityIsReplayedAsThreeControllers) {
    SmfBuilder smf(1, 96);
    smf.AddTrack()
        .PitchBendSensitivity(0, 2, 12)
        .Controller(0, 2, 101, 1)  // another parameter: passed on event by event
        .Controller(0, 2, 100, 0)
        .Controller(0, 2, 6, 3);
    MidiRecorder r;
    r.logDeltas = true;
    ASSERT_EQ(r.ReadBytes(smf.Bytes()), 1);
    EXPECT_THAT(
        Events(r),
        ElementsAre("Delta 0", "Controller 2 101 0", "Delta 0", "Controller 2 100 0", "Delta 0",
                    "Controller 2 6 12", "Delta 0", "Controller 2 101 1", "Delta 0",
                    "Controller 2 100 0", "Delta 0", "Controller 2 6 3", "Delta 0"));

    struct Sensitivity : MidiRecorder {
        void OnPitchBendSensitivity(int channel, int semitones) override {
            log.push_back(StrFormat("Sensitivity %d %d", channel, semitones));
        }
    } s;
    ASSERT_EQ(s.ReadBytes(smf.Bytes()), 1);
    EXPECT_THAT(Events(s), ElementsAre("Sensitivity 2 12", "Controller 2 101 1",
                                       "Controller 2 100 0", "Controller 2 6 3"));
}

TEST(MidiReadEvent, MetasAreDecodedOnlyWithTheirExactLengthsAndValidValues) {
    SmfBuilder smf(1, 96);
    smf.AddTrack()
        .Meta(0, 0x00, Bytes({0x01, 0x02}))
        .Meta(0, 0x00, Bytes({0x01}))
        .Copyright(0, "(c) 1999")
        .Text(0, 9, "nine")
        .Meta(0, 0x20, Bytes({0x05}))
        .Meta(0, 0x21, Bytes({0x01}))
        .Meta(0, 0x54, Bytes({0x61, 0x02, 0x03, 0x04, 0x05}))
        .TimeSignature(0, 6, 8, 36, 8)
        .Meta(0, 0x58, Bytes({0x04, 0x1F, 0x18, 0x08}))  // 2^31: left undecoded
        .KeySignature(0, -3, 1)
        .KeySignature(0, 8, 0)
        .Tempo(0, 461538)
        .Meta(0, 0x51, Bytes({0x07, 0xA1}))
        .SequencerSpecific(0, Bytes({0x43, 0x7B, 0x01}));
    MidiRecorder r;
    ASSERT_EQ(r.ReadBytes(smf.Bytes()), 1);
    EXPECT_THAT(Events(r),
                ElementsAre("SequenceNumber 258", "Meta 00 01", "Text 2 copyright (c) 1999",
                            "Text 9  nine", "ChannelPrefix 5", "Port 1", "SmpteOffset 3 1 2 3 4 5",
                            "TimeSignature 6 8 36 8", "Meta 58 04 1F 18 08", "KeySignature -3 1",
                            "Meta 59 08 00", "Tempo 461538", "Meta 51 07 A1", "Meta 7F 43 7B 01"));
    EXPECT_EQ(r.Tempo(), 461538u);
}

TEST(MidiReadEvent, TolerantSysexLengthAndRecognisedMessages) {
    const std::string xg2 = Bytes({0x43, 0x12, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0xF7});
    const std::string xgExtra = Bytes({0x43, 0x12, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0x00, 0xF7});
    const std::string gsReset = Bytes({0x41, 0x1F, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7});
    const std::string gsMode = Bytes({0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x7F, 0x42, 0xF7});
    const std::string notGs = Bytes({0x41, 0x20, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7});
    SmfBuilder smf(1, 96);
    smf.AddTrack()
        .SysexNoLength(0, xg2)
        .SysexNoLength(0, xgExtra)
        .Sysex(0, xg2)
        .Sysex(0, Bytes({0x7E, 0x7F, 0x09, 0x01, 0xF7}))
        .Sysex(0, gsReset)
        .Sysex(0, gsMode)
        .Sysex(0, notGs)
        .SysexDeclared(0, 99, Bytes({0x01, 0x02, 0xF7}))  // wrong length, ends in F7
        .NoteOn(0, 0, 60, 1);
    MidiRecorder r;
    ASSERT_EQ(r.ReadBytes(smf.Bytes()), 1);
    EXPECT_THAT(Events(r),
                ElementsAre("XgOn", "Sysex 43 12 4C 00 00 7E 00 00 F7", "XgOn", "GmOn", "GsReset",
                            "GsModeSet", "Sysex 41 20 42 12 40 00 7F 00 41 F7", "Sysex 63 01 02 F7",
                            "NoteOn 0 60 1"));
}

TEST(MidiReadEvent, SysexWithoutEndFailsAndScanStopsAtTrackEnd) {
    SmfBuilder smf(1, 96);
    smf.AddTrack().SysexDeclared(0, 50, Bytes({0x43, 0x10, 0x00}));
    smf.AddTrack().Sysex(0, Bytes({0xF7}));  // an F7 beyond the first track does not count
    MidiRecorder r;
    EXPECT_EQ(r.ReadBytes(smf.Bytes()), 0);
    ASSERT_THAT(Texts(r.errors), ElementsAre("End of sysex not found, pos_"));
    EXPECT_EQ(r.errors[0].position, 14 + 8 + 1);
}

TEST(MidiReadEvent, SystemCommonMessages) {
    SmfBuilder smf(1, 96);
    smf.AddTrack().Raw(Bytes({0, 0xF2, 0x01, 0x02, 0, 0xF3, 0x05, 0, 0xF6, 0, 0xF8, 0, 0xFA, 0,
                              0xFB, 0, 0xFC, 0, 0xFE}));
    MidiRecorder r;
    ASSERT_EQ(r.ReadBytes(smf.Bytes()), 1);
    EXPECT_THAT(Events(r), ElementsAre("SongPosition 257", "SongSelect 5", "TuneRequest", "Clock",
                                       "Start", "Continue", "Stop", "ActiveSensing"));
}

TEST(MidiReadEvent, EventsLargerThanTheWindowAreSkippedAndReportedByPosition) {
    const std::string text(40000, 't');
    std::string sysex(40000, 0x11);
    sysex.back() = char(0xF7);
    SmfBuilder smf(1, 96);
    smf.AddTrack().Lyric(0, text).Sysex(0, sysex).NoteOn(0, 0, 60, 1);
    MidiRecorder r;
    ASSERT_EQ(r.ReadBytes(smf.Bytes(), MidiBuffer::kWindowSize), 1);
    const int64_t metaData = 14 + 8 + 1 + 2 + 3;  // delta, FF 05, three-byte length
    const int64_t sysexData = metaData + 40000 + 1 + 1 + 3;
    EXPECT_THAT(
        Events(r),
        ElementsAre(StrFormat("RawMetaInFile 05 %lld 40000", (long long)metaData),
                    StrFormat("SysexInFile %lld 40000", (long long)sysexData), "NoteOn 0 60 1"));
    // Read whole, the same events fit the buffer and are decoded.
    MidiRecorder whole;
    ASSERT_EQ(whole.ReadBytes(smf.Bytes()), 1);
    EXPECT_EQ(whole.Lines("Text").size(), 1u);
    EXPECT_EQ(whole.Lines("Sysex ").size(), 1u);
}

TEST(MidiReadOptions, UndecodedDeliveryAndGenericControllers) {
    SmfBuilder smf(1, 96);
    smf.AddTrack()
        .UseRunningStatus()
        .NoteOn(0, 1, 60, 100)
        .NoteOn(0, 1, 62, 100)
        .Controller(0, 1, 7, 90)
        .Tempo(0, 600000)
        .Sysex(0, Bytes({0x7E, 0x7F, 0x09, 0x01, 0xF7}));
    MidiRecorder notes;
    notes.SetOptions(MidiRead::kRawNotes | MidiRead::kRawMeta | MidiRead::kRawSysex);
    ASSERT_EQ(notes.ReadBytes(smf.Bytes()), 1);
    EXPECT_THAT(Events(notes),
                ElementsAre("RawEvent 91 3C 64", "RawEvent 91 3E 64", "Controller 1 7 90",
                            "Meta 51 09 27 C0", "Sysex 7E 7F 09 01 F7", "Meta 2F"));
    MidiRecorder all;
    all.SetOptions(MidiRead::kRawAll);
    ASSERT_EQ(all.ReadBytes(smf.Bytes()), 1);
    EXPECT_THAT(Events(all), ElementsAre("RawEvent 91 3C 64", "RawEvent 91 3E 64",
                                         "RawEvent B1 07 5A", "RawEvent FF 51 03 09 27 C0",
                                         "RawEvent F0 05 7E 7F 09 01 F7", "RawEvent FF 2F 00"));
    EXPECT_EQ(all.Tempo(), 500000u);  // nothing was decoded

    struct Volume : MidiRecorder {
        void OnVolume(int channel, int value) override {
            log.push_back(StrFormat("Volume %d %d", channel, value));
        }
    } own, generic;
    ASSERT_EQ(own.ReadBytes(smf.Bytes()), 1);
    EXPECT_THAT(own.Lines("Volume"), ElementsAre("Volume 1 90"));
    generic.SetOptions(MidiRead::kAllControllersGeneric);
    ASSERT_EQ(generic.ReadBytes(smf.Bytes()), 1);
    EXPECT_THAT(generic.Lines("Volume"), IsEmpty());
    EXPECT_THAT(generic.Lines("Controller"), ElementsAre("Controller 1 7 90"));

    MidiRecorder skip;
    skip.SetOptions(MidiRead::kSkipTrackContents);
    ASSERT_EQ(skip.ReadBytes(smf.Bytes()), 1);
    EXPECT_THAT(Events(skip), IsEmpty());
    EXPECT_THAT(skip.Lines("TrackEnd"), ElementsAre("TrackEnd 1"));
}

}  // namespace
}  // namespace kelvane

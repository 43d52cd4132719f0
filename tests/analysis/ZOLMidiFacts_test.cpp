// The facts the analyser collects while the MIDI data are read: markers and the section list,
// texts, karaoke, flags, keyboard identification, voices, the info text, and the result of a
// file that cannot be read.
#include <gtest/gtest.h>

#include "analysis/AnalyseTestEnv.h"
#include "analysis/ZOLKeyboardData.h"
#include "support/StyleFileBuilder.h"

namespace kelvane {
namespace {

using test::Bytes;
using test::SmfBuilder;
using test::StyleMidi;

using FactsTest = test::AnalyseTest;

TEST_F(FactsTest, MarkersAreCountedByTheirBeginningAndListedWithMeasures) {
    const AnalysisResult& r = Facts(StyleMidi({"SFF1", "SInt", "Main A", "Main B", "Fill In AA",
                                               "Ending A", "Intro C", "Break", "SFF2", "main x"})
                                        .Bytes());
    EXPECT_EQ(StrFormat("%d %dM %dI %dE %dF %dB A%d %d/%d/%d", r.markers, r.mainCount, r.introCount,
                        r.endingCount, r.fillInCount, r.breakCount, r.mainA, r.sff1Count,
                        r.sff2Count, r.sintCount),
              "10 2M 1I 1E 1F 1B A1 1/1/1");
    std::vector<std::string> sections;
    for (int i = 0; i < r.sectionCount; ++i) {
        const SectionEntry& s = r.sections[static_cast<size_t>(i)];
        sections.push_back(StrFormat("%s %d-%d", s.name.c_str(), s.startMeasure, s.endMeasure));
    }
    // One marker per measure from measure 1; the data end where measure 11 begins.
    EXPECT_EQ(sections, (std::vector<std::string>{"Main A 3-3", "Main B 4-4", "Fill In AA 5-5",
                                                  "Ending A 6-6", "Intro C 7-7", "Break 8-11"}));
}

// Each section as "name start-end;".
std::string SectionMeasures(const AnalysisResult& r) {
    std::string text;
    for (int i = 0; i < r.sectionCount; ++i) {
        const SectionEntry& s = r.sections[static_cast<size_t>(i)];
        text += StrFormat("%s %d-%d;", s.name.c_str(), s.startMeasure, s.endMeasure);
    }
    return text;
}

TEST_F(FactsTest, MeasuresFollowTheTimeSignaturesBarLength) {
    const std::vector<std::string> markers{"SFF1",   "Intro A", "Main A",
                                           "Main B", "Main C",  "Main D"};
    // 3/4 and 6/8 bars of three quarters, 12/8 of six, 2/2 of four, 5/16 of one and a quarter.
    for (const auto& [n, d] : {std::pair{3, 4}, {6, 8}, {12, 8}, {2, 2}, {5, 16}, {7, 8}}) {
        SCOPED_TRACE(StrFormat("%d/%d", n, d));
        const AnalysisResult& r = Facts(StyleMidi(markers, 96, 500000, n, d).Bytes());
        EXPECT_EQ(SectionMeasures(r), "Intro A 2-2;Main A 3-3;Main B 4-4;Main C 5-5;Main D 6-7;");
    }
}

TEST_F(FactsTest, WithoutTimeSignatureEveryMeasureIsOne) {
    SmfBuilder smf(0, 480);
    smf.AddTrack().Marker(0, "Main A").Marker(5000, "Main B").Note(0, 0, 60, 1, 9000);
    const AnalysisResult& r = Facts(smf.Bytes());
    ASSERT_EQ(r.sectionCount, 2);
    EXPECT_EQ(r.sections[1].startMeasure, 1);
    EXPECT_EQ(r.sections[0].endMeasure, 0);
}

TEST_F(FactsTest, TextsAreTrimmedCutAndSortedByKind) {
    SmfBuilder smf(1, 96);
    smf.AddTrack()
        .TrackName(0, "  Title  ")
        .Copyright(0, " (c) Someone ")
        .Copyright(0, " (c) Later ")
        .Text(0, 1, "@TTooEarly")
        .Tempo(0, 461538)
        .Tempo(0, 300000)
        .TimeSignature(0, 6, 8)
        .TimeSignature(0, 3, 4);
    smf.AddTrack()
        .Text(0, 1, "@kmidi KARAOKE FILE")
        .Text(0, 1, "@TSong")
        .Text(0, 1, "@TSinger")
        .Text(0, 1, "@TThird")
        .Text(0, 1, "@TFourth")
        .Lyric(0, "x")
        .TrackName(0, std::string("Words\0hidden", 12));
    smf.AddTrack().Lyric(0, "la").TrackName(0, std::string(600, 'n'));
    smf.AddTrack().SequencerSpecific(0, std::string("\x43\x7B\x01\x00\x00\x00\x00", 7));
    const AnalysisResult& r = Facts(smf.Bytes());
    EXPECT_EQ(r.copyright, "(c) Later");
    EXPECT_EQ(r.trackNames[1], "Title");
    EXPECT_EQ(r.trackNames[2], "Words");
    EXPECT_EQ(r.trackNames[3].size(), analysis::kMaxMetaText);
    EXPECT_TRUE(r.karaoke && r.lyrics && r.chords);
    EXPECT_EQ(r.karaokeTextCount, 3);
    EXPECT_EQ(r.karaokeTexts[0] + "|" + r.karaokeTexts[1] + "|" + r.karaokeTexts[2],
              "Song|Singer|Third");
    EXPECT_EQ(r.tempoBpm, 130);
    EXPECT_EQ(StrFormat("%d/%d", r.timeSigNumerator, r.timeSigDenominator), "6/8");
    // Tracks 2 and 3 have content (karaoke mark, lyric): only the title track names the file.
    EXPECT_EQ(r.infoText, "Title");
}

TEST_F(FactsTest, InfoTextComesFromTheTracksWithoutNotes) {
    struct Case {
        std::vector<std::pair<std::string, bool>> tracks;  // name, has a note
        const char* expected;
    };
    const Case cases[] = {
        {{{"untitled", false}}, ""},
        {{{"Piano", true}}, "Piano"},
        {{{"Song", false}, {"Piano", true}, {"123", false}, {"UNTITLED", false}, {"Artist", false}},
         "Song Artist"},
    };
    for (const Case& c : cases) {
        SmfBuilder smf(1, 96);
        for (const auto& [name, note] : c.tracks) {
            test::TrackBuilder& track = smf.AddTrack().TrackName(0, name);
            if (note) {
                track.Note(0, 0, 60, 90, 10);
            }
        }
        EXPECT_EQ(Facts(smf.Bytes()).infoText, c.expected);
    }
}

TEST_F(FactsTest, SysexIdentifiesTheKeyboardAndTheVocalHarmonyChannel) {
    dir.Write("kbd/test.kby",
              "KBD_NAME = Alpha\nKBD_ID = 66\nKBD_ID = 1\nKBD_STYLE = Pop Rock ; 300\n");
    KeyboardData().LoadKeyboardData(dir.Folder() + "kbd/");
    struct Case {
        std::string sysex;  // after F0 and its length
        const char* expected;
    };
    const Case cases[] = {
        {Bytes({0x43, 0x73, 0x42, 0x11, 0x00, 0x16, 0x02, 0x2C, 0xF7}), "Alpha/Pop Rock/0"},
        {Bytes({0xF0, 0x43, 0x73, 0x01, 0x42, 0x11, 0x00, 0x16, 0x02, 0x2C, 0xF7}),
         "Alpha/Pop Rock/0"},
        {Bytes({0x43, 0x73, 0x01, 0x51, 0x05, 0x00, 0x03, 0x04, 0x00, 0x00, 0x02, 0x2C, 0xF7}),
         "Alpha/Pop Rock/0"},
        {Bytes({0x43, 0x73, 0x42, 0x11, 0x00, 0x16, 0xF7}), "//0"},  // too short for a style
        {Bytes({0x43, 0x10, 0x4C, 0x04, 0x00, 0x14, 0x0F, 0xF7}), "//16"},
        {Bytes({0x43, 0x10, 0x4C, 0x04, 0x00, 0x14, 0x10, 0xF7}), "//0"},
    };
    for (const Case& c : cases) {
        SmfBuilder smf(0, 96);
        smf.AddTrack().Sysex(0, c.sysex);
        const AnalysisResult& r = Facts(smf.Bytes());
        EXPECT_EQ(StrFormat("%s/%s/%d", r.keyboardModel.c_str(), r.keyboardStyle.c_str(),
                            r.vocalHarmonyChannel),
                  c.expected);
    }
    KeyboardData().Unload();
}

TEST_F(FactsTest, TraceAllSysexWritesEveryMessage) {
    TraceInto(false, false);
    // The developer command switches the trace on at its debug level as well.
    TraceOn(trace::kDebug);
    SetTraceAllSysex(true);
    SmfBuilder smf(0, 96);
    smf.AddTrack()
        .Sysex(0, Bytes({0x43, 0x10, 0x4C, 0x04, 0x00, 0x14, 0x0F, 0xF7}))
        .Sysex(0, std::string(999, '\x01') + "\xF7");
    Facts(smf.Bytes());
    SetTraceAllSysex(false);
    const std::string trace = TraceText();
    EXPECT_NE(trace.find(" ! SYSEX: 43 10 4C 04 00 14 0F F7"), std::string::npos) << trace;
    EXPECT_NE(trace.find("SYSEX too long - 1000"), std::string::npos) << trace;
}

TEST_F(FactsTest, VoicesAreCollectedPerChannelWithTheirEvents) {
    SmfBuilder smf(0, 96);
    smf.AddTrack()
        .Controller(0, 0, 0, 8)  // before any program: listed only
        .ProgramChange(0, 0, 0)
        .Controller(0, 0, 0, 1)
        .Controller(0, 0, 32, 2)
        .Controller(0, 0, 91, 40)
        .Controller(0, 0, 91, 50)
        .Controller(0, 0, 7, 100)
        .ProgramChange(0, 9, 25)
        .ProgramChange(0, 9, 3)
        .ProgramChange(0, 4, 127)
        .Controller(0, 4, 93, 9)
        .Controller(0, 4, 5, 64);
    const AnalysisResult& r = Facts(smf.Bytes());
    std::vector<std::string> voices;
    for (int ch = 0; ch < analysis::kChannelSlots; ++ch) {
        for (const VoiceEntry* v = r.VoicesBegin(ch); v != r.VoicesEnd(ch); ++v) {
            voices.push_back(StrFormat("%d:%d %s %d/%d r%d c%d", ch, v->program, v->shortName,
                                       v->bankHigh, v->bankLow, v->reverb, v->chorus));
        }
    }
    EXPECT_EQ(voices,
              (std::vector<std::string>{"0:0 GrandPno 1/2 r40 c-1", "4:127 Gunshot -1/-1 r-1 c9",
                                        "9:25 Dr3 -1/-1 r-1 c-1", "9:3 3 -1/-1 r-1 c-1"}));
    std::vector<std::string> events;
    const CZOLMidiEventTrace& trace = analyser.EventTrace();
    for (size_t i = 0; i < trace.Count(); ++i) {
        events.push_back(StrFormat("%d %s", trace.Channel(i), trace.Text(i).c_str()));
    }
    EXPECT_EQ(events,
              (std::vector<std::string>{
                  "0 Bank select high = 8", "0 Voice = 01 (GrandPno)", "0 Bank select high = 1",
                  "0 Bank select low = 2", "0 Reverb = 40", "0 Reverb = 50", "0 Volume = 100",
                  "9 Voice = 26 (Dr3)", "9 Voice = 04 (3)", "4 Voice = 128 (Gunshot)",
                  "4 Chorus = 9", "4 Portamento time = 64"}));
}

TEST_F(FactsTest, AFileThatCannotBeReadKeepsOnlyItsTrackCounts) {
    SmfBuilder smf(1, 96);
    smf.AddTrack().TrackName(0, "Name").Note(0, 0, 60, 1, 5).Raw(Bytes({0x00, 0xF4}));
    smf.AddTrack().Note(0, 0, 60, 1, 5);
    const AnalysisResult& r = Facts(smf.Bytes());
    EXPECT_TRUE(r.midiError);
    EXPECT_EQ(r.tracks, 2);
    EXPECT_GT(r.track1Length, 0);
    EXPECT_EQ(r.trackNames[1], "");
    EXPECT_EQ(r.relatedId, 0);
    EXPECT_EQ(r.tempoBpm, 0);
}

TEST_F(FactsTest, LengthIsTheLongestTrackInMinutesAndSeconds) {
    SmfBuilder smf(1, 1000);
    smf.AddTrack().Tempo(0, 1000000).Note(0, 0, 60, 1, 125900);  // 125.9 s
    smf.AddTrack().Note(0, 0, 60, 1, 1000);
    const AnalysisResult& r = Facts(smf.Bytes());
    EXPECT_EQ(StrFormat("%02d:%02d", r.lengthMinutes, r.lengthSeconds), "02:05");
    EXPECT_EQ(r.longestTrackTicks, 125900);
}

}  // namespace
}  // namespace kelvane

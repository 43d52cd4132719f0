// The timed event list, the tempo and meter maps, and the sections of a style's MIDI data.
#include "analysis/SectionMap.h"

#include <gtest/gtest.h>

#include "support/SmfBuilder.h"

namespace kelvane {
namespace {

using test::SmfBuilder;

std::span<const uint8_t> Span(const std::string& bytes) {
    return {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()};
}

MidiEventList Read(const std::string& bytes) {
    MidiEventList list;
    EXPECT_TRUE(ReadMidiEvents(Span(bytes), list)) << list.problem;
    return list;
}

TEST(MidiEventsTest, TracksMergeInTickOrderAndKeepTrackOrderWithinATick) {
    SmfBuilder smf(1, 96);
    smf.AddTrack().Tempo(0, 400000).Marker(96, "Main A");
    smf.AddTrack().NoteOn(0, 2, 60, 100).NoteOn(96, 2, 62, 90).NoteOff(48, 2, 60);
    smf.AddTrack().ProgramChange(96, 3, 5).Sysex(0, test::Bytes({0x43, 0x10, 0xF7}));
    const MidiEventList list = Read(smf.Bytes());
    ASSERT_EQ(list.events.size(), 10u);  // three ends of track among them
    std::vector<std::pair<int64_t, int>> order;
    for (const MidiEvent& e : list.events) {
        order.emplace_back(e.tick, e.status == MidiEvent::kMeta ? 0x100 + e.data1 : e.status);
    }
    const std::vector<std::pair<int64_t, int>> expected = {
        {0, 0x151}, {0, 0x92},  {96, 0x106}, {96, 0x12F}, {96, 0x92},
        {96, 0xC3}, {96, 0xF0}, {96, 0x12F}, {144, 0x82}, {144, 0x12F}};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(list.endTick, 144);
    EXPECT_EQ(list.Text(list.events[2]), "Main A");
    EXPECT_EQ(list.Payload(list.events[6]).size(), 3u);
}

TEST(MidiEventsTest, BrokenTrackKeepsWhatCameBeforeIt) {
    SmfBuilder smf(1, 480);
    smf.AddTrack().NoteOn(0, 0, 60, 100).NoteOff(480, 0, 60);
    smf.AddTrack().NoteOn(10, 1, 64, 100).Raw("\x05\xF4");  // F4 is no MIDI command
    MidiEventList list;
    ASSERT_TRUE(ReadMidiEvents(Span(smf.Bytes()), list));
    EXPECT_FALSE(list.problem.empty());
    ASSERT_EQ(list.events.size(), 4u);
    EXPECT_EQ(list.events[1].Channel(), 1);
    EXPECT_FALSE(ReadMidiEvents(Span(std::string("RIFF\0\0\0\0", 8)), list));
    EXPECT_FALSE(list.problem.empty());
}

TEST(MidiTimeMapTest, TempoChangesDriveTimeBothWays) {
    SmfBuilder smf(0, 480);
    smf.AddTrack().Tempo(0, 500000).Tempo(960, 250000).NoteOn(960, 0, 60, 1);
    const MidiEventList list = Read(smf.Bytes());
    const TempoMap map = BuildTempoMap(list);
    EXPECT_EQ(MicrosecondsAt(map, 960), 1'000'000);
    EXPECT_EQ(MicrosecondsAt(map, 1920), 1'500'000);
    EXPECT_EQ(TickAtMicroseconds(map, 1'500'000), 1920);
    EXPECT_EQ(TickAtMicroseconds(map, 1'000'001), 961);
    EXPECT_EQ(TempoAt(map, 959), 500000u);
    EXPECT_EQ(TempoAt(map, 960), 250000u);
}

TEST(MidiTimeMapTest, TimeBackToTickGivesTheFirstTickOfThatMicrosecond) {
    // At one microsecond per quarter, ticks 1056 .. 1096 all fall on the tempo point's time.
    SmfBuilder smf(0, 96);
    smf.AddTrack().Tempo(0, 500000).Tempo(96, 1).NoteOn(960, 0, 60, 1).Tempo(40, 500000);
    const TempoMap map = BuildTempoMap(Read(smf.Bytes()));
    ASSERT_EQ(MicrosecondsAt(map, 1056), MicrosecondsAt(map, 1096));
    EXPECT_LE(TickAtMicroseconds(map, MicrosecondsAt(map, 1056)), 1056);
    EXPECT_EQ(MicrosecondsAt(map, TickAtMicroseconds(map, MicrosecondsAt(map, 1056))),
              MicrosecondsAt(map, 1056));
}

TEST(MidiTimeMapTest, BarsFollowTheMeterInForce) {
    // 3/4 for two bars, then 6/8 from a point half-way through the third bar, which ends early.
    SmfBuilder smf(0, 480);
    smf.AddTrack().TimeSignature(0, 3, 4).TimeSignature(2 * 1440 + 720, 6, 8).NoteOn(2880, 0, 1, 1);
    const MeterMap meter = BuildMeterMap(Read(smf.Bytes()));
    EXPECT_EQ(BarAt(meter, 0), 1);
    EXPECT_EQ(BarAt(meter, 1439), 1);
    EXPECT_EQ(BarAt(meter, 1440), 2);
    EXPECT_EQ(BarAt(meter, 2880 + 719), 3);
    EXPECT_EQ(BarAt(meter, 3600), 4);  // the first 6/8 bar (1,440 ticks)
    EXPECT_EQ(BarAt(meter, 3600 + 1440), 5);
    EXPECT_EQ(BarsBetween(meter, 0, 2880), 2);
    EXPECT_EQ(BarsBetween(meter, 0, 2881), 3);  // a bar begun counts
    EXPECT_EQ(BarsBetween(meter, 1440, 3600 + 2880), 4);
    EXPECT_EQ(BarsBetween(meter, 100, 100), 0);
}

TEST(SectionMapTest, SectionsRunFromMarkerToMarkerAfterTheInitialisationPart) {
    SmfBuilder smf(0, 480);
    smf.AddTrack()
        .TimeSignature(0, 3, 4)
        .Marker(0, "SFF1")
        .Marker(0, "SInt")
        .ProgramChange(0, 8, 0)
        .Marker(1440, "Intro A")
        .Marker(2 * 1440, "Main A")
        .Note(0, 9, 36, 100, 100)
        .Marker(4 * 1440 - 100, "Fill In AA")
        .Marker(1440, "Ending A")
        .EndOfTrack(1000);
    const MidiEventList list = Read(smf.Bytes());
    const SectionMap map = BuildSectionMap(list, BuildMeterMap(list));
    EXPECT_EQ(map.initEndTick, 1440);
    ASSERT_EQ(map.sections.size(), 4u);
    const StyleSection& main = map.sections[1];
    EXPECT_EQ(main.name, "Main A");
    EXPECT_EQ(main.kind, SectionKind::kMain);
    EXPECT_EQ(main.startTick, 3 * 1440);
    EXPECT_EQ(main.endTick, 7 * 1440);
    EXPECT_EQ(main.firstBar, 4);  // 3/4: a bar is 3 quarter notes, not 4
    EXPECT_EQ(main.bars, 4);
    EXPECT_EQ(map.sections[3].firstBar, 9);
    EXPECT_EQ(map.sections[3].bars, 1);  // 1,000 ticks of a 1,440-tick bar
    EXPECT_EQ(FindSection(map, "fill in aa"), &map.sections[2]);
    EXPECT_EQ(FindSection(map, "Break A"), nullptr);
    EXPECT_FALSE(SectionKindOfMarker("SInt"));
}

}  // namespace
}  // namespace kelvane

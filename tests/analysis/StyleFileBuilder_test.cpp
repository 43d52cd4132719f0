// The style file builder writes the section layouts the section walker reads; a fault here
// would make the walker's tests test the wrong bytes.
#include "support/StyleFileBuilder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "analysis/MidiRecorder.h"

namespace kelvane {
namespace {

using test::Be32;
using test::FinderRecord;
using test::StyleFileBuilder;
using ::testing::ElementsAre;

uint32_t At32(const std::string& s, size_t p) {
    return (uint32_t(uint8_t(s[p])) << 24) | (uint32_t(uint8_t(s[p + 1])) << 16) |
           (uint32_t(uint8_t(s[p + 2])) << 8) | uint8_t(s[p + 3]);
}

TEST(StyleFileBuilder, FinderRecordFollowsTheRecordLayout) {
    FinderRecord record{.tempo = 461538,
                        .numerator = 3,
                        .denominator = 4,
                        .title = "Title",
                        .genre = "Pop",
                        .keyword1 = "k1",
                        .keyword2 = ""};
    const std::string bytes = record.Bytes();
    EXPECT_EQ(record.Length(), 5u + 3 + 2 + 0 + 37);
    ASSERT_EQ(bytes.size(), record.Length() + 8);
    EXPECT_EQ(bytes.substr(0, 4), "FNRP");
    EXPECT_EQ(At32(bytes, 4), record.Length());
    EXPECT_EQ(bytes.substr(8, 5), std::string("\x07\x0A\xE2\x03\x04", 5));
    EXPECT_EQ(bytes.substr(13, 4), "Mnam");
    EXPECT_EQ(At32(bytes, 17), 5u);
    EXPECT_EQ(bytes.substr(21, 5), "Title");
    EXPECT_EQ(bytes.substr(26, 8), "Gnam" + Be32(3));
    EXPECT_EQ(bytes.substr(37, 10), "Kwd1" + Be32(2) + "k1");
    EXPECT_EQ(bytes.substr(47), "Kwd2" + Be32(0));

    record.tags[1] = "Gnan";
    record.declaredLength = 7;
    record.declaredTextLength[0] = 99;
    const std::string broken = record.Bytes();
    EXPECT_EQ(At32(broken, 4), 7u);
    EXPECT_EQ(At32(broken, 17), 99u);
    EXPECT_EQ(broken.substr(26, 4), "Gnan");
}

TEST(StyleFileBuilder, SectionsFollowTheMidiPartInOrderWithTheirLengths) {
    const FinderRecord a{.title = "A"}, b{.title = "Bb", .genre = "G"};
    StyleFileBuilder style(test::StyleMidi({"SFF2", "SInt", "Main A"}));
    style.Stray(std::string(2, '\0')).Casm("casm").Ots(3).Mdb({a, b}, 4, "tail").Mhtr("");
    const std::string bytes = style.Bytes();
    const auto& at = style.Offsets();
    ASSERT_EQ(at.size(), 5u);
    EXPECT_EQ(at[0], style.MidiSize());
    EXPECT_EQ(at[1], at[0] + 2);
    EXPECT_EQ(bytes.substr(at[1], 12), "CASM" + Be32(4) + "casm");
    EXPECT_EQ(bytes.substr(at[2], 4), "OTSc");
    EXPECT_EQ(bytes.substr(at[2] + 8, 4), "MTrk");
    EXPECT_EQ(bytes.substr(at[3], 4), "FNRc");
    // The section length counts the records (L + 8 each) plus the adjustment, not the tail.
    EXPECT_EQ(At32(bytes, at[3] + 4), a.Length() + 8 + b.Length() + 8 + 4);
    EXPECT_EQ(bytes.substr(at[4] - 4, 4), "tail");
    EXPECT_EQ(bytes.substr(at[4]), "MHtr" + Be32(0));
    EXPECT_EQ(style.Truncated(at[1] + 3), bytes.substr(0, at[1] + 3));

    // The MIDI part reads as one format 0 track with the markers a measure apart, and the OTS
    // tracks are MIDI tracks the reader accepts.
    test::MidiRecorder midi;
    ASSERT_EQ(midi.ReadBytes(bytes.substr(0, style.MidiSize())), 1);
    EXPECT_THAT(midi.Lines("Text 6"),
                ElementsAre("Text 6 marker SFF2", "Text 6 marker SInt", "Text 6 marker Main A"));
    EXPECT_THAT(midi.trackTicks, ElementsAre(3 * 4 * 480));
    test::MidiRecorder ots;
    const std::string otsTracks = bytes.substr(at[2] + 8, at[3] - at[2] - 8);
    test::SmfBuilder header(1, 480);
    ASSERT_EQ(ots.ReadBytes(header.DeclaredTracks(3).Bytes() + otsTracks), 1);
    EXPECT_EQ(ots.Lines("NoteOn").size(), 3u);
}

}  // namespace
}  // namespace kelvane

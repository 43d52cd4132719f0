// The extended information listing, line by line.
#include "analysis/ZOLExtendedInfo.h"

#include <gtest/gtest.h>

#include "analysis/AnalyseTestEnv.h"
#include "support/StyleFileBuilder.h"

namespace kelvane {
namespace {

using test::SmfBuilder;

using ExtendedInfoTest = test::AnalyseTest;

TEST_F(ExtendedInfoTest, StyleListingInItsOrder) {
    SmfBuilder smf(0, 480);
    smf.AddTrack()
        .TrackName(0, "Style")
        .Tempo(0, 500000)
        .TimeSignature(0, 4, 4)
        .Sysex(0, test::Bytes({0x7E, 0x7F, 0x09, 0x01, 0xF7}))
        .ProgramChange(0, 1, 4)
        .Controller(0, 1, 91, 20)
        .Marker(0, "Main A")
        .Marker(1920, "Fill In AA")
        .Marker(0, "Fill In BB")  // starts in the same measure: left out
        .Marker(1920, "Main B")
        .Note(0, 0, 60, 90, 1920);
    const std::string path = dir.Write("S.sty", smf.Bytes());
    ASSERT_EQ(AnalyseFile(analyser, *record, path, "S.sty"), 0);
    const std::vector<std::string> lines = ExtendedInfoLines(path, record, InfoMode::Extended);
    const std::vector<std::string> head = {
        "Filename : " + path,
        "",
        "Type : GM",
        "Tempo : 120",
        "Nr of tracks : 1",
        "Name of track 1 : Style",
        "",
        "Style sections:",
        "\tMain A\t\tStart measure=1\tEnd measure=1\tLength=1",
        "\tFill In AA\t\tStart measure=2\tEnd measure=1\tLength=0",
        "\tMain B\t\tStart measure=3\tEnd measure=4\tLength=2",
        "",
        "Instrument of channel 1 : 4 (115)= ElPiano1, Reverb=20, Chorus=-1",
        "",
        "---------------------------------------",
        "",
        StrFormat("File Id:  %u", static_cast<uint32_t>(record->Number(kFieldFileId))),
        "Filepath:  " + dir.Folder(),
        "Filename:  S.sty",
    };
    ASSERT_GT(lines.size(), head.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + head.size()), head);
    // Empty texts show their header alone; the listing ends with a blank line.
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Author"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Variations:  2M 0I 0E 2F 0B"), lines.end());
    EXPECT_EQ(lines.back(), "");
}

TEST_F(ExtendedInfoTest, MidiListingNamesEveryTrackAndHasNoSections) {
    Start(kRunModeMidi);
    SmfBuilder smf(1, 96);
    for (const char* name : {"One", "Two", "Three"}) {
        smf.AddTrack().TrackName(0, name);
    }
    const std::vector<std::string> lines =
        ExtendedInfoLines(dir.Write("m.mid", smf.Bytes()), nullptr, InfoMode::Extended);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.begin() + 8),
              (std::vector<std::string>{"Nr of tracks : 3", "Name of track 1 : One",
                                        "Name of track 2 : Two", "Name of track 3 : Three", ""}));
}

TEST_F(ExtendedInfoTest, StyleWithoutMarkersAndOtsListing) {
    const std::string path = dir.Write("n.sty", test::StyleMidi({"SFF1"}).Bytes());
    const std::vector<std::string> lines = ExtendedInfoLines(path, nullptr, InfoMode::Extended);
    const auto heading = std::find(lines.begin(), lines.end(), "Style sections:");
    ASSERT_NE(heading, lines.end());
    EXPECT_EQ(*(heading + 1), "\t(none)");
    EXPECT_EQ(
        ExtendedInfoLines(path, nullptr, InfoMode::Ots),
        (std::vector<std::string>{"Filename : " + path, "", "No OTS data found in style file."}));
    const std::string ots =
        dir.Write("o.sty", test::StyleFileBuilder(test::StyleMidi({"SFF1"})).Ots(2).Bytes());
    EXPECT_EQ(ExtendedInfoLines(ots, nullptr, InfoMode::Ots).size(), 2u);
}

}  // namespace
}  // namespace kelvane

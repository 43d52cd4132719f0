// Compares what the reader reports for real MIDI files (and for builder-made ones) with what
// an independent reader, python3-mido, finds in them (tests/analysis/mido_facts.py).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "analysis/MidiRead.h"
#include "analysis/MidoFacts.h"
#include "support/NUVFormat.h"
#include "support/SmfBuilder.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;

const char* const kOpenMsx = test::kOpenMsxFolder;
using test::MidoFacts;

// The facts the script prints, gathered through the callbacks.
class FactsReader : public MidiRead {
  public:
    std::string tempo = "-";
    std::string signature = "-";
    std::string copyright = "-";
    int format = -1, tracks = -1, division = -1;
    int noteOns = 0, noteOffs = 0;
    std::vector<std::string> reports;

    void OnHeader(int f, int t, int d) override { format = f, tracks = t, division = d; }
    void OnTempo(uint32_t us) override {
        if (tempo == "-") {
            tempo = std::to_string(us);
        }
    }
    void OnTimeSignature(int nn, int dd, int, int) override {
        if (signature == "-") {
            signature = StrFormat("%d/%d", nn, dd);
        }
    }
    void OnTextMeta(int type, std::string_view, std::string_view text) override {
        if (type == 2 && copyright == "-") {
            copyright.clear();
            for (unsigned char c : text) {
                copyright += StrFormat("%02x", c);
            }
        }
    }
    void OnNoteOn(int, int, int) override { ++noteOns; }
    void OnNoteOff(int, int, int) override { ++noteOffs; }
    void OnError(const std::string& text, int64_t) override { reports.push_back(text); }
    void OnWarning(const std::string& text, int64_t) override { reports.push_back(text); }

    std::string Line(const std::string& name) const {
        return StrFormat("%s\t%d\t%d\t%d\t%s\t%s\t%s\t%d\t%d", name.c_str(), division, tracks,
                         format, tempo.c_str(), signature.c_str(), copyright.c_str(), noteOns,
                         noteOffs);
    }
};

std::string ReadFacts(const fs::path& path, std::vector<std::string>* reports) {
    FactsReader reader;
    EXPECT_TRUE(reader.Open(path.string(), -1, MidiBuffer::kModeWindowed)) << path;
    EXPECT_EQ(reader.ReadFile(), 1) << path;
    *reports = reader.reports;
    return reader.Line(path.filename().string());
}

TEST(MidiMidoCompare, OpenMsxFilesGiveTheSameFactsAsMido) {
    if (!fs::is_directory(kOpenMsx)) {
        GTEST_SKIP() << kOpenMsx << " is missing (Debian package openttd-openmsx)";
    }
    std::vector<std::string> expected;
    if (!MidoFacts(std::string("'") + kOpenMsx + "'", &expected)) {
        GTEST_SKIP() << "python3-mido is missing in /usr/bin/python3";
    }
    ASSERT_GE(expected.size(), 10u);
    for (const std::string& line : expected) {
        const std::string name = line.substr(0, line.find('\t'));
        std::vector<std::string> reports;
        EXPECT_EQ(ReadFacts(fs::path(kOpenMsx) / name, &reports), line);
        EXPECT_THAT(reports, ::testing::IsEmpty()) << name;
    }
}

TEST(MidiMidoCompare, BuilderFilesAreStandardMidiFiles) {
    test::SmfBuilder smf(1, 384);
    smf.AddTrack().Copyright(0, "(c) \xA9 test").Tempo(0, 461538).TimeSignature(0, 6, 8);
    smf.AddTrack()
        .UseRunningStatus()
        .Sysex(0, test::Bytes({0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0xF7}))
        .Note(0, 3, 60, 100, 96)
        .NoteOn(0, 3, 62, 100)
        .NoteOn(96, 3, 62, 0)
        .PitchBendSensitivity(0, 3, 2)
        .PitchBend(10, 3, 1000)
        .KeySignature(0, -2, 0)
        .Lyric(0, "la");
    test::TempDir dir;
    const std::string path = dir.Write("built.mid", smf.Bytes());
    std::vector<std::string> expected;
    if (!MidoFacts("'" + path + "'", &expected)) {
        GTEST_SKIP() << "python3-mido is missing in /usr/bin/python3";
    }
    ASSERT_EQ(expected.size(), 1u);
    EXPECT_EQ(expected[0], "built.mid\t384\t2\t1\t461538\t6/8\t28632920a92074657374\t2\t2");
    std::vector<std::string> reports;
    EXPECT_EQ(ReadFacts(path, &reports), expected[0]);
}

}  // namespace
}  // namespace kelvane

// The section chain behind a style's MIDI data: counts, errors, stray bytes, Music Finder
// records, and damaged files (wrong, huge and zero lengths, truncation, sections inside
// sections).
#include <gtest/gtest.h>

#include "analysis/AnalyseTestEnv.h"
#include "support/StyleFileBuilder.h"

namespace kelvane {
namespace {

using test::FinderRecord;
using test::StyleFileBuilder;
using test::StyleMidi;

StyleFileBuilder Style() {
    return StyleFileBuilder(StyleMidi({"SFF1", "SInt", "Main A"}));
}

std::vector<FinderRecord> Records(int n) {
    std::vector<FinderRecord> records;
    for (int i = 0; i < n; ++i) {
        records.push_back({.title = "Song " + std::to_string(i), .genre = "Pop", .keyword1 = "k"});
    }
    return records;
}

// What a walk found, as one comparable line.
std::string Summary(const AnalysisResult& r) {
    return StrFormat("casm %d%s ots %d/%d%s mdb %d/%d%s xf %d mh %d%d stray %d", r.casmCount,
                     r.casmError ? "!" : "", r.otsCount, r.otsTracks, r.otsError ? "!" : "",
                     r.mdbCount, r.mdbRecords, r.mdbError ? "!" : "", r.xfPresent, r.mhhdPresent,
                     r.mhtrPresent, r.unexpectedBytes);
}

using SectionsTest = test::AnalyseTest;

TEST_F(SectionsTest, CountsSectionsInAnyOrderAndRepeated) {
    struct Case {
        StyleFileBuilder file;
        const char* expected;
    };
    const std::string mtrk = test::Chunk("MTrk", std::string("\x00\xFF\x2F\x00", 4));
    const Case cases[] = {
        {Style().Casm(std::string(40, '\0')).Ots(4).Mdb(Records(3)),
         "casm 1 ots 1/4 mdb 1/3 xf 0 mh 00 stray 0"},
        {Style().Stray(std::string(2, '\0')).Casm("c"),
         "casm 1 ots 0/-1 mdb 0/-1 xf 0 mh 00 stray 2"},
        // Padding, and bytes that begin a tag's name without being one, each count once.
        {Style().Stray("MHx" + std::string(3000, '\0') + "CAS").Casm("c").Stray("FNR"),
         "casm 1 ots 0/-1 mdb 0/-1 xf 0 mh 00 stray 3009"},
        {Style().Mdb(Records(1)).Ots(2).Casm("a").Casm("b").Xfih("x").Mhtr("t").Mhhd("h").Ots(3),
         "casm 2 ots 2/3 mdb 1/1 xf 1 mh 11 stray 0"},
        // Zero lengths: CASM and XF are not counted, OTS keeps -1 tracks, MDB has 0 records.
        {Style().Casm("").Section("OTSc", "").Mdb({}).Xfih("").Mhhd("").Mhtr(""),
         "casm 0 ots 1/-1 mdb 1/0 xf 0 mh 00 stray 0"},
        // A section inside another is skipped with its host.
        {Style().Casm(test::Chunk("OTSc", mtrk) + test::Chunk("FNRc", "")),
         "casm 1 ots 0/-1 mdb 0/-1 xf 0 mh 00 stray 0"},
        // Bytes before, between and after OTS tracks count as tracks' gaps; ten at most.
        {Style().Section("OTSc", "xy" + mtrk + "z" + mtrk),
         "casm 0 ots 1/3 mdb 0/-1 xf 0 mh 00 stray 0"},
        {Style().Ots(12).Casm("c"), "casm 1 ots 1/10 mdb 0/-1 xf 0 mh 00 stray 0"},
        // Unknown tags are stray bytes, one by one.
        {Style().Section("GLAD", "abc").Casm("c"), "casm 1 ots 0/-1 mdb 0/-1 xf 0 mh 00 stray 11"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Summary(Facts(c.file.Bytes())), c.expected);
    }
}

TEST_F(SectionsTest, BrokenSectionsSetTheirErrorAndEndTheWalk) {
    struct Case {
        StyleFileBuilder file;
        const char* expected;
    };
    FinderRecord misspelled = Records(2)[1];
    misspelled.tags[1] = "Gnan";
    FinderRecord endless = Records(1)[0];
    endless.declaredTextLength[2] = 0xFFFFFFFF;
    const std::string mtrk = test::Chunk("MTrk", "abc");
    const Case cases[] = {
        // The section claims four bytes more than its records take.
        {Style().Mdb(Records(3), 4, std::string(4, '\0')).Casm("c"),
         "casm 0 ots 0/-1 mdb 1/3! xf 0 mh 00 stray 0"},
        {Style().Mdb({Records(1)[0], misspelled, Records(3)[2]}).Casm("c"),
         "casm 0 ots 0/-1 mdb 1/1! xf 0 mh 00 stray 0"},
        {Style().Mdb({endless}), "casm 0 ots 0/-1 mdb 1/0! xf 0 mh 00 stray 0"},
        {Style().CasmDeclared(0xFFFFFFFF, "abc"), "casm 1! ots 0/-1 mdb 0/-1 xf 0 mh 00 stray 0"},
        {Style().Section("OTSc", 0xFFFFFFFF, mtrk), "casm 0 ots 1/-1! mdb 0/-1 xf 0 mh 00 stray 0"},
        {Style().Section("OTSc", test::ChunkDeclared("MTrk", 0xFFFFFFFF, "abc")),
         "casm 0 ots 1/1! mdb 0/-1 xf 0 mh 00 stray 0"},
        {Style().Section("FNRc", 0xFFFFFFFF, Records(1)[0].Bytes()),
         "casm 0 ots 0/-1 mdb 1/1! xf 0 mh 00 stray 0"},
        {Style().Section("XFIH", 0xFFFFFFFF, "x").Casm("c"),
         "casm 0 ots 0/-1 mdb 0/-1 xf 0 mh 00 stray 0"},
        // A CASM of the suspect length 1463 ends the walk at the first stray byte after it.
        {Style().Casm(std::string(1463, 'c')).Stray("?").Mdb(Records(1)),
         "casm 1 ots 0/-1 mdb 0/-1 xf 0 mh 00 stray 1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Summary(Facts(c.file.Bytes())), c.expected);
    }
    // The records read before a broken one are kept as songs.
    Facts(Style().Mdb({Records(1)[0], misspelled}).Bytes());
    ASSERT_EQ(record->songs.size(), 1u);
    EXPECT_EQ(record->songs[0]->Text(kSongFieldTitle), "Song 0");
}

TEST_F(SectionsTest, EveryTruncationEndsInTheSectionItCuts) {
    const StyleFileBuilder style = Style().Casm(std::string(30, 'c')).Ots(2).Mdb(Records(2));
    const std::string bytes = style.Bytes();
    const std::vector<size_t>& starts = style.Offsets();
    for (size_t size = style.MidiSize(); size < bytes.size(); ++size) {
        const AnalysisResult& r = Facts(bytes.substr(0, size));
        ASSERT_FALSE(r.midiError) << size;
        // Cut within a section's length or content: that section's error (for MDB: its
        // length disagrees). Cut at a section start or within its tag: stray bytes at most.
        const int inside = size < starts[1] ? 0 : size < starts[2] ? 1 : 2;
        const size_t into = size - starts[static_cast<size_t>(inside)];
        const bool broken = into >= 4;
        EXPECT_EQ(r.casmError, inside == 0 && broken) << size;
        EXPECT_EQ(r.otsError, inside == 1 && broken) << size;
        EXPECT_EQ(r.mdbError, inside == 2 && broken) << size;
        EXPECT_EQ(r.unexpectedBytes, broken ? 0 : static_cast<int>(into)) << size;
    }
}

TEST_F(SectionsTest, MusicFinderRecordsBecomeSongs) {
    std::vector<FinderRecord> records = {
        {.tempo = 500000, .title = "A"},
        {.tempo = 461538, .numerator = 3, .title = "B"},
        {.tempo = 652174, .numerator = 6, .denominator = 8, .title = "C"},
        {.tempo = 0, .title = std::string("Cut\0here", 8), .genre = std::string(2100, 'g')},
        {.tempo = 1000000, .title = "a"},  // the same title as the first: replaces its values
    };
    Facts(Style().Mdb(records).Bytes());
    ASSERT_EQ(record->songs.size(), 4u);
    std::vector<std::string> songs;
    for (const SongDataPacket* song : record->songs) {
        songs.push_back(StrFormat("%s %d %s %zu", std::string(song->Text(kSongFieldTitle)).c_str(),
                                  song->Number(kSongFieldTempo),
                                  std::string(song->Text(kSongFieldTimeSig)).c_str(),
                                  song->Text(kSongFieldGenre).size()));
    }
    EXPECT_EQ(songs, (std::vector<std::string>{"a 60 4/4 0", "B 130 3/4 0", "C 92 6/8 0",
                                               "Cut 0 4/4 2000"}));
}

TEST_F(SectionsTest, ARecordCutBeforeATagKeepsItsTexts) {
    const std::string bytes = Style().Mdb(Records(1)).Bytes();
    const size_t gnam = bytes.find("Gnam");
    const AnalysisResult& r = Facts(bytes.substr(0, gnam));
    EXPECT_EQ(r.mdbRecords, 1);
    EXPECT_TRUE(r.mdbError);  // the section still claims the rest
    ASSERT_EQ(record->songs.size(), 1u);
    EXPECT_EQ(record->songs[0]->Text(kSongFieldTitle), "Song 0");
    EXPECT_EQ(record->songs[0]->Text(kSongFieldGenre), "");
}

TEST_F(SectionsTest, ProblemsAndStructureGoToTheTraceWhenAsked) {
    TraceInto(true, true);
    const StyleFileBuilder style = Style().Stray("x").Casm("cc").Section("OTSc", "?").Stray("e");
    Facts(style.Bytes());
    const std::string trace = TraceText();
    const int casm = static_cast<int>(style.Offsets()[1]);
    const std::string lines[] = {
        "Analysing file = test.sty",
        StrFormat("File Warning: Unexpexted byte before CASM section, File: test.sty, Position: "
                  "%d (%XH)",
                  casm - 1, casm - 1),
        StrFormat("CASM section - Position: %d (%XH), Length: 2 (2H), End: %d (%XH)", casm, casm,
                  casm + 9, casm + 9),
        StrFormat("File Warning: Unexpexted byte between OTS tracks, File: test.sty, Position: %d",
                  casm + 18),
        StrFormat("File Warning: Unexpexted byte at end of file, File: test.sty, Position: %d",
                  casm + 19),
        "MIDI track - Position: 14 (EH)",
    };
    for (const std::string& line : lines) {
        EXPECT_NE(trace.find(line), std::string::npos) << line << "\n" << trace;
    }
}

}  // namespace
}  // namespace kelvane

// AnalyseFile: the record a file gives in style mode and in midi mode, the errors texts, the
// analyser-version rules for the genre fields, and the file and tweak ids.
#include <gtest/gtest.h>

#include "analysis/AnalyseTestEnv.h"
#include "support/NUVCrc32.h"
#include "support/StyleFileBuilder.h"

namespace kelvane {
namespace {

using test::Bytes;
using test::SmfBuilder;
using test::StyleFileBuilder;
using test::StyleMidi;

using StyleFileTest = test::AnalyseTest;

TEST_F(StyleFileTest, StyleRecordFromMarkersAndSections) {
    struct Case {
        std::string bytes;
        const char* name;
        const char* expected;  // VARIATIONS|CASM|OTS|MDB|STYLEFILE_TYPE|SFF|ERRORS
    };
    SmfBuilder flags(0, 480);
    flags.AddTrack()
        .Marker(0, "SFF2")
        .Marker(0, "Main A")
        .Sysex(0, Bytes({0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7}))
        .Sysex(0, Bytes({0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0xF7}))
        .Marker(0, "SInt");
    SmfBuilder broken(0, 480);
    broken.AddTrack().Marker(0, "SFF1").Raw(Bytes({0x00, 0xF4}));
    SmfBuilder paused(0, 480);
    paused.AddTrack().Marker(0, "SFF1").Marker(0, "SInt").Marker(0, "Main A").Delta(0x0FFFFFFF);
    const Case cases[] = {
        {StyleMidi({"SFF1", "SInt", "Main A", "Main B", "Fill In AA", "Ending A"}).Bytes(),
         "Style.sty", "2M 0I 1E 1F 0B|N|N|N||1|-"},
        {StyleFileBuilder(StyleMidi({"SFF1", "Main A", "Main B", "Fill In AA", "Ending A"}))
             .Stray("x")
             .Bytes(),
         "Style.sty", "2M 0I 1E 1F 0B|N|N|N||1|no SInt, unexpected bytes (1)"},
        {StyleFileBuilder(flags).Casm("c").Ots(4).Mdb({{.title = "T"}}).Casm("d").Bytes(),
         "Style.PRS", "1M 0I 0E 0F 0B|Y|Y 4|Y 1|XG GS Professional|2|multiple CASM sections"},
        {StyleFileBuilder(StyleMidi({"Intro A"})).Section("OTSc", "").Bytes(), "x.pcs",
         "0M 1I 0E 0F 0B|N|Y|N|PianoCombo|0|no SFF1/SFF2, no SInt, no Main A"},
        {"not a MIDI file at all", "a.bcs", "0M 0I 0E 0F 0B|N|N|N|Basic|0|no midi file"},
        {paused.Bytes(), "p.sty", "1M 0I 0E 0F 0B|N|N|N||1|midi problems"},
        {broken.Bytes(), "a.sst", "0M 0I 0E 0F 0B|N|N|N|Session|0|midi error"},
    };
    for (const Case& c : cases) {
        Start(kRunModeStyle);
        ASSERT_EQ(Analyse(c.bytes, c.name), 0);
        EXPECT_EQ(Field(kFieldVariations) + "|" + Field(kFieldCasm) + "|" + Field(kFieldOts) + "|" +
                      Field(kFieldMdb) + "|" + Field(kFieldStylefileType) + "|" + Field(kFieldSff) +
                      "|" + Field(kFieldErrors),
                  c.expected)
            << c.name;
    }
}

TEST_F(StyleFileTest, MidiRecordFromFacts) {
    Start(kRunModeMidi);
    SmfBuilder smf(1, 1000);
    smf.AddTrack()
        .TrackName(0, "Tune")
        .Tempo(0, 461538)
        .TimeSignature(0, 3, 4)
        .Sysex(0, Bytes({0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0xF7}))
        .Sysex(0, Bytes({0x7E, 0x7F, 0x09, 0x01, 0xF7}))
        .Sysex(0, Bytes({0x43, 0x10, 0x4C, 0x04, 0x00, 0x14, 0x02, 0xF7}));
    smf.AddTrack()
        .Text(0, 1, "@KMIDI KARAOKE FILE")
        .Text(0, 1, "@TMy Song")
        .Lyric(0, "la")
        .Raw(Bytes({0x00, 0x90, 0x3C, 0x81}))  // a warning
        .Note(0, 0, 60, 1, 115000);            // 115,000 ticks at 130 bpm
    ASSERT_EQ(Analyse(smf.Bytes(), "song.KAR"), 0);
    const std::pair<int, const char*> expected[] = {
        {kFieldTempo, "130"},        {kFieldMidiInfo, "Tune"},
        {kFieldSong, "My Song"},     {kFieldArtist, ""},
        {kFieldCertainty, "101"},    {kFieldTimeSig, "3/4"},
        {kFieldAnalyser, "20"},      {kFieldErrors, "midi problems"},
        {kFieldTimebase, "1000"},    {kFieldMidiType, "1 XG GM"},
        {kFieldLyrics, "Y"},         {kFieldChords, "N"},
        {kFieldMidiLength, "00:53"}, {kFieldKaraoke, "Y"},
        {kFieldTracks, "2"},         {kFieldVhChannel, "3"},
        {kFieldKeyboard, ""},        {kFieldFilename, "song.KAR"},
    };
    for (const auto& [id, text] : expected) {
        EXPECT_EQ(Field(id), text) << FieldKey(id);
    }
    EXPECT_EQ(Field(kFieldPath), dir.Folder());
    EXPECT_TRUE(record->songs.empty());
}

TEST_F(StyleFileTest, GenreFieldsFollowTheStoredAnalyserValue) {
    for (const auto& [tag, priority] : {std::pair{"SWING", 5}, {"JAZZ", 3}}) {
        SearchTag row{
            .tag = tag, .typeKey = tag, .typeText = tag == std::string("SWING") ? "Swing" : "Jazz"};
        row.priority = priority;
        ASSERT_EQ(AddSearchTag(row), 0);
    }
    const std::string bytes = StyleMidi({"Main A"}).Bytes();
    ASSERT_EQ(Analyse(bytes, "Swing Jazz 1.sty"), 0);
    EXPECT_EQ(Field(kFieldStyleType) + "|" + Field(kFieldCertainty) + "|" + Field(kFieldAnalyser),
              "Swing Jazz|3|18");
    for (const auto& [before, after] : {std::pair{-18, "User|7|-18"}, {2, "User|7|18"}}) {
        AssignStyleField(*record, kFieldStyleType, "User");
        record->SetNumber(kFieldCertainty, 7);
        record->SetNumber(kFieldAnalyser, before);
        ASSERT_EQ(Analyse(bytes, "Swing Jazz 1.sty"), 0);
        EXPECT_EQ(
            Field(kFieldStyleType) + "|" + Field(kFieldCertainty) + "|" + Field(kFieldAnalyser),
            after);
    }
}

TEST_F(StyleFileTest, FilesThatCannotBeAnalysedStillGetARecord) {
    ASSERT_EQ(Analyse("", "empty.sty"), 0);
    EXPECT_EQ(Field(kFieldErrors) + "|" + Field(kFieldFileId) + "|" + Field(kFieldFilesize) + "|" +
                  Field(kFieldCasm) + Field(kFieldOts) + Field(kFieldMdb),
              "empty File|0|0|NNN");
    // Current, so that the next scan keeps the record instead of analysing the file again.
    EXPECT_EQ(Field(kFieldAnalyser), "18");
    record->SetNumber(kFieldAnalyser, 0);
    ASSERT_EQ(AnalyseFile(analyser, *record, dir.Folder() + "gone.sty", "gone.sty"), 0);
    EXPECT_EQ(Field(kFieldErrors), "not analysed");
    // A file that could not be read is tried again at the next scan.
    EXPECT_EQ(Field(kFieldAnalyser), "0");
    EXPECT_EQ(Field(kFieldFilename), "gone.sty");
}

TEST_F(StyleFileTest, IdsFollowTheBytesAndTheNotes) {
    const auto song = [](const char* name, uint32_t shift, int velocity, int channel) {
        SmfBuilder smf(1, 96);
        smf.AddTrack().TrackName(0, name).Copyright(0, "(c)");
        smf.AddTrack().Note(shift, channel, 60, velocity, 10).Note(5, channel, 62, velocity, 3);
        smf.AddTrack().Note(shift, 9, 36, velocity, 1);
        return smf.Bytes();
    };
    const auto ids = [&](const std::string& bytes, const std::string& name) {
        EXPECT_EQ(Analyse(bytes, name), 0);
        uint32_t crc = 0;
        EXPECT_EQ(NUVCalcCRC32ofFile(dir.Folder() + name, crc), 0);
        EXPECT_EQ(record->Number(kFieldFileId), static_cast<int32_t>(crc));
        EXPECT_EQ(record->Number(kFieldDuplicates), static_cast<int32_t>(crc));
        return std::pair{record->Number(kFieldFileId), record->Number(kFieldRelatedId)};
    };
    const auto original = ids(song("A", 0, 100, 0), "a/song.sty");
    EXPECT_EQ(ids(song("A", 0, 100, 0), "b/song.sty"), original);
    const auto renamed = ids(song("B", 0, 100, 0), "renamed.sty");
    EXPECT_NE(renamed.first, original.first);
    EXPECT_EQ(renamed.second, original.second);
    const auto louder = ids(song("A", 0, 50, 3), "louder.sty");
    EXPECT_EQ(louder.second, original.second);
    EXPECT_NE(ids(song("A", 1, 100, 0), "moved.sty").second, original.second);
    SmfBuilder silent(0, 96);
    silent.AddTrack().TrackName(0, "none");
    EXPECT_EQ(ids(silent.Bytes(), "silent.sty").second, 0);
}

TEST_F(StyleFileTest, LargeFilesAreReadThroughTheWindow) {
    const std::string bytes = StyleFileBuilder(StyleMidi({"SFF1", "SInt", "Main A"}))
                                  .Casm(std::string(kWholeFileReadLimit, 'c'))
                                  .Mdb({{.title = "Big"}})
                                  .Bytes();
    ASSERT_EQ(Analyse(bytes, "big.sty"), 0);
    uint32_t crc = 0;
    NUVCalcCRC32ofBuffer(bytes.data(), bytes.size(), crc);
    EXPECT_EQ(record->Number(kFieldFileId), static_cast<int32_t>(crc));
    EXPECT_EQ(Field(kFieldErrors) + "|" + Field(kFieldCasm) + "|" + Field(kFieldMdb), "-|Y|Y 1");
}

TEST(FilesizeValue, FilesOfTwoGibibytesAndMoreNeverShowANegativeSize) {
    EXPECT_EQ(FilesizeValue(0), 0);
    EXPECT_EQ(FilesizeValue(2147483647LL), 2147483647);
    EXPECT_EQ(FilesizeValue(2147483648LL), 2147483647);
    EXPECT_EQ(FilesizeValue(5LL << 30), 2147483647);
}

}  // namespace
}  // namespace kelvane

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/RecordsTestEnv.h"
#include "records/ZOLFieldCatalogue.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

class CatalogueModes : public test::BothModesTest {};

TEST_P(CatalogueModes, KeyLookupIgnoresCaseAndMissesGive99) {
    EXPECT_EQ(FieldIdByKey("tempo"), kFieldTempo);
    EXPECT_EQ(FieldIdByKey("l_PaTh"), kFieldPath);
    EXPECT_EQ(FieldIdByKey("TEMPO "), kFieldNone);
    EXPECT_EQ(FieldIdByKey(""), kFieldNone);
    EXPECT_EQ(FieldIdByKey("NO_SUCH_KEY"), kFieldNone);
    EXPECT_EQ(FieldIdByHeader("time sig."), kFieldTimeSig);
    EXPECT_EQ(FieldIdByHeader("Nr"), kFieldNone);
}

TEST_P(CatalogueModes, CurrentCatalogueFollowsTheRunMode) {
    const bool style = GetParam() == kRunModeStyle;
    EXPECT_STREQ(FieldKey(kFieldStyleName), style ? "STYLE_NAME" : "MIDI_INFO");
    EXPECT_EQ(FieldIdByKey("MIDI_INFO"), style ? kFieldNone : kFieldMidiInfo);
    // The data-file reader relies on the style catalogue alone having "UNUSED" rows.
    EXPECT_EQ(FieldIdByKey("UNUSED"), style ? kFieldUnused28 : kFieldNone);
    EXPECT_EQ(FieldTypeOf(kFieldMidiLength), style ? FT_SHARED_TEXT : FT_OWN_TEXT);
    EXPECT_EQ(FieldTypeOf(kFieldKaraoke), style ? FT_SHARED_TEXT : FT_LETTER);
    EXPECT_EQ(FieldIdByHeader("song title"), style ? kFieldNone : kFieldSong);
}

INSTANTIATE_TEST_SUITE_P(Modes, CatalogueModes, ::testing::Values(kRunModeStyle, kRunModeMidi),
                         test::ModeName);

TEST(FieldCatalogue, BeforeTheRunModeIsChosenTheStyleCatalogueServes) {
    ResetRunMode();
    EXPECT_STREQ(FieldKey(kFieldStyleName), "STYLE_NAME");
    EXPECT_EQ(CatalogueRows(CatalogueKind::Current).data(),
              CatalogueRows(CatalogueKind::Style).data());
}

TEST(FieldCatalogue, ReservedIdsAnswerOutsideTheCatalogue) {
    EXPECT_STREQ(FieldHeader(kFieldRowNumber), "Nr");
    EXPECT_STREQ(FieldHeader(kFieldRowNumber, CatalogueKind::Song), "Nr");
    EXPECT_EQ(FieldTypeOf(kFieldSpecial), FT_SPECIAL);
    EXPECT_EQ(FieldTypeOf(50), FT_NONE);
    EXPECT_EQ(FieldTypeOf(-1), FT_NONE);
    EXPECT_EQ(FieldTypeOf(kStyleFieldCount), FT_NONE);
    EXPECT_EQ(FieldTypeOf(kSongFieldCount, CatalogueKind::Song), FT_NONE);
    EXPECT_EQ(FieldKey(kFieldRowNumber), nullptr);
    EXPECT_EQ(FieldHeader(kFieldNone), nullptr);
    EXPECT_EQ(FieldHeader(kFieldQuickSearch), nullptr);

    const auto nr = FieldColumnTraits(kFieldRowNumber);
    ASSERT_TRUE(nr.has_value());
    EXPECT_EQ(nr->rightAligned, 1);
    EXPECT_EQ(nr->autoWidthFromContent, 1);
    EXPECT_FALSE(FieldColumnTraits(kFieldNone).has_value());
    EXPECT_FALSE(FieldColumnTraits(kSongFieldCount, CatalogueKind::Song).has_value());
}

TEST(FieldCatalogue, SongRowsLinkToStyleFieldsAndMarkStoredFields) {
    EXPECT_EQ(LinkedStyleField(kSongFieldStyleFilename), kFieldFilename);
    EXPECT_EQ(LinkedStyleField(kSongFieldStylePath), kFieldPath);
    EXPECT_EQ(LinkedStyleField(kSongFieldTitle), kFieldNone);
    EXPECT_EQ(LinkedStyleField(kSongFieldCount), kFieldNone);
    EXPECT_EQ(LinkedStyleField(-1), kFieldNone);
    EXPECT_EQ(FieldIdByKey("l_path", CatalogueKind::Song), kSongFieldStylePath);
    EXPECT_EQ(FieldIdByHeader("Style Filename", CatalogueKind::Song), kSongFieldStyleFilename);

    std::vector<int> stored;
    for (const FieldDescriptor& row : CatalogueRows(CatalogueKind::Song)) {
        if (FieldColumnTraits(row.id, CatalogueKind::Song)->inStyleFile == 1) {
            stored.push_back(row.id);
        }
    }
    EXPECT_EQ(stored, (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

// The data files name the written fields in catalogue order; a wrong key or type in a table
// row would break every data file written before.
std::string WrittenKeys(CatalogueKind kind, FieldType skipped) {
    std::string keys;
    for (const FieldDescriptor& row : CatalogueRows(kind)) {
        if (row.type != skipped && row.type != FT_NONE) {
            keys += std::string(row.key) + "|";
        }
    }
    return keys;
}

TEST(FieldCatalogue, WrittenKeysMatchTheDataFileHeaders) {
    EXPECT_EQ(WrittenKeys(CatalogueKind::Style, FT_UNUSED),
              "FILE_ID|L_PATH|L_FILENAME|FILESIZE|TEMPO|STYLE_NAME|STYLE_TYPE|STYLE_SUBTYPE|"
              "CERTAINTY|AUTHOR|AUX|TIME_SIG|RANK|MY_RANK|COPYRIGHT|ANALYSER|ERRORS|FILEDATE|"
              "FILEDATE_U|FILEDATE_L|TIMEBASE|ORIG_MODEL|KBD_MODEL|VARIATIONS|CASM|OTS|MDB|"
              "STYLEFILE_TYPE|DUPLICATES|RELATED_ID|USAGE|SFF|");
    EXPECT_EQ(WrittenKeys(CatalogueKind::Song, FT_STYLE_LINK),
              "SONG_TITLE|GENRE|KEYWORD1|KEYWORD2|TEMPO|TIME_SIG|SONG_TITLE_R|SONG_TITLE_NAT|"
              "SONG_STATUS|ARTIST|");
    EXPECT_EQ(WrittenKeys(CatalogueKind::Midi, FT_UNUSED),
              "FILE_ID|L_PATH|L_FILENAME|FILESIZE|TEMPO|MIDI_INFO|SONG|ARTIST|CERTAINTY|AUTHOR|"
              "AUX|TIME_SIG|RANK|MY_RANK|COPYRIGHT|ANALYSER|ERRORS|FILEDATE|FILEDATE_U|"
              "FILEDATE_L|TIMEBASE|KEYBOARD|STYLE_USED|MIDI_TYPE|LYRICS|CHORDS|MIDI_LENGTH|"
              "KARAOKE|PERFORMER|UPLOADDATE|TRACKS|DUPLICATES|RELATED_ID|USAGE|VH_CHANNEL|");
}

}  // namespace
}  // namespace kelvane

#include <gtest/gtest.h>

#include <string>

#include "output/ZOLSongFromFileName.h"
#include "output/ZOLValidate.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

TEST(ValidateNumberField, RankAcceptsBlanksAndNumbersReadWithAutomaticBase) {
    test::CapturingSink sink;
    for (const char* text : {"", " ", " \t", "012", "0x1F", "+7", "  42\t ", "2147483647"}) {
        EXPECT_TRUE(ValidateNumberField(text, "Rank", 0, kNoMaximum)) << text;
    }
    EXPECT_TRUE(sink.boxes.empty());
}

TEST(ValidateNumberField, RankRefusesWithAMessageNamingTheField) {
    for (const char* text : {"-1", "abc", "12abc", "08", "0x", "4 2", "2147483648", "\n5", "5\n"}) {
        test::CapturingSink sink;
        EXPECT_FALSE(ValidateNumberField(text, "Rank", 0, kNoMaximum)) << text;
        ASSERT_EQ(sink.boxes.size(), 1u) << text;
        EXPECT_EQ(sink.boxes[0].severity, Severity::Warning);
        EXPECT_TRUE(sink.BoxContains("Illegal input for \"Rank\"")) << text;
        EXPECT_TRUE(sink.BoxContains(" - Positive number (0..n)\n")) << text;
    }
}

TEST(ValidateNumberField, TempoRangeIsInclusiveAndSilentWithoutLabel) {
    test::CapturingSink sink;
    EXPECT_TRUE(ValidateNumberField("32", "Tempo", 32, 280));
    EXPECT_TRUE(ValidateNumberField("280", "Tempo", 32, 280));
    EXPECT_FALSE(ValidateNumberField("31", "", 32, 280));
    EXPECT_TRUE(sink.boxes.empty());
    EXPECT_FALSE(ValidateNumberField("281", "Tempo", 32, 280));
    EXPECT_TRUE(sink.BoxContains("(32..280)"));
}

TEST(ValidateTimeSignatureField, AcceptsNOverMFromZeroToSixteen) {
    test::CapturingSink sink;
    for (const char* text :
         {"4/4", "0/16", " 3 / 8", "4/4 x", "4/4 anything else", "  ", "010/4"}) {
        EXPECT_TRUE(ValidateTimeSignatureField(text, "Time Sig.")) << text;
    }
    EXPECT_TRUE(sink.boxes.empty());
    for (const char* text :
         {"4", "4/", "4/ ", "/4", " /4", "17/4", "4/17", "-1/4", "4/4x", "a/4"}) {
        EXPECT_FALSE(ValidateTimeSignatureField(text, "Time Sig.")) << text;
    }
    ASSERT_EQ(sink.boxes.size(), 10u);
    EXPECT_TRUE(sink.BoxContains("Illegal input for \"Time Sig.\"\n\nAllowed input:\n - n/m"));
}

TEST(SongFromFileName, SplitsArtistAndTitle) {
    SongNameParts parts = SongFromFileName("Miller-Title-Part2.sty");
    EXPECT_EQ(parts.artist, "Miller");
    EXPECT_EQ(parts.title, "Title-Part2");
    parts = SongFromFileName("Smith-My Song@Fast Mix.sty");
    EXPECT_EQ(parts.artist, "Smith");
    EXPECT_EQ(parts.title, "My Song");
    parts = SongFromFileName("Ballad.sty");
    EXPECT_EQ(parts.artist, std::nullopt);
    EXPECT_EQ(parts.title, "Ballad");
    parts = SongFromFileName(" Duo - Two.Parts.prs");
    EXPECT_EQ(parts.artist, "Duo");
    EXPECT_EQ(parts.title, "Two.Parts");
}

TEST(SongFromFileName, EmptyPartsLeaveFieldsUnchanged) {
    SongNameParts parts = SongFromFileName(" -@Mix.sty");
    EXPECT_EQ(parts.artist, std::nullopt);
    EXPECT_EQ(parts.title, std::nullopt);
    parts = SongFromFileName("NoExtension");
    EXPECT_EQ(parts.title, "NoExtension");
    EXPECT_EQ(SongFromFileName(".sty").title, std::nullopt);
}

}  // namespace
}  // namespace kelvane

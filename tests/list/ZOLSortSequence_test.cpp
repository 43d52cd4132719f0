#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "list/ZOLSortSequence.h"

namespace kelvane {
namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

int Compare(SortSequence sequence, std::string_view a, std::string_view b) {
    return Sign(TextComparisonOf(sequence)(a, b));
}

std::vector<std::string> Sorted(SortSequence sequence, std::vector<std::string> texts) {
    const TextCompareFn compare = TextComparisonOf(sequence);
    std::sort(texts.begin(), texts.end(),
              [compare](const std::string& a, const std::string& b) { return compare(a, b) < 0; });
    return texts;
}

class SortSequenceSelection : public ::testing::Test {
  protected:
    void TearDown() override { SelectSortSequence("Default"); }
};

TEST_F(SortSequenceSelection, NamesMatchInAnyCaseAndUnknownNamesMeanDefault) {
    EXPECT_EQ(SelectSortSequence("modern"), SortSequence::Modern);
    EXPECT_EQ(CurrentSortSequence(), SortSequence::Modern);
    EXPECT_EQ(SelectSortSequence("CLASSIC"), SortSequence::Classic);
    EXPECT_EQ(SelectSortSequence("Windows"), SortSequence::Windows);
    EXPECT_EQ(SelectSortSequence("Windows "), SortSequence::Default);
    EXPECT_EQ(SelectSortSequence("Modern"), SortSequence::Modern);
    EXPECT_EQ(SelectSortSequence(""), SortSequence::Default);
    EXPECT_STREQ(SortSequenceName(CurrentSortSequence()), "Default");
}

TEST_F(SortSequenceSelection, CompareTextFollowsTheSelectedSequence) {
    SelectSortSequence("Default");
    EXPECT_EQ(Sign(CompareText("Abc", "abc")), 0);
    SelectSortSequence("Modern");
    EXPECT_LT(CompareText("Abc", "abc"), 0);
    EXPECT_EQ(TextComparison(), TextComparisonOf(SortSequence::Modern));
}

TEST(SortSequenceDefault, FoldsCapitalsToSmallLettersAndComparesUnsignedBytes) {
    EXPECT_EQ(Compare(SortSequence::Default, "abc", "ABC"), 0);
    EXPECT_EQ(Compare(SortSequence::Default, "ABD", "abc"), 1);
    EXPECT_EQ(Compare(SortSequence::Default, "ab", "ABC"), -1);
    EXPECT_EQ(Compare(SortSequence::Default, "", ""), 0);
    // Folding goes to small letters, so "_" and "[" sort before every letter.
    EXPECT_EQ(Compare(SortSequence::Default, "_", "A"), -1);
    EXPECT_EQ(Compare(SortSequence::Default, "[", "Z"), -1);
    // Bytes above 0x7F are larger than ASCII, not negative.
    EXPECT_EQ(Compare(SortSequence::Default, "\xE9", "z"), 1);
    EXPECT_EQ(Sorted(SortSequence::Default, {"b", "B2", "_x", "a", "A1", "[", "Zz", "\xE9"}),
              (std::vector<std::string>{"[", "_x", "a", "A1", "b", "B2", "Zz", "\xE9"}));
}

TEST(SortSequenceTables, ModernPutsCapitalsFirstAndDigitsAfterPunctuation) {
    EXPECT_EQ(Compare(SortSequence::Modern, "apple", "Zebra"), -1);
    EXPECT_EQ(Compare(SortSequence::Modern, "Abc", "abc"), -1);
    EXPECT_EQ(Compare(SortSequence::Modern, "abc", "abc"), 0);
    EXPECT_EQ(Compare(SortSequence::Modern, "abc", "abcd"), -1);
    // a-umlaut sits between a and B; the two code points of A-umlaut weigh the same.
    EXPECT_EQ(Compare(SortSequence::Modern, "a", "\xE4"), -1);
    EXPECT_EQ(Compare(SortSequence::Modern, "\xE4", "B"), -1);
    EXPECT_EQ(Compare(SortSequence::Modern, "\xC4", "\x8E"), 0);
    EXPECT_EQ(Sorted(SortSequence::Modern, {"apple", "Zebra", "Abc", "abc", "9lives", ":colon"}),
              (std::vector<std::string>{":colon", "9lives", "Abc", "abc", "apple", "Zebra"}));
}

TEST(SortSequenceTables, ClassicPutsColonAndBracketsAfterLetters) {
    EXPECT_EQ(Sorted(SortSequence::Classic, {"zoo", ":x", "Zoo", "[y", "@a", "A"}),
              (std::vector<std::string>{"@a", "A", "Zoo", "zoo", "[y", ":x"}));
    // Two bytes of equal weight compare equal, the longer text still sorts last.
    EXPECT_EQ(Compare(SortSequence::Classic, "u", "\x7F"), 0);
    EXPECT_EQ(Compare(SortSequence::Classic, "u", "\x7F\x01"), -1);
}

TEST(SortSequenceTables, WindowsPutsDigitsBeforeBlankAndApostropheAmongLetters) {
    EXPECT_EQ(Sorted(SortSequence::Windows, {" a", "1", "'s", "w", "X", "-"}),
              (std::vector<std::string>{"1", " a", "w", "'s", "-", "X"}));
}

struct WeightSample {
    SortSequence sequence;
    unsigned char byte;
    unsigned char weight;
};

// Entries read off the printed tables, at row starts, row ends and irregular places.
TEST(SortSequenceTables, SampledWeightsMatchThePrintedTables) {
    const WeightSample samples[] = {
        {SortSequence::Classic, 0x00, 0x00}, {SortSequence::Classic, 0x3A, 0xF0},
        {SortSequence::Classic, 0x3C, 0xF2}, {SortSequence::Classic, 0x3F, 0xF5},
        {SortSequence::Classic, 0x41, 0x4B}, {SortSequence::Classic, 0x5B, 0xA0},
        {SortSequence::Classic, 0x60, 0xA4}, {SortSequence::Classic, 0x7C, 0xFE},
        {SortSequence::Classic, 0x81, 0xE1}, {SortSequence::Classic, 0x9A, 0xE0},
        {SortSequence::Classic, 0xC4, 0xED}, {SortSequence::Classic, 0xDF, 0xA8},
        {SortSequence::Classic, 0xF6, 0xE2}, {SortSequence::Classic, 0xFF, 0xFF},
        {SortSequence::Modern, 0x30, 0x41},  {SortSequence::Modern, 0x39, 0x4A},
        {SortSequence::Modern, 0x3A, 0x30},  {SortSequence::Modern, 0x40, 0x36},
        {SortSequence::Modern, 0x5F, 0x3B},  {SortSequence::Modern, 0x7B, 0x3D},
        {SortSequence::Modern, 0x84, 0x4E},  {SortSequence::Modern, 0x9E, 0x9E},
        {SortSequence::Modern, 0xDF, 0x79},  {SortSequence::Modern, 0xFC, 0x80},
        {SortSequence::Windows, 0x20, 0x30}, {SortSequence::Windows, 0x22, 0xFF},
        {SortSequence::Windows, 0x27, 0x86}, {SortSequence::Windows, 0x2D, 0x87},
        {SortSequence::Windows, 0x30, 0x20}, {SortSequence::Windows, 0x3D, 0x46},
        {SortSequence::Windows, 0x58, 0x88}, {SortSequence::Windows, 0x5A, 0x9C},
        {SortSequence::Windows, 0x60, 0x41}, {SortSequence::Windows, 0x7A, 0x9D},
        {SortSequence::Windows, 0xE1, 0x79}, {SortSequence::Windows, 0xF6, 0x71},
        {SortSequence::Default, 0x41, 0x61}, {SortSequence::Default, 0x5A, 0x7A},
        {SortSequence::Default, 0x5B, 0x5B}, {SortSequence::Default, 0xC4, 0xC4},
    };
    for (const WeightSample& sample : samples) {
        EXPECT_EQ(SortWeight(sample.sequence, sample.byte), sample.weight)
            << SortSequenceName(sample.sequence) << " byte " << int(sample.byte);
    }
}

}  // namespace
}  // namespace kelvane

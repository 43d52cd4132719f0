#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "ZOLFilterTestSubject.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

using test::DateFilter;
using test::NameFilter;
using test::TempoFilter;

TEST(FilterText, WordsJoinedByOrOrNothingIgnoreCase) {
    test::CapturingSink sink;
    auto either = NameFilter("bossa OR samba");
    EXPECT_TRUE(either.PassesName("Bossa Nova 1"));
    EXPECT_TRUE(either.PassesName("SAMBA"));
    EXPECT_FALSE(either.PassesName("Rumba"));
    auto both = NameFilter("bossa samba");
    EXPECT_TRUE(both.PassesName("SambaBossa"));
    EXPECT_FALSE(both.PassesName("Bossa Nova"));
    // Lower-case keywords are plain words.
    auto words = NameFilter("rock and roll");
    EXPECT_TRUE(words.PassesName("Rock And Roll"));
    EXPECT_FALSE(words.PassesName("Rock Roll"));
    EXPECT_TRUE(sink.boxes.empty());
}

TEST(FilterText, WildcardsChooseStartsEndsOrContains) {
    auto starts = NameFilter("Bossa*");
    EXPECT_TRUE(starts.PassesName("BOSSANOVA"));
    EXPECT_FALSE(starts.PassesName("Slow Bossa"));
    EXPECT_FALSE(starts.PassesName("Bos"));
    auto ends = NameFilter("*8BEAT");
    EXPECT_TRUE(ends.PassesName("Pop 8beat"));
    EXPECT_FALSE(ends.PassesName("8Beat Pop"));
    EXPECT_FALSE(ends.PassesName("beat"));
    auto contains = NameFilter("*ova*");
    EXPECT_TRUE(contains.PassesName("Bossa Nova 1"));
    EXPECT_FALSE(contains.PassesName("Bossa"));
    auto any = NameFilter("*");
    EXPECT_TRUE(any.PassesName(""));
    // "a*b" has no wildcard at either end: the star is part of the word.
    auto inner = NameFilter("a*b");
    EXPECT_TRUE(inner.PassesName("xA*Bx"));
    EXPECT_FALSE(inner.PassesName("axb"));
    // Operators are split off only on number and date fields.
    EXPECT_TRUE(NameFilter("<b>").PassesName("x<B>y"));
    EXPECT_FALSE(NameFilter("<b>").PassesName("b"));
}

TEST(FilterText, OnlyAsciiLettersAreFolded) {
    auto umlaut = NameFilter(
        "\xC4"
        "b");
    EXPECT_TRUE(
        umlaut.PassesName("x\xC4"
                          "B"));
    EXPECT_FALSE(
        umlaut.PassesName("x\xE4"
                          "b"));
}

// The search skips ahead by the byte under the pattern's end; repeated and case-mixed bytes
// must never make it skip a match.
TEST(FilterText, ContainsFindsMatchesAtEveryPosition) {
    auto filter = NameFilter("abab");
    EXPECT_TRUE(filter.PassesName("ABAB"));
    EXPECT_TRUE(filter.PassesName("aaBAbabb"));
    EXPECT_TRUE(filter.PassesName("xxxxxxxxabAB"));
    EXPECT_FALSE(filter.PassesName("abaXbab"));
    EXPECT_FALSE(filter.PassesName("aba"));
    const std::string longWord(300, 'q');
    auto longFilter = NameFilter("z" + longWord);
    EXPECT_TRUE(longFilter.PassesName("yyyZ" + longWord + "y"));
    EXPECT_FALSE(longFilter.PassesName(longWord + "Z"));
}

TEST(FilterNot, TogglesAndCancels) {
    auto negated = NameFilter("NOT rock");
    EXPECT_FALSE(negated.PassesName("Soft Rock"));
    EXPECT_TRUE(negated.PassesName("Jazz"));
    auto twice = NameFilter("NOT NOT rock");
    EXPECT_TRUE(twice.PassesName("Soft Rock"));
    EXPECT_FALSE(twice.PassesName("Jazz"));
    auto group = NameFilter("NOT (rock OR pop)");
    EXPECT_FALSE(group.PassesName("Pop"));
    EXPECT_TRUE(group.PassesName("Jazz"));
}

TEST(FilterGroups, EmptyParenthesesFailAndTheirNegationPasses) {
    EXPECT_FALSE(NameFilter("()").PassesName("anything"));
    EXPECT_FALSE(NameFilter("rock OR ()").PassesName("jazz"));
    EXPECT_TRUE(NameFilter("NOT ()").PassesName("anything"));
}

struct MixedCase {
    const char* input;
    bool (*expected)(bool a, bool b, bool c);
};

// Every combination of three words present or absent against the left-to-right rule.
TEST(FilterConnectors, MixedChainsFollowTheLeftToRightRule) {
    const MixedCase cases[] = {
        {"aa OR bb AND cc", [](bool a, bool b, bool c) { return (a || b) && c; }},
        {"aa AND bb OR cc", [](bool a, bool b, bool) { return a && b; }},
        {"aa OR bb OR cc", [](bool a, bool b, bool c) { return a || b || c; }},
        {"aa AND (bb OR cc)", [](bool a, bool b, bool c) { return a && (b || c); }},
        {"NOT aa OR bb", [](bool a, bool b, bool) { return !a || b; }},
        // An operand right after ")" keeps the connector in force before the group.
        {"(aa) bb", [](bool a, bool b, bool) { return a || b; }},
        {"cc AND (aa) bb", [](bool a, bool b, bool c) { return c && a && b; }},
        {"cc OR (aa) bb", [](bool a, bool b, bool c) { return c || a || b; }},
        {"cc (aa) bb", [](bool a, bool b, bool c) { return c && a && b; }},
    };
    for (const MixedCase& mixed : cases) {
        auto filter = NameFilter(mixed.input);
        ASSERT_EQ(filter.status, 0) << mixed.input;
        for (int bits = 0; bits < 8; ++bits) {
            const bool a = bits & 1, b = bits & 2, c = bits & 4;
            const std::string name =
                std::string(a ? "aa " : "") + (b ? "bb " : "") + (c ? "cc" : "");
            EXPECT_EQ(filter.PassesName(name), mixed.expected(a, b, c))
                << mixed.input << " on '" << name << "'";
        }
    }
}

TEST(FilterNumbers, OperatorsSplitOffAndStayInForce) {
    auto glued = TempoFilter(">=100 AND <=120");
    ASSERT_EQ(glued.status, 0);
    EXPECT_FALSE(glued.PassesTempo(99));
    EXPECT_TRUE(glued.PassesTempo(100));
    EXPECT_TRUE(glued.PassesTempo(120));
    EXPECT_FALSE(glued.PassesTempo(121));
    auto kept = TempoFilter("> 100 OR 90");
    EXPECT_TRUE(kept.PassesTempo(91));
    EXPECT_FALSE(kept.PassesTempo(90));
    auto notEqual = TempoFilter("<>100");
    EXPECT_FALSE(notEqual.PassesTempo(100));
    EXPECT_TRUE(notEqual.PassesTempo(101));
    auto below = TempoFilter("<100");
    EXPECT_TRUE(below.PassesTempo(99));
    EXPECT_FALSE(below.PassesTempo(100));
    // A blank between "<" and "=" makes two operators; the second wins.
    auto split = TempoFilter("< = 100");
    EXPECT_TRUE(split.PassesTempo(100));
    EXPECT_FALSE(split.PassesTempo(99));
}

TEST(FilterNumbers, EachLevelStartsWithEquals) {
    auto filter = TempoFilter("> 100 (200 OR 300)");
    EXPECT_TRUE(filter.PassesTempo(200));
    EXPECT_TRUE(filter.PassesTempo(300));
    EXPECT_FALSE(filter.PassesTempo(150));
    // The outer operator is still in force after the group.
    auto after = TempoFilter("> 300 OR (200) OR 150");
    EXPECT_TRUE(after.PassesTempo(151));
    EXPECT_TRUE(after.PassesTempo(200));
    EXPECT_FALSE(after.PassesTempo(150));
}

TEST(FilterNumbers, ReadFromTheTokenStartAndClampedTo32Bits) {
    EXPECT_TRUE(TempoFilter("120bpm").PassesTempo(120));
    EXPECT_TRUE(TempoFilter("-5").PassesTempo(-5));
    EXPECT_TRUE(TempoFilter("+7").PassesTempo(7));
    auto huge = TempoFilter(">= 99999999999");
    EXPECT_TRUE(huge.PassesTempo(INT_MAX));
    EXPECT_FALSE(huge.PassesTempo(INT_MAX - 1));
    auto lowest = TempoFilter("<= -99999999999");
    EXPECT_TRUE(lowest.PassesTempo(INT_MIN));
    EXPECT_FALSE(lowest.PassesTempo(INT_MIN + 1));
    EXPECT_TRUE(TempoFilter("-2147483648").PassesTempo(INT_MIN));
}

TEST(FilterDates, CompareTheFirstTenCharacters) {
    auto after = DateFilter("> 2003-05-30");
    ASSERT_EQ(after.status, 0);
    EXPECT_TRUE(after.PassesDate("2003-05-31 00:00"));
    EXPECT_FALSE(after.PassesDate("2003-05-30 23:59"));
    EXPECT_FALSE(after.PassesDate("2002-12-31 10:00"));
    auto other = DateFilter("<> 2003-05-30");
    EXPECT_FALSE(other.PassesDate("2003-05-30 12:00"));
    EXPECT_TRUE(other.PassesDate("2003-05-29 12:00"));
    auto glued = DateFilter(">=2003-05-30 AND <2003-06-01");
    EXPECT_TRUE(glued.PassesDate("2003-05-31 08:15"));
    EXPECT_FALSE(glued.PassesDate("2003-06-01 08:15"));
    auto exact = DateFilter("2003-05-30");
    EXPECT_TRUE(exact.PassesDate("2003-05-30 08:15"));
    // A record without a date sorts before every date.
    EXPECT_TRUE(DateFilter("< 1980-01-01").PassesDate(""));
}

TEST(FilterEntries, FirstFailingEntryDecidesAndQuickSearchUsesItsOwnText) {
    CZOLFilterCommon filter;
    ASSERT_EQ(filter.AddFieldFilter(kQuickSearchFieldId, FT_OWN_TEXT, "beat", "Quick"), 0);
    ASSERT_EQ(filter.AddFieldFilter(test::kTempoField, FT_NUMBER, "> 100", "Tempo"), 0);
    ASSERT_EQ(filter.AddFieldFilter(test::kCasmField, FT_LETTER, "Y", "CASM"), 0);
    test::FilterSubjectStub record{"Ballad", 120, "2003-05-30 10:00", "Y", "pop 8beat.sty /x/"};
    EXPECT_EQ(filter.Passes(record), 0);
    record.quick = "Ballad.sty";  // the name holds no "beat" either way
    EXPECT_EQ(filter.Passes(record), 1);
    record.quick = "8beat";
    record.tempo = 90;
    record.casm = "N";
    EXPECT_EQ(filter.Passes(record), 2);
    record.tempo = 101;
    EXPECT_EQ(filter.Passes(record), 3);
}

TEST(FilterEntries, DeepNestingParsesAndEvaluatesWithoutRecursion) {
    const int depth = 5000;
    const std::string input = std::string(depth, '(') + "rock" + std::string(depth, ')');
    auto filter = NameFilter("NOT " + input);
    ASSERT_EQ(filter.status, 0);
    EXPECT_FALSE(filter.PassesName("Rock"));
    EXPECT_TRUE(filter.PassesName("Jazz"));
}

}  // namespace
}  // namespace kelvane

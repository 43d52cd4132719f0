#include <gtest/gtest.h>

#include <string>

#include "ZOLFilterTestSubject.h"
#include "list/ZOLFilterInput.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

using test::DateFilter;
using test::NameFilter;
using test::TempoFilter;

struct SyntaxCase {
    const char* input;
    const char* message;
};

// Each mistake is shown once, as a warning box naming the field, and counts its entry.
TEST(FilterSyntax, EachMistakeShowsItsMessageWithTheFieldName) {
    const SyntaxCase cases[] = {
        {"OR rock", "Illegal OR at beginning of string for 'Style Name'"},
        {"ORGAN", "Illegal OR at beginning of string for 'Style Name'"},
        {"AND rock", "Illegal AND at beginning of string for 'Style Name'"},
        {"(AND rock)", "Illegal AND at beginning of parenthesis for 'Style Name'"},
        {"pop (OR rock)", "Illegal OR at beginning of parenthesis for 'Style Name'"},
        {"rock AND AND pop", "Illegal AND after AND for 'Style Name'"},
        {"rock OR AND pop", "Illegal AND after OR for 'Style Name'"},
        {"rock AND OR pop", "Illegal OR after AND for 'Style Name'"},
        {"rock OR ORIGINAL pop", "Illegal OR after OR for 'Style Name'"},
        {"rock AND", "Missing data after AND for 'Style Name'"},
        {"rock OR", "Missing data after OR for 'Style Name'"},
        {"(rock AND)", "Missing data after AND for 'Style Name'"},
        {"(rock", "Missing closing parenthesis for 'Style Name'"},
        {"((rock) pop", "Missing closing parenthesis for 'Style Name'"},
        {"rock)", "Missing opening parenthesis for 'Style Name'"},
        {"rock) AND AND", "Missing opening parenthesis for 'Style Name'"},
    };
    for (const SyntaxCase& syntax : cases) {
        test::CapturingSink sink;
        auto filter = NameFilter(syntax.input);
        EXPECT_EQ(filter.status, status::kFilterSyntaxError) << syntax.input;
        EXPECT_EQ(filter.filter.EntryCount(), 1) << syntax.input;
        ASSERT_EQ(sink.boxes.size(), 1u) << syntax.input;
        EXPECT_EQ(sink.boxes[0].severity, Severity::Warning);
        EXPECT_TRUE(sink.BoxContains(syntax.message))
            << syntax.input << " showed " << sink.boxes[0].text;
        EXPECT_TRUE(sink.exits.empty());
    }
}

TEST(FilterSyntax, IllegalValuesNameTheFieldAndTheirOwnStatus) {
    test::CapturingSink sink;
    EXPECT_EQ(TempoFilter("fast").status, status::kFilterIllegalNumber);
    EXPECT_TRUE(sink.BoxContains("Illegal value for 'Tempo'"));
    EXPECT_EQ(TempoFilter(">= 100 AND tempo").status, status::kFilterIllegalNumber);
    EXPECT_EQ(TempoFilter("-").status, status::kFilterIllegalNumber);
    EXPECT_EQ(DateFilter("2003-5-30").status, status::kFilterIllegalDate);
    EXPECT_TRUE(sink.BoxContains("Illegal value for 'Filedate'"));
    EXPECT_EQ(sink.boxes.size(), 4u);
    EXPECT_TRUE(sink.exits.empty());
}

TEST(FilterSyntax, DatesMustBeExactlyYearMonthDay) {
    EXPECT_TRUE(IsValidFilterDate("2003-05-30"));
    EXPECT_TRUE(IsValidFilterDate("2003-12-31"));
    EXPECT_TRUE(IsValidFilterDate("2003-01-01"));
    EXPECT_FALSE(IsValidFilterDate("2003-5-30"));
    EXPECT_FALSE(IsValidFilterDate("2003-05-30x"));
    EXPECT_FALSE(IsValidFilterDate("2003/05/30"));
    EXPECT_FALSE(IsValidFilterDate("2003-00-10"));
    EXPECT_FALSE(IsValidFilterDate("2003-13-10"));
    EXPECT_FALSE(IsValidFilterDate("2003-12-00"));
    EXPECT_FALSE(IsValidFilterDate("2003-12-32"));
    EXPECT_FALSE(IsValidFilterDate("20O3-12-01"));
    EXPECT_FALSE(IsValidFilterDate("2003-+5-30"));
}

TEST(FilterSyntax, LongTokensAreCutInto999CharacterPieces) {
    const std::string piece(999, 'x');
    // 999 characters are one word; 1000 are that word AND "X".
    auto exact = NameFilter(piece);
    EXPECT_TRUE(exact.PassesName(piece));
    EXPECT_FALSE(exact.PassesName(piece.substr(1)));
    auto over = NameFilter(piece + "x");
    EXPECT_TRUE(over.PassesName(piece));
    EXPECT_EQ(over.filter.Entry(0).conditions.size(), 2u);
    // A piece that starts with a keyword is that keyword.
    test::CapturingSink sink;
    EXPECT_EQ(NameFilter(piece + "OR").status, status::kFilterSyntaxError);
    EXPECT_TRUE(sink.BoxContains("Missing data after OR for"));
}

TEST(FilterTable, BlankInputsAndUntestedTypesAddNothing) {
    CZOLFilterCommon filter;
    EXPECT_EQ(filter.AddFieldFilter(5, FT_SHARED_TEXT, " \t  ", "Style Name"), 0);
    EXPECT_EQ(filter.AddFieldFilter(8, FT_STYLE_LINK, "x", "Style Filename"), 0);
    EXPECT_EQ(filter.AddFieldFilter(28, FT_UNUSED, "x", ""), 0);
    EXPECT_EQ(filter.EntryCount(), 0);
    EXPECT_EQ(filter.Passes(test::FilterSubjectStub{}), 0);
}

TEST(FilterTable, HoldsSixtyFourEntriesAndRefusesMoreSilently) {
    test::CapturingSink sink;
    CZOLFilterCommon filter;
    for (int i = 0; i < CZOLFilterCommon::kMaxEntries; ++i) {
        ASSERT_EQ(filter.AddFieldFilter(5, FT_SHARED_TEXT, "a", "Style Name"), 0);
    }
    EXPECT_EQ(filter.AddFieldFilter(5, FT_SHARED_TEXT, "a", "Style Name"),
              status::kFilterTableFull);
    // The full table is tested before anything else, even a blank input.
    EXPECT_EQ(filter.AddFieldFilter(5, FT_SHARED_TEXT, "", "Style Name"), status::kFilterTableFull);
    EXPECT_EQ(filter.EntryCount(), CZOLFilterCommon::kMaxEntries);
    EXPECT_TRUE(sink.boxes.empty());
    filter.Reset();
    EXPECT_EQ(filter.AddFieldFilter(5, FT_SHARED_TEXT, "a", "Style Name"), 0);
}

TEST(FilterPool, ResetRecyclesEveryPacketWithoutGrowth) {
    test::CapturingSink sink;
    CZOLFilterCommon filter;
    // Good inputs, a trailing NOT and failures leave packets in different states.
    const char* inputs[] = {"(a OR b) AND NOT (c d)", "x NOT", "(a OR (b", "a AND OR b"};
    filter.AddFieldFilter(5, FT_SHARED_TEXT, inputs[0], "Style Name");
    EXPECT_EQ(filter.Pool().Allocated(), 6u);
    EXPECT_EQ(filter.Pool().FreeCount(), 0u);
    std::size_t afterFirstRound = 0;
    for (int round = 0; round < 50; ++round) {
        filter.Reset();
        EXPECT_EQ(filter.Pool().FreeCount(), filter.Pool().Allocated());
        for (const char* input : inputs) {
            filter.AddFieldFilter(5, FT_SHARED_TEXT, input, "Style Name");
        }
        if (round == 0) {
            afterFirstRound = filter.Pool().Allocated();
        }
        EXPECT_EQ(filter.Pool().Allocated(), afterFirstRound);
    }
    filter.Reset();
    EXPECT_EQ(filter.Pool().FreeCount(), filter.Pool().Allocated());
}

TEST(FilterPool, ExhaustedPoolIsReportedAsAWarningNotAnExit) {
    test::CapturingSink sink;
    CZOLFilterCommon filter;
    std::string flood;
    for (std::size_t i = 0; i <= ConditionPacketPool::kMaxPackets; ++i) {
        flood += "w ";
    }
    EXPECT_EQ(filter.AddFieldFilter(5, FT_SHARED_TEXT, flood, "Style Name"),
              status::kFilterSyntaxError);
    EXPECT_TRUE(sink.BoxContains("Internal Error - Cannot allocate condition packet"));
    EXPECT_TRUE(sink.exits.empty());
    EXPECT_EQ(filter.Pool().Allocated(), ConditionPacketPool::kMaxPackets);
    filter.Reset();
    EXPECT_EQ(filter.AddFieldFilter(5, FT_SHARED_TEXT, "w", "Style Name"), 0);
    EXPECT_EQ(filter.Pool().Allocated(), ConditionPacketPool::kMaxPackets);
}

}  // namespace
}  // namespace kelvane

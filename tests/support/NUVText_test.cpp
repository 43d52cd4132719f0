#include <gtest/gtest.h>

#include "support/NUVText.h"

namespace kelvane {
namespace {

TEST(ParseInteger, AutomaticBaseWithBlanksAround) {
    int value = -1;
    EXPECT_EQ(ParseInteger("  \t42", value), 0);
    EXPECT_EQ(value, 42);
    EXPECT_EQ(ParseInteger("0x1F \t", value), 0);
    EXPECT_EQ(value, 31);
    EXPECT_EQ(ParseInteger("010", value), 0);
    EXPECT_EQ(value, 8);
    EXPECT_EQ(ParseInteger("-2147483648", value), 0);
    EXPECT_EQ(value, -2147483648);
}

TEST(ParseInteger, FailuresLeaveZero) {
    int value = 7;
    EXPECT_EQ(ParseInteger(" \t ", value), -244);
    EXPECT_EQ(value, 0);
    value = 7;
    EXPECT_EQ(ParseInteger("", value), -244);
    EXPECT_EQ(ParseInteger("2147483648", value), -240);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(ParseInteger("99999999999999999999999", value), -240);
    EXPECT_EQ(ParseInteger("12abc", value), -243);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(ParseInteger("abc", value), -243);
    EXPECT_EQ(ParseInteger("-", value), -243);
    EXPECT_EQ(ParseInteger("\n5", value), -243);  // only blanks and tabs are skipped
    EXPECT_EQ(ParseInteger(std::string_view("5\0 1", 4), value), -243);
}

TEST(IsIsoDate, ExactShapeAndPlausibleMonthAndDay) {
    EXPECT_EQ(IsIsoDate("2024-02-29"), 0);
    EXPECT_EQ(IsIsoDate("1999-12-31"), 0);
    EXPECT_EQ(IsIsoDate("1999-13-01"), -1);
    EXPECT_EQ(IsIsoDate("1999-00-10"), -1);
    EXPECT_EQ(IsIsoDate("1999-01-32"), -1);
    EXPECT_EQ(IsIsoDate("1999-01-00"), -1);
    EXPECT_EQ(IsIsoDate("1999/01/01"), -1);
    EXPECT_EQ(IsIsoDate("1999-1-01"), -1);
    EXPECT_EQ(IsIsoDate("1999-01-011"), -1);
    EXPECT_EQ(IsIsoDate("YYYY-01-01"), -1);
}

TEST(CaseHelpers, OnlyAsciiLettersChange) {
    EXPECT_EQ(UpperChar('a'), 'A');
    EXPECT_EQ(UpperChar('Z'), 'Z');
    EXPECT_EQ(LowerChar('Q'), 'q');
    EXPECT_EQ(UpperChar('\xe4'), '\xe4');  // a byte of a multi-byte character stays
    EXPECT_EQ(UpperChar('1'), '1');
    EXPECT_TRUE(EqualsIgnoringCase("StY", "sTy"));
    EXPECT_FALSE(EqualsIgnoringCase("sty", "st"));
}

}  // namespace
}  // namespace kelvane

// Small text helpers on byte strings: case conversion of single characters, comparisons
// without regard to case, integer parsing with its statuses, and the ISO date test.
#pragma once

#include <string_view>

#include "support/NUVStatus.h"

namespace kelvane {

// Case conversion of one character. Only ASCII letters change: other bytes may be part of a
// multi-byte character and are kept as they are.
char UpperChar(char c);
char LowerChar(char c);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Skips leading blanks and tabs, then reads an integer in automatic base (decimal, "0x"
// hexadecimal, leading "0" octal). 0 and the value; -244 empty text; -240 out of range;
// -243 nothing converted or anything but blanks and tabs after the number. The value is 0 on
// every failure.
StatusCode ParseInteger(std::string_view text, int& value);

// 0 when the text has exactly 10 characters, "-" at its 5th and 8th, a 4-digit year, a month
// 1 to 12 and a day 1 to 31; -1 otherwise.
int IsIsoDate(std::string_view text);

}  // namespace kelvane

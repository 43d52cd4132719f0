// The lexical side of the filter language: preparing a typed input, cutting it into tokens,
// telling keywords, operators and values apart, and reading number and date values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "list/ZOLConditionPacket.h"

namespace kelvane {

// Tokens longer than this are cut into pieces of this length.
inline constexpr std::size_t kMaxFilterTokenLength = 999;

// Trims blanks (spaces and tabs), turns tabs into blanks and sets parentheses apart. With
// `splitOperators` (number and date fields) also sets "<", ">" and "=" apart, then joins the
// results "<  =", ">  =" and "<  >" again, so that "<=", ">=" and "<>" typed without blanks
// stay operators while operators glued to values are split off. Empty when only blanks.
std::string PrepareFilterInput(std::string_view input, bool splitOperators);

// Cuts prepared text at blanks; runs of blanks count as one; a token longer than
// kMaxFilterTokenLength comes out as several pieces.
class FilterTokenizer {
  public:
    explicit FilterTokenizer(std::string_view text) : rest_(text) {}
    // The next piece, or false at the end of the text.
    bool Next(std::string_view& piece);

  private:
    std::string_view rest_;
    std::string_view longToken_;  // what is left of a token being cut into pieces
};

enum class FilterTokenKind { Open, Close, And, Or, Not, Operator, Value };

struct FilterToken {
    FilterTokenKind kind = FilterTokenKind::Value;
    CompareKind op = CompareKind::Equal;  // for Operator tokens
    std::string_view text;
};

// Keywords are recognised by prefix and in upper case only (ORGAN is OR, organ a value);
// operator tokens only when `withOperators` (number and date fields).
FilterToken ClassifyFilterToken(std::string_view piece, bool withOperators);

// A signed decimal integer from the start of the token, as "%ld" reads it; values beyond the
// 32-bit range are clamped. False when the token does not start with a number.
bool ParseFilterNumber(std::string_view token, int32_t& value);

// Exactly "YYYY-MM-DD" with digits, a month from 1 to 12 and a day from 1 to 31.
bool IsValidFilterDate(std::string_view token);

}  // namespace kelvane

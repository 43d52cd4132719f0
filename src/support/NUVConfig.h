// Keyword files: the program and analyser configuration files, the language files and the
// initial language selection file. One reader does the lexical work (comments, keyword, "=",
// value, the separator switch TERM_CHAR) and hands each keyword with its value to a handler;
// the text helpers below split values into fields.
//
// Line syntax: leading blanks and tabs are skipped; the comment character (and a NUL byte) ends
// the useful part of the line; an empty line is skipped; the keyword runs to the first "=",
// blank or tab (at most 49 characters); "=" must follow (blanks and tabs may stand before it);
// the value starts after "=" and its following blanks and runs to the end of the useful part,
// trailing blanks included. Lines hold at most 1996 characters before CR LF.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "support/NUVStatus.h"

namespace kelvane {

namespace config {
// Buffer of the line reader: a line fits when it and its line feed take at most 1998 bytes.
inline constexpr std::size_t kLineBufferSize = 1999;
inline constexpr std::size_t kMaxKeywordLength = 49;
// Field buffer used when a caller names no smaller one.
inline constexpr std::size_t kFieldBufferSize = 2000;
}  // namespace config

// keyword, value, file name, line number (from 1), current field separator -> 0 to go on.
using ConfigKeywordHandler =
    std::function<StatusCode(const std::string& keyword, const std::string& value,
                             const std::string& fileName, int lineNumber, char separator)>;

// Reads a keyword file. Returns 0, the first non-zero handler status, -220 (missing, with an
// ERROR message), -221 (cannot be opened), -222 (TERM_CHAR without a value) or -107 (read
// error). A line too long for the buffer is reported and skipped; reading goes on.
StatusCode ReadConfigFile(const std::string& fileName, const ConfigKeywordHandler& handler,
                          char commentChar, char separator);

// The same reader over bytes already in memory; `fileName` only names them in messages.
StatusCode ReadConfigText(std::string_view bytes, const std::string& fileName,
                          const ConfigKeywordHandler& handler, char commentChar, char separator);

// The WARNING for a value the handler cannot use (-222), with file name and line number.
void ReportIllegalConfigData(const std::string& fileName, int lineNumber);

// Copies the next field of `text` from `pos` into `field`: leading blanks and tabs skipped, up
// to the separator (a blank separator also stops at a tab and a tab separator at a blank) or
// the end, at most fieldSize - 1 characters (the rest up to the separator is skipped). Returns
// the position after the separator, the end when there is none, or, for a blank or tab
// separator, the position of the next non-blank character. Trailing blanks stay in the field.
std::size_t GetNextField(std::string_view text, std::size_t pos, std::string& field,
                         std::size_t fieldSize, char separator);
inline std::size_t GetNextField(std::string_view text, std::size_t pos, std::string& field,
                                char separator) {
    return GetNextField(text, pos, field, config::kFieldBufferSize, separator);
}

// Removes leading and trailing blanks and tabs in place; returns 0.
StatusCode TrimBlanks(std::string& text);
// The trimmed text without touching the argument.
std::string Trimmed(std::string_view text);

// Trims and appends the folder separator "/" when the path does not end with one.
void EnsureTrailingBackslash(std::string& path);

// Trims and removes one trailing "/" so that a folder ends without it; the root stays "/".
void NormaliseFolder(std::string& path);

// An "integer" value: leading blanks and tabs skipped, an optional sign, decimal digits; text
// behind the number is ignored. False when no number starts there or it does not fit an int.
bool ParseLeadingInt(std::string_view text, int& value);

// ASCII case folding, the comparison rule of keywords and translation keys.
std::string UpperCased(std::string_view text);
std::string LowerCased(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace kelvane

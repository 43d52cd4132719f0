// Text helpers of the keyword-file handlers: fields, blanks, folder texts, case folding.
#include <algorithm>
#include <charconv>

#include "support/NUVConfig.h"

namespace kelvane {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when `c` ends a field: the separator itself, and for a blank or tab separator either.
bool EndsField(char c, char separator) {
    if (IsBlank(separator)) {
        return IsBlank(c);
    }
    return c == separator;
}

}  // namespace

std::size_t GetNextField(std::string_view text, std::size_t pos, std::string& field,
                         std::size_t fieldSize, char separator) {
    field.clear();
    pos = std::min(pos, text.size());
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    const std::size_t room = fieldSize > 0 ? fieldSize - 1 : 0;
    while (pos < text.size() && !EndsField(text[pos], separator)) {
        if (field.size() < room) {
            field.push_back(text[pos]);
        }
        ++pos;
    }
    if (pos >= text.size()) {
        return text.size();
    }
    ++pos;  // past the separator
    if (IsBlank(separator)) {
        while (pos < text.size() && IsBlank(text[pos])) {
            ++pos;
        }
    }
    return pos;
}

StatusCode TrimBlanks(std::string& text) {
    const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    text.erase(text.begin(), first);
    while (!text.empty() && IsBlank(text.back())) {
        text.pop_back();
    }
    return status::kOk;
}

std::string Trimmed(std::string_view text) {
    std::string copy(text);
    TrimBlanks(copy);
    return copy;
}

void EnsureTrailingBackslash(std::string& path) {
    TrimBlanks(path);
    if (path.empty() || path.back() != '/') {
        path.push_back('/');
    }
}

void NormaliseFolder(std::string& path) {
    TrimBlanks(path);
    if (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
}

bool ParseLeadingInt(std::string_view text, int& value) {
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    if (pos < text.size() && text[pos] == '+') {
        ++pos;  // from_chars takes "-" but not "+"
        if (pos < text.size() && text[pos] == '-') {
            return false;
        }
    }
    int parsed = 0;
    const char* first = text.data() + pos;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), parsed);
    if (error != std::errc() || end == first) {
        return false;
    }
    value = parsed;
    return true;
}

std::string UpperCased(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), AsciiUpper);
    return out;
}

std::string LowerCased(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), AsciiLower);
    return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

}  // namespace kelvane

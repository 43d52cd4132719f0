#include "support/NUVText.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace kelvane {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The two-digit number at `pos`, or -1.
int TwoDigits(std::string_view text, std::size_t pos) {
    if (!IsDigit(text[pos]) || !IsDigit(text[pos + 1])) {
        return status::kUnspecified;
    }
    return (text[pos] - '0') * 10 + (text[pos + 1] - '0');
}

}  // namespace

char UpperChar(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char LowerChar(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerChar(a[i]) != LowerChar(b[i])) {
            return false;
        }
    }
    return true;
}

StatusCode ParseInteger(std::string_view text, int& value) {
    value = 0;
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) {
        ++start;
    }
    if (start == text.size()) {
        return status::kNoNumber;
    }
    // strtol needs a terminated text; it must not skip other white space on its own.
    const std::string number(text.substr(start));
    if (number[0] != '+' && number[0] != '-' && !IsDigit(number[0])) {
        return status::kNotANumber;
    }
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(number.c_str(), &end, 0);
    if (end == number.c_str()) {
        return status::kNotANumber;
    }
    if (errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) {
        return status::kNumberOutOfRange;
    }
    for (std::size_t i = static_cast<std::size_t>(end - number.c_str()); i < number.size(); ++i) {
        if (number[i] != ' ' && number[i] != '\t') {
            return status::kNotANumber;
        }
    }
    value = static_cast<int>(parsed);
    return 0;
}

int IsIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return status::kUnspecified;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        if (!IsDigit(text[i])) {
            return status::kUnspecified;
        }
    }
    const int month = TwoDigits(text, 5);
    const int day = TwoDigits(text, 8);
    return month >= 1 && month <= 12 && day >= 1 && day <= 31 ? 0 : status::kUnspecified;
}

}  // namespace kelvane

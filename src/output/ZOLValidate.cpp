#include "output/ZOLValidate.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "support/NUVDbg.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVTranslateFormat.h"

namespace kelvane {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsAllBlank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

void Refuse(const std::string& label, const std::string& message) {
    if (!label.empty()) {
        NUV_WARNING("%s", message.c_str());
    }
}

// strtol with automatic base; the number must start right after the blanks (strtol itself
// would also skip line feeds and the like) and only blanks and tabs may follow it.
bool ParseInteger(const std::string& text, long& value) {
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) {
        ++start;
    }
    const char first = start < text.size() ? text[start] : '\0';
    if (first != '+' && first != '-' && (first < '0' || first > '9')) {
        return false;
    }
    const char* begin = text.c_str() + start;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(begin, &end, 0);
    if (end == begin || errno == ERANGE || value < INT32_MIN || value > INT32_MAX) {
        return false;
    }
    return IsAllBlank(std::string_view(end, static_cast<size_t>(text.c_str() + text.size() - end)));
}

}  // namespace

bool ValidateNumberField(const std::string& text, const std::string& label, int minimum,
                         int maximum) {
    const std::string maxText = maximum < minimum ? "n" : std::to_string(maximum);
    const std::string message =
        StrFormat(TranslateFormat(
                      "Illegal input for \"%s\"\n\nAllowed input:\n - Positive number (%d..%s)\n - "
                      "Empty field (indicates that this field will not be modified)\n - Space "
                      "character (indicates that this field will be reset to a default value)")
                      .c_str(),
                  label.c_str(), minimum, maxText.c_str());
    if (IsAllBlank(text)) {
        return true;
    }
    long value = 0;
    if (!ParseInteger(text, value) || value < minimum || (maximum >= minimum && value > maximum)) {
        Refuse(label, message);
        return false;
    }
    return true;
}

bool ValidateTimeSignatureField(const std::string& text, const std::string& label) {
    const std::string message = StrFormat(
        TranslateFormat(
            "Illegal input for \"%s\"\n\nAllowed input:\n - n/m (where n and m are positive "
            "numbers from 0..16)\n - Space character (indicates that this field will be "
            "reset to a default value)")
            .c_str(),
        label.c_str());
    if (IsAllBlank(text)) {
        return true;
    }
    const size_t slash = text.find('/');
    bool accepted = slash != std::string::npos;
    if (accepted) {
        const std::string numerator = text.substr(0, slash);
        const size_t wordStart = text.find_first_not_of(" \t", slash + 1);
        const std::string denominator =
            wordStart == std::string::npos
                ? std::string()
                : text.substr(wordStart, text.find_first_of(" \t", wordStart) - wordStart);
        accepted = !IsAllBlank(numerator) && ValidateNumberField(numerator, "", 0, 16) &&
                   !denominator.empty() && ValidateNumberField(denominator, "", 0, 16);
    }
    if (!accepted) {
        Refuse(label, message);
    }
    return accepted;
}

}  // namespace kelvane

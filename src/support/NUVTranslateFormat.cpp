#include "support/NUVTranslateFormat.h"

#include <cstring>

#include "support/NUVLang.h"

namespace kelvane {
namespace {

// The conversions of a format that take arguments, each as its flags, width, precision,
// length and letter.
std::string Conversions(const std::string& format) {
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            ++i;  // a literal "%" takes no argument
            continue;
        }
        std::size_t end = i + 1;
        while (end < format.size() && std::strchr("-+ #0123456789.*hlLqjzt", format[end])) {
            ++end;
        }
        if (end < format.size()) {
            out.append(format, i, end - i + 1).push_back(' ');
        } else {
            out.append("%? ");  // a dangling "%"
        }
        i = end;
    }
    return out;
}

}  // namespace

std::string TranslateFormat(const char* englishFormat) {
    const std::string english = englishFormat;
    std::string translated = Translate(english);
    if (Conversions(translated) != Conversions(english)) {
        return english;
    }
    return translated;
}

}  // namespace kelvane

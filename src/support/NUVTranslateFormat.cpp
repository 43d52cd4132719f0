#include "support/NUVTranslateFormat.h"

#include <cstring>
#include <mutex>
#include <set>
#include <utility>

#include "support/NUVDbg.h"
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

constexpr std::size_t kMaxWarnedTexts = 4096;

// Writes the warning about a refused translation once per English text and translation.
void WarnOnce(const std::string& english, const std::string& translated) {
    static std::mutex lock;
    static std::set<std::pair<std::string, std::string>> warned;
    {
        const std::lock_guard<std::mutex> guard(lock);
        if (warned.size() >= kMaxWarnedTexts) {
            warned.clear();  // bounded, whatever a language file holds
        }
        if (!warned.emplace(english, translated).second) {
            return;
        }
    }
    const std::string text =
        Translate(
            "The language file translates this text with other conversions, so the "
            "English text is used:") +
        "\n\n" + english + "\n\n" + translated;
    NUV_WARNING("%s", text.c_str());
}

}  // namespace

std::string TranslateFormat(const char* englishFormat) {
    const std::string english = englishFormat;
    std::string translated = Translate(english);
    if (Conversions(translated) != Conversions(english)) {
        WarnOnce(english, translated);
        return english;
    }
    return translated;
}

}  // namespace kelvane

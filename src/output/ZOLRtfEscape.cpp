#include "output/ZOLRtfEscape.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "support/ZOLDisplayText.h"

namespace kelvane {
namespace {

// "\uN?" with N as a signed 16-bit number; the document header sets \uc1, so readers that
// know \u skip the one "?" after it.
void AppendUnicodeUnit(std::string& out, unsigned unit) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "\\u%d?", static_cast<int>(static_cast<int16_t>(unit)));
    out += buffer;
}

void AppendCodePoint(std::string& out, char32_t cp) {
    if (cp == '\\' || cp == '{' || cp == '}') {
        out += '\\';
        out += static_cast<char>(cp);
    } else if (cp >= 0x20 && cp < 0x7F) {
        out += static_cast<char>(cp);
    } else if (cp >= 0xA0 && cp <= 0xFF) {
        // Latin-1 letters are the same bytes in the document's code page 1252.
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "\\'%02x", static_cast<unsigned>(cp));
        out += buffer;
    } else if (cp > 0xFFFF) {
        const char32_t v = cp - 0x10000;
        AppendUnicodeUnit(out, 0xD800 + (v >> 10));
        AppendUnicodeUnit(out, 0xDC00 + (v & 0x3FF));
    } else {
        AppendUnicodeUnit(out, cp);
    }
}

}  // namespace

void AppendRtfEscaped(std::string& out, std::string_view bytes) {
    // Most cell texts are plain ASCII: no decoding needed.
    if (std::all_of(bytes.begin(), bytes.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        for (char c : bytes) {
            AppendCodePoint(out, static_cast<unsigned char>(c));
        }
        return;
    }
    for (char32_t cp : DecodeDisplayText(bytes)) {
        AppendCodePoint(out, cp);
    }
}

std::string RtfEscape(std::string_view bytes) {
    std::string out;
    AppendRtfEscaped(out, bytes);
    return out;
}

}  // namespace kelvane

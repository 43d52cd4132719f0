#include "support/ZOLDisplayText.h"

#include <array>

namespace kelvane {
namespace {

// 0x80..0x9F of Windows-1252; the rest of the upper half equals Latin-1.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Decodes one UTF-8 sequence at `pos`. Returns its length (0 when malformed) and sets `cp`.
size_t DecodeUtf8At(std::string_view bytes, size_t pos, char32_t& cp) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    // Lead bytes 0x80..0xC1 and 0xF5..0xFF never start a well-formed sequence.
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead < 0xC2 || lead > 0xF4) {
        return 0;
    }
    constexpr char32_t kMinimum[5] = {0, 0, 0x80, 0x800, 0x10000};
    cp = lead & (0x7F >> length);
    if (bytes.size() - pos < length) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return length;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    char32_t cp = 0;
    for (size_t pos = 0; pos < bytes.size();) {
        const size_t length = DecodeUtf8At(bytes, pos, cp);
        if (length == 0) {
            return false;
        }
        pos += length;
    }
    return true;
}

char32_t Cp1252ToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kCp1252High[byte - 0x80];
    }
    return byte;
}

std::u32string DecodeDisplayText(std::string_view bytes) {
    std::u32string out;
    out.reserve(bytes.size());
    if (IsValidUtf8(bytes)) {
        char32_t cp = 0;
        for (size_t pos = 0; pos < bytes.size();) {
            pos += DecodeUtf8At(bytes, pos, cp);
            out += cp;
        }
    } else {
        for (char c : bytes) {
            out += Cp1252ToCodePoint(static_cast<unsigned char>(c));
        }
    }
    return out;
}

std::string DisplayTextUtf8(std::string_view bytes) {
    if (IsValidUtf8(bytes)) {
        return std::string(bytes);
    }
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        AppendUtf8(out, Cp1252ToCodePoint(static_cast<unsigned char>(c)));
    }
    return out;
}

size_t DisplayLength(std::string_view bytes) {
    if (!IsValidUtf8(bytes)) {
        return bytes.size();
    }
    size_t count = 0;
    for (char c : bytes) {
        // Every character has exactly one byte that is not a continuation byte.
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

std::string_view CutDisplayText(std::string_view bytes, size_t maxBytes) {
    if (bytes.size() <= maxBytes) {
        return bytes;
    }
    size_t end = maxBytes;
    if (IsValidUtf8(bytes)) {
        while (end > 0 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80) {
            --end;
        }
    }
    return bytes.substr(0, end);
}

}  // namespace kelvane

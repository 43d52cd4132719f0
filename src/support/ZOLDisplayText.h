// Texts are kept as the bytes the file system and the data files hold. Only for display (the
// screen, RTF documents, printed pages) are they decoded: as UTF-8 when the bytes are valid
// UTF-8, otherwise as Windows-1252, the code page the older data files were written in.
#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// True for well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// The Unicode code point of one Windows-1252 byte. The five bytes the code page leaves
// undefined map to the C1 control of the same value, as the platform's own conversion does.
char32_t Cp1252ToCodePoint(unsigned char byte);

// The code points a text stands for on screen.
std::u32string DecodeDisplayText(std::string_view bytes);

// The same as UTF-8 (for the widgets and the printer fonts).
std::string DisplayTextUtf8(std::string_view bytes);

// The number of characters shown for a text.
size_t DisplayLength(std::string_view bytes);

// At most `maxBytes` bytes of the text; a valid UTF-8 text is cut before a character, never
// inside one.
std::string_view CutDisplayText(std::string_view bytes, size_t maxBytes);

}  // namespace kelvane

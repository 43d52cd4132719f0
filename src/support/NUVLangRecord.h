// Recording of every text passed to Translate, for checking a translation for completeness.
#pragma once

#include <string>

namespace kelvane {

// Appends `text` to the record file when recording is on and the text is not listed yet. The
// file holds one text per line, written as an ORIG value would be ("\t", "\n", "\\").
void RecordShownText(const std::string& text);

// The escaped form used in the record file and in language files.
std::string EscapeLanguageText(const std::string& text);
// Reverses it: "\t" -> tab, "\n" -> line feed, "\\" -> backslash; other backslashes stay.
std::string UnescapeLanguageText(const std::string& text);

}  // namespace kelvane

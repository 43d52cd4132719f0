// Translation of user-visible texts. Every text shown passes through Translate: an English
// key, optionally prefixed by a tag "@name@" ("@button_abort@&Abort"), looked up in the pairs
// of the current language file.
#pragma once

#include <string>

namespace kelvane {

// The text to show for an English text or tagged text; never fails.
std::string Translate(const std::string& text);

// The English text whose translation is the given text, or the text itself.
std::string ReverseTranslate(const std::string& text);

}  // namespace kelvane

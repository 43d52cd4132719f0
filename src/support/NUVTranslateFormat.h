// Translated printf formats. A language file is outside input: a translation whose conversions
// differ from the English format's ("%d" turned into "%s", one dropped or added) would read
// arguments that were never passed. Such a translation is not used.
#pragma once

#include <string>

namespace kelvane {

// The translation of `englishFormat` when its conversions ("%d", "%.0f", ...; "%%" takes no
// argument) are the same, in the same order, as the English format's; otherwise the English
// format itself.
std::string TranslateFormat(const char* englishFormat);

}  // namespace kelvane

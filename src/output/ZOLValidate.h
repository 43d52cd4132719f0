// Checks of the numbers and time signatures typed into the modify dialogs. A refusal shows
// its message at WARNING level (unless the label is empty, which the inner checks use) and
// keeps the dialog open.
#pragma once

#include <string>

namespace kelvane {

// A maximum below the minimum means "no upper bound" (shown as "n").
inline constexpr int kNoMaximum = -1;

// Accepts an empty text, a text of blanks, or an integer (automatic base: "012" is octal,
// "0x1F" hexadecimal; optional sign; trailing blanks and tabs only) within the 32-bit range
// and within [minimum, maximum].
bool ValidateNumberField(const std::string& text, const std::string& label, int minimum,
                         int maximum);

// Accepts a text of blanks or "n/m" with n and m from 0 to 16; text after the first word
// following the "/" is not examined.
bool ValidateTimeSignatureField(const std::string& text, const std::string& label);

}  // namespace kelvane

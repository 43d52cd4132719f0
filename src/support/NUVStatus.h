// Status codes: every operation reports its outcome as a signed integer, 0 for success and
// negative for a failure; the codes are listed in StatusCodes.h. The support library's codes
// carry a message (StatusText); the program's own modules use -10000 and below and are shown as
// numbers.
#pragma once

#include <string>

#include "support/StatusCodes.h"

namespace kelvane {

// The translated message of a support-library code, or an empty text.
std::string StatusText(StatusCode code);

// The untranslated (English) message, the key that StatusText translates.
const char* StatusTextKey(StatusCode code);

}  // namespace kelvane

// Text written into an RTF document. Backslashes are doubled and braces escaped so that no text
// can change the document's structure; every character outside printable ASCII is written as
// an RTF escape so that readers show it whatever code page they assume.
#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// Appends the escaped form of `bytes` (decoded as for display) to `out`. Safe for any bytes.
void AppendRtfEscaped(std::string& out, std::string_view bytes);

std::string RtfEscape(std::string_view bytes);

}  // namespace kelvane

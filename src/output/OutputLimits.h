// Limits shared by the RTF writer and the print layout.
#pragma once

namespace kelvane {

// At most this many list columns are written or printed.
inline constexpr int kMaxOutputColumns = 21;

}  // namespace kelvane

// Status codes and limits shared by the RTF writer and the print layout.
#pragma once

#include "support/NUVStatus.h"

namespace kelvane {

// At most this many list columns are written or printed.
inline constexpr int kMaxOutputColumns = 21;

namespace status {
inline constexpr StatusCode kRtfCannotWrite = -13740;
inline constexpr StatusCode kRtfNoList = -13741;
inline constexpr StatusCode kRtfNoHeader = -13742;
inline constexpr StatusCode kRtfCellUnreadable = -13743;
inline constexpr StatusCode kRtfHeaderUnreadable = -13744;
inline constexpr StatusCode kRtfTooManyColumns = -13745;

inline constexpr StatusCode kPrintNoList = -13750;
inline constexpr StatusCode kPrintNoHeader = -13751;
inline constexpr StatusCode kPrintTooManyColumns = -13752;
}  // namespace status

}  // namespace kelvane

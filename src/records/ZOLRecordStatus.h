// Status codes of the record operations.
#pragma once

#include "support/NUVStatus.h"

namespace kelvane::status {

inline constexpr StatusCode kStyleRecordMissing = -13700;       // reset without a record
inline constexpr StatusCode kStyleCopyRecordMissing = -13701;   // copy with a missing record
inline constexpr StatusCode kStyleOwnTextMissing = -13702;      // reset: owned text missing
inline constexpr StatusCode kStyleCopyOwnTextMissing = -13703;  // copy: owned text missing
inline constexpr StatusCode kIllegalFieldType = -13707;         // text into a non-text field
inline constexpr StatusCode kSongRecordMissing = -13800;        // song create/reset
inline constexpr StatusCode kSongCopyRecordMissing = -13801;
inline constexpr StatusCode kSongOwnTextMissing = -13802;
inline constexpr StatusCode kSongCopyOwnTextMissing = -13803;
inline constexpr StatusCode kNoSongRecord = -13808;    // song collector: no song record
inline constexpr StatusCode kSongCopyFailed = -13809;  // style copy: a song copy failed
inline constexpr StatusCode kSongOwnTextNoMemory = -13810;
inline constexpr StatusCode kUnknownFieldType = -13904;   // catalogue type a record cannot hold
inline constexpr StatusCode kNoCommonString = -13908;     // interning failed
inline constexpr StatusCode kMergeNoSongRecord = -10490;  // re-analysis merge: no song record

}  // namespace kelvane::status

// Status codes of the file analysis.
#pragma once

#include "support/NUVStatus.h"

namespace kelvane::status {
inline constexpr StatusCode kIncompleteMusicFinderRecord = -31001;
inline constexpr StatusCode kMusicFinderRecordError = -31002;
inline constexpr StatusCode kMusicFinderLengthMismatch = -31003;
// A section header or its content runs past the end of the file.
inline constexpr StatusCode kSectionPastEndOfFile = -31020;
// An OTS track runs past the end of its section.
inline constexpr StatusCode kOtsTrackPastSection = -31021;
inline constexpr StatusCode kTweakOutOfMemory = -31102;
}  // namespace kelvane::status

// Status codes: every operation reports its outcome as a signed integer, 0 for success and
// negative for a failure. The support library's codes carry a message (StatusText); the
// program's own modules use -10000 and below and are shown as numbers.
#pragma once

#include <string>

namespace kelvane {

using StatusCode = int;

namespace status {
inline constexpr StatusCode kOk = 0;
inline constexpr StatusCode kUnspecified = -1;
inline constexpr StatusCode kNotImplemented = -2;
inline constexpr StatusCode kCommandLine = -3;
inline constexpr StatusCode kCanceledByUser = -4;

inline constexpr StatusCode kEndOfFile = -101;
inline constexpr StatusCode kReadLineError = -107;
inline constexpr StatusCode kLineTooLong = -108;
inline constexpr StatusCode kFileNotFound = -117;
inline constexpr StatusCode kFullNameError = -130;
inline constexpr StatusCode kExpandPathError = -131;
inline constexpr StatusCode kNoSpaceLeft = -166;
inline constexpr StatusCode kWriteProtected = -170;
inline constexpr StatusCode kDriveNotReady = -172;
inline constexpr StatusCode kCannotMakeFile = -184;

inline constexpr StatusCode kCannotOpenFile = -200;
inline constexpr StatusCode kWalkFolderError = -201;
inline constexpr StatusCode kNoFilesFound = -202;
inline constexpr StatusCode kPathNotFound = -203;
inline constexpr StatusCode kAbortedByUser = -206;  // travels unchanged, never shown as error
inline constexpr StatusCode kAccessDenied = -207;
inline constexpr StatusCode kNoFolderHandler = -208;
inline constexpr StatusCode kFindFirstError = -214;
inline constexpr StatusCode kFindNextError = -215;
inline constexpr StatusCode kConfigNotFound = -220;
inline constexpr StatusCode kConfigOpenError = -221;
inline constexpr StatusCode kConfigIllegalData = -222;
}  // namespace status

// The translated message of a support-library code, or an empty text.
std::string StatusText(StatusCode code);

// The untranslated (English) message, the key that StatusText translates.
const char* StatusTextKey(StatusCode code);

}  // namespace kelvane

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
inline constexpr StatusCode kCloseError = -102;
inline constexpr StatusCode kDeleteNotFound = -103;
inline constexpr StatusCode kDeleteWriteProtected = -104;
inline constexpr StatusCode kReadLineError = -107;
inline constexpr StatusCode kLineTooLong = -108;
inline constexpr StatusCode kRenameBadName = -109;
inline constexpr StatusCode kRenameOtherDrive = -110;
inline constexpr StatusCode kRenameNotFound = -111;
inline constexpr StatusCode kUnknownError = -114;
inline constexpr StatusCode kWriteLineError = -116;
inline constexpr StatusCode kFileNotFound = -117;
inline constexpr StatusCode kFileCopyError = -119;
inline constexpr StatusCode kFileSizeError = -128;
inline constexpr StatusCode kProgramPathError = -129;
inline constexpr StatusCode kFullNameError = -130;
inline constexpr StatusCode kExpandPathError = -131;
inline constexpr StatusCode kUniqueNameTooLong = -137;
inline constexpr StatusCode kUniqueNameError = -138;
inline constexpr StatusCode kRenameNoSpace = -140;
inline constexpr StatusCode kShortRead = -150;   // block copy: fewer bytes read than asked
inline constexpr StatusCode kShortWrite = -151;  // block copy: fewer bytes written than asked
inline constexpr StatusCode kCloseFlushError = -152;
inline constexpr StatusCode kDeleteFailed = -153;  // neither missing nor write protected
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
inline constexpr StatusCode kNumberOutOfRange = -240;
inline constexpr StatusCode kNotANumber = -243;
inline constexpr StatusCode kNoNumber = -244;  // only blanks

// The log file (CNuvLog).
inline constexpr StatusCode kLogNameTooLong = -1000;
inline constexpr StatusCode kLogOpenError = -1001;
inline constexpr StatusCode kLogCloseError = -1002;
inline constexpr StatusCode kLogWriteError = -1004;
inline constexpr StatusCode kLogSizeError = -1005;
inline constexpr StatusCode kLogDeleteBackupError = -1006;
inline constexpr StatusCode kLogRenameError = -1007;
}  // namespace status

// The translated message of a support-library code, or an empty text.
std::string StatusText(StatusCode code);

// The untranslated (English) message, the key that StatusText translates.
const char* StatusTextKey(StatusCode code);

}  // namespace kelvane

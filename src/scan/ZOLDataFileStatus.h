// Status codes of the data files, fast access files, import, export and the tree scan.
#pragma once

#include "support/NUVStatus.h"

namespace kelvane::status {

// Records.
inline constexpr StatusCode kNoStyleRecord = -10306;  // no new record could be had

// Reading data files.
inline constexpr StatusCode kHeaderTooManyFields = -10371;
inline constexpr StatusCode kHeaderUnknownField = -10372;
inline constexpr StatusCode kHeaderEmptyField = -10373;
inline constexpr StatusCode kHeaderFieldWithoutType = -10374;
inline constexpr StatusCode kUnknownLineType = -10375;
inline constexpr StatusCode kReadUnexpectedFieldType = -10376;
inline constexpr StatusCode kIllegalLetter = -10400;
inline constexpr StatusCode kIllegalDate = -10410;
inline constexpr StatusCode kSongLineWithoutData = -10450;
inline constexpr StatusCode kDataLineTooManyFields = -10460;
inline constexpr StatusCode kMissingModeNumber = -10470;
inline constexpr StatusCode kIllegalModeNumber = -10480;
inline constexpr StatusCode kMissingPath = -10491;
inline constexpr StatusCode kMissingVersion = -10492;
inline constexpr StatusCode kIllegalVersion = -10493;

// Writing data files.
inline constexpr StatusCode kWriteUnexpectedFieldType = -10377;
inline constexpr StatusCode kIllegalFieldIndex2 = -10379;
inline constexpr StatusCode kDataFileOpenForWrite = -10380;
inline constexpr StatusCode kDataFileWrite = -10381;
inline constexpr StatusCode kDataFileClose = -10382;
inline constexpr StatusCode kIllegalFieldIndex1 = -10391;
inline constexpr StatusCode kWriteUnexpectedSongType = -10440;

// Space reservation and export.
inline constexpr StatusCode kSpaceFileCreate = -10385;
inline constexpr StatusCode kExportOpen = -10386;  // shown in the message; -10380 is returned
inline constexpr StatusCode kExportWrite = -10387;
inline constexpr StatusCode kExportClose = -10388;

// Tree scan.
inline constexpr StatusCode kNoDataOrMoveFile = -10389;
inline constexpr StatusCode kFileDateNotConverted = -10390;
inline constexpr StatusCode kAnalyserConfigMissing = -10420;

}  // namespace kelvane::status

// Every status code of the program, in one table so that no two meanings share a number
// (structure.StatusCodesAreUnique checks it). 0 is success, a negative code a failure. The
// support library's codes (above -10000) carry a message (StatusText); the modules' own codes,
// -10000 and below, are grouped here by the module that returns them and are shown as numbers.
#pragma once

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

// CRC-32 of a file.
inline constexpr StatusCode kCrcReadError = -300;
inline constexpr StatusCode kCrcCannotOpen = -301;

// Language files.
inline constexpr StatusCode kLanguageFileMissing = -1105;
inline constexpr StatusCode kLanguageShortNameEmpty = -1106;
inline constexpr StatusCode kLanguageFullNameEmpty = -1107;
inline constexpr StatusCode kLanguageOrigEmpty = -1108;
inline constexpr StatusCode kLanguageTrnsEmpty = -1109;
inline constexpr StatusCode kLanguageTrnsWithoutOrig = -1110;
inline constexpr StatusCode kLanguagePairFailed = -1111;
inline constexpr StatusCode kNoInitialLanguageFile = -1114;

// Work threads.
inline constexpr StatusCode kNoThreadFunction = -10100;  // a work dialog without a function
inline constexpr StatusCode kWorkerBusy = -10101;        // a worker runs already
inline constexpr StatusCode kWorkerNotStarted = -10102;  // the platform refused a thread

// Settings.
inline constexpr StatusCode kCannotStoreSetting = -10020;

// Records: style and song data, common texts.
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

// File analysis.
inline constexpr StatusCode kIncompleteMusicFinderRecord = -31001;
inline constexpr StatusCode kMusicFinderRecordError = -31002;
inline constexpr StatusCode kMusicFinderLengthMismatch = -31003;
// A section header or its content runs past the end of the file.
inline constexpr StatusCode kSectionPastEndOfFile = -31020;
// An OTS track runs past the end of its section.
inline constexpr StatusCode kOtsTrackPastSection = -31021;
inline constexpr StatusCode kTweakOutOfMemory = -31102;

// Keyboard data.
inline constexpr StatusCode kNoCurrentKeyboard = -13430;
inline constexpr StatusCode kTooManyKeyboardIds = -13433;

// Search tags of the analyser configuration.
inline constexpr StatusCode kIncompleteDataLine = -10010;
inline constexpr StatusCode kSearchTagMissing = -13600;
inline constexpr StatusCode kSearchTagTypeMissing = -13601;
inline constexpr StatusCode kSearchTagBadPriority = -13602;
inline constexpr StatusCode kTooManySearchTags = -13620;

// Data files, fast access files, import, export and the tree scan.
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

// Reading and refreshing a folder.
inline constexpr StatusCode kRefreshFolderMissing = -10402;
inline constexpr StatusCode kRefreshFolderNotAccessible = -10401;

// List columns and headers.
inline constexpr StatusCode kTooManyViewColumns = -13500;
inline constexpr StatusCode kColumnDefinitionsFull = -13502;
inline constexpr StatusCode kHeaderImagesNotLoadable = -13503;
inline constexpr StatusCode kHeaderRefused = -13504;
inline constexpr StatusCode kHeaderNotFound = -13505;
inline constexpr StatusCode kHeaderIndexTooLarge = -13506;
inline constexpr StatusCode kHeaderMissing = -13507;

// Filters.
inline constexpr StatusCode kFilterSyntaxError = -12565;  // already shown to the user
inline constexpr StatusCode kFilterIllegalNumber = -12566;
inline constexpr StatusCode kFilterIllegalDate = -12567;
inline constexpr StatusCode kFilterTableFull = -12568;  // no message

// Copy and move.
inline constexpr StatusCode kCopyMoveNoDuplicate = -12500;     // a record could not be duplicated
inline constexpr StatusCode kCopyMoveUnknownKind = -12501;     // unknown operation kind
inline constexpr StatusCode kCopyMoveReadOnlyAnswer = -12502;  // unexpected read-only answer
inline constexpr StatusCode kCopyMoveFolderNotMade = -12503;   // folder not made after new media

// File sets and the trash.
inline constexpr StatusCode kDesktopTrashFailed = -12505;  // a file would not go to the trash

// Writing songs into style files.
inline constexpr StatusCode kMdbOpenStyleFile = -10307;    // the style file cannot be read
inline constexpr StatusCode kMdbCreateTemp = -10308;       // the temporary file cannot be made
inline constexpr StatusCode kMdbNotWritable = -10309;      // write protected or missing
inline constexpr StatusCode kMdbNoSpace = -10310;          // no space left on the file's medium
inline constexpr StatusCode kMdbSectionsUnknown = -10311;  // the file's sections cannot be found
inline constexpr StatusCode kMdbUpToDate = -10312;
inline constexpr StatusCode kMdbSectionWrite = -13820;
inline constexpr StatusCode kMdbSectionHeader = -13821;
inline constexpr StatusCode kMdbSectionLength = -13822;
inline constexpr StatusCode kMdbRecordLength = -13823;

// RTF output and printing.
inline constexpr StatusCode kRtfCannotWrite = -13740;
inline constexpr StatusCode kRtfNoList = -13741;
inline constexpr StatusCode kRtfNoHeader = -13742;
inline constexpr StatusCode kRtfCellUnreadable = -13743;
inline constexpr StatusCode kRtfHeaderUnreadable = -13744;
inline constexpr StatusCode kRtfTooManyColumns = -13745;

inline constexpr StatusCode kPrintNoList = -13750;
inline constexpr StatusCode kPrintNoHeader = -13751;
inline constexpr StatusCode kPrintTooManyColumns = -13752;
inline constexpr StatusCode kPrintCannotPaint = -13753;  // the printer refused the painter
}  // namespace status

}  // namespace kelvane

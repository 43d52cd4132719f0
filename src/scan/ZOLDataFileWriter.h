// Writing data files: rewriting a folder's data file, appending to a move file, updating the
// data files of every folder with changed records, and the common writer behind them and the
// fast access files.
//
// Every file is replaced atomically (CNuvAtomicFile): a crash, a kill or a full disk during a
// write leaves the previous file byte for byte, and no temporary file stays behind after a
// failure. Records' marks change only when their file was written: changed marks are cleared
// and removed records released after the new file is in place, so a failed write loses no
// pending change.
#pragma once

#include <string>
#include <string_view>

#include "records/ZOLRecordList.h"
#include "scan/ZOLDataFileColumns.h"
#include "support/NUVStatus.h"

namespace kelvane {

inline constexpr int kDataFileRewrite = 1;  // open mode "w"
inline constexpr int kDataFileAppend = 3;   // open mode "a+": an existing file is extended

// True when a record of `folder` belongs to a file written for `root` (which ends with "/"):
// the same folder, or with `subtree` also any folder below it. Folders are compared byte for
// byte, as they name folders of a case-sensitive file system.
bool FolderMatchesRoot(std::string_view folder, std::string_view root, bool subtree);

// The common writer. Writes the version, path, header and (style mode) song header lines,
// then each record of `list` (restricted to `rootFolder` when given) with its songs. Records
// marked removed (within the restriction) are not written; after a successful write they are
// taken out of the list and released, and the written records' changed marks are cleared.
// A rewrite that writes no record deletes the file instead. While the foreign-fields flag is
// set, an ANALYSER value beyond the combined analyser version is held at it (sign kept).
// Returns 0; -10380 the file cannot be opened (warning); -10381 a write failed; -10382 the
// file cannot be closed and put in place; or an internal-error status.
// The warning for a data file that cannot be opened for writing ("Error\nUnable to open data
// file for write. ...", with the path and the code); returns kDataFileOpenForWrite.
StatusCode ReportDataFileNotWritable(const std::string& path);

StatusCode WriteDataFileCore(const std::string& path, std::string_view pathLineText,
                             RecordList& list, int openMode, const FieldSwitchSet& switches,
                             const std::string* rootFolder = nullptr, bool subtree = false);

// Rewrites a folder's data file from `list`; an empty list deletes the file (its status is
// not used).
StatusCode WriteStyleDataFile(const std::string& path, std::string_view pathLineText,
                              RecordList& list);

// Appends the records of `list` as one block (version, path line "Dummy", headers, records)
// to `path`, creating the file when missing.
StatusCode AppendToStyleDataFile(const std::string& path, RecordList& list);

// For every folder that holds a record marked changed or removed, rewrites that folder's data
// file from the list's records of that folder. Stops at the first failure and returns it.
StatusCode UpdateStyleDataFiles(RecordList& list);

}  // namespace kelvane

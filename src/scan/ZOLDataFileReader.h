// Reading data files: the per-folder cache files, the move and extra data files, fast access
// files and import files share one line format (see ZOLDataFileLines.h for the writing side).
//
// Line grammar (fields separated by "|", no escaping, lines end with CR LF, at most 1994
// bytes with the line end):
//   line        := type-field [ "|" field { "|" field } ]
//   type-field  := its first character after leading blanks, any case, names the line:
//                  "V" version, "P" path, "M" import mode, "H" header, "I" song header,
//                  "D" data (one record), "S" song data (one song of the last record),
//                  "!" or "#" comment; an empty type field is ignored
//   field       := leading blanks and tabs skipped, up to the next "|", trailing blanks kept,
//                  at most 999 characters taken
// A header line fixes which field each column of the following data lines holds; every header
// starts a new column table, so appended blocks read like separate files.
//
// Reading stops at the first bad line; the records completed before it stay in the target
// list. No fault of the file ends the program: data damage is reported as a warning.
#pragma once

#include <string>
#include <string_view>

#include "records/ZOLRecordList.h"
#include "support/NUVStatus.h"

namespace kelvane {

struct ScanProgress;

// Given to the reader of a fast access file: receives its path-line text, and its presence
// makes each record's folder the reader's folder followed by the stored folder less as many
// leading characters as the path line has ("written under /a/Styles/, read under /mnt/cd/").
struct PathLineHolder {
    std::string text;
};

// What a read learnt besides the records.
struct DataFileFacts {
    int version = 0;     // from the version line; 0 without one
    int importMode = 1;  // from an import mode line
    std::string pathLine;
    // The last line was a data or song line that lacks columns or its closing "|". When the
    // file has no line end after it, the file was cut there and the last record may lack values.
    bool lastLineIncomplete = false;
};

// Reads the file at `path` (through ProcessOneFile_a) and appends every record read to
// `target`. Records get `folder` as their L_PATH (or the rebased folder, see PathLineHolder);
// the stored L_PATH is never used as such. Returns 0 or the status of the first failing line
// (or of the file: -200 cannot open, -108 line too long).
StatusCode ProcessStyleDataFile(const std::string& path, const std::string& folder,
                                RecordList& target, PathLineHolder* pathLineHolder = nullptr,
                                DataFileFacts* facts = nullptr);

// The same over bytes in memory, split into lines like a file; `name` stands for the file in
// messages.
StatusCode ProcessStyleDataBytes(std::string_view bytes, const std::string& name,
                                 const std::string& folder, RecordList& target,
                                 PathLineHolder* pathLineHolder = nullptr,
                                 DataFileFacts* facts = nullptr);

// Reads the fast access file of the run mode in `startFolder` into `target`, every record's
// folder rebased onto `startFolder`. Each record is counted for the progress readouts
// (CountScannedFile, and `progress` when given). Returns the reader's status.
StatusCode ReadFastAccessDataFile(const std::string& startFolder, RecordList& target,
                                  ScanProgress* progress = nullptr);

}  // namespace kelvane

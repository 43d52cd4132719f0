// Importing data files (exports of this or another copy of the program) into the records of
// the list: values that users maintain (author, rank, models, genres set by hand, songs) are
// merged into the records of identical files; see ZOLImportMerge.h for the rules. Import files
// older than format version 5 are skipped. After an import the data files of every folder
// whose records changed are rewritten.
#pragma once

#include <atomic>
#include <string>

#include "records/ZOLRecordList.h"
#include "scan/ZOLExport.h"
#include "support/NUVStatus.h"

namespace kelvane {

// The lowest import file version that is merged.
inline constexpr int kLowestImportVersion = 5;

// Reads `file` and merges each imported record into the records of `records` that `shown`
// accepts, polling `abortFlag` (may be nullptr) before each. Returns 0 (also for a skipped
// old file), the reader's failure, a merge failure, or -206 when aborted.
StatusCode ImportOneFile(const std::string& file, RecordList& records, const RecordPredicate& shown,
                         const std::atomic<int>* abortFlag = nullptr);

// Runs ImportOneFile in the work-thread window ("Import Style Data"), then updates the data
// files; leaves the outcome in status pane 0 ("Importing style data - finished", "... -
// aborting", "... - finished with error") and warns about failures. Returns the import's or
// the update's failure, -206 when aborted, else 0.
StatusCode ImportStyleData(const std::string& file, RecordList& records,
                           const RecordPredicate& shown);

// ImportStyleData for every file matching `filePattern` (folder + pattern). No match is
// no failure. The caller rebuilds the list afterwards.
StatusCode ImportMultipleStyleDataFiles(const std::string& filePattern, RecordList& records,
                                        const RecordPredicate& shown);

// Imports the default import files of the run mode from the program folder
// ("dd_import_sty_*.txt" / "dd_import_midi_*.txt") and reports the outcome in a box.
StatusCode ImportDefaultDataFiles(RecordList& records, const RecordPredicate& shown);

}  // namespace kelvane

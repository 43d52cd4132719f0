// Exporting the records the list shows: the data export (data-file format without path line,
// readable by the import) and the CSV export (the same lines after a "sep=|" hint for
// spreadsheets, without version line). The dialogs that choose fields and file belong to the
// front ends; they call the entries below with the file, the mode and the rows' filter.
#pragma once

#include <functional>
#include <string>

#include "records/ZOLRecordList.h"
#include "scan/ZOLDataFileColumns.h"
#include "support/NUVStatus.h"

namespace kelvane {

// Which records (and songs) the list shows; an empty function shows all.
using RecordPredicate = std::function<bool(const StyleDataPacket&)>;
using SongPredicate = std::function<bool(const SongDataPacket&)>;

struct ExportOptions {
    int openMode = 1;                                   // 1 rewrite, 3 append to an existing file
    const StyleFieldSwitches* styleSwitches = nullptr;  // none: no header, no data lines
    const SongFieldSwitches* songSwitches = nullptr;    // none: no song lines
    bool noVersion = false;
    bool separatorHint = false;  // "sep=|" as first line
};

// Writes the header lines and, for every record of `records` that `shown` accepts, its data
// line and the song lines of the songs `songShown` accepts (songs only in style mode). Sets
// status pane 0 to "Finished: %d style data records exported." (midi: "... midi data ...")
// with the number of records. The file is replaced atomically (or extended, mode 3): a
// failure leaves the earlier file as it was and no new one. Returns 0; -10380 cannot open
// (the warning names -10386); -10387 a write failed; -10388 the file cannot be closed.
StatusCode ExportStyleData(const std::string& file, const ExportOptions& options,
                           const RecordList& records, const RecordPredicate& shown,
                           const SongPredicate& songShown = {});

// The data export command after its dialogs: the export switches, a version line, no hint;
// `append` when the user chose to extend an existing file.
StatusCode ExportDataToFile(const std::string& file, bool append, const RecordList& records,
                            const RecordPredicate& shown, const SongPredicate& songShown = {});

// The CSV export command after its dialogs: no version line; a new or overwritten file starts
// with the "sep=|" hint, an appended one does not. With `songRows` (the list shows songs) only
// the song lines, else only the data lines, by the CSV switches.
StatusCode ExportCsvToFile(const std::string& file, bool append, bool songRows,
                           const RecordList& records, const RecordPredicate& shown,
                           const SongPredicate& songShown = {});

}  // namespace kelvane

// The move file ("ZOLMOVE.SDE" / "ZOLMOVE.SDM") of a destination folder outside the tree on
// show: each file that copy or move puts there has its record appended, so the next scan of
// that folder finds the records (with their hand-kept values and songs) instead of analysing
// the files afresh.
//
// The move file is append-only and is extended in place rather than replaced: the append must
// succeed right after a copy that filled the medium, where only the released space reservation
// (1050 bytes) is free; replacing the file through a temporary copy would need room for all of
// it. The lines already there are never rewritten: the new block is written behind them and
// flushed, and a failing write cuts the file back to its old length, so the old content is
// never lost and a failed append leaves no partial block.
#pragma once

#include <string>

#include "records/ZOLRecordList.h"
#include "support/NUVStatus.h"

namespace kelvane {

// Appends the records of `list` as one block (version, path line "Dummy", headers, records
// with their songs) to `path`, creating the file when missing; the written records' changed
// marks are cleared. Returns 0; -10380 the file cannot be opened for writing (warning as the
// data-file writers give it); -166 the medium is full; -10381 any other write failure.
StatusCode AppendToMoveFile(const std::string& path, RecordList& list);

}  // namespace kelvane

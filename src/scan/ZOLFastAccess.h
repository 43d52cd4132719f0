// Fast access files: the records of a whole folder tree in one data file ("ZOLFA.SDB" /
// "ZOLMIDIFA.SDB"), so that a read-only medium can be listed without walking it. Every folder
// of the tree gets one for its own subtree; the path line holds the folder it was written in,
// which lets the reader move the records to wherever the tree is found later (see
// ReadFastAccessDataFile in ZOLDataFileReader.h).
#pragma once

#include <chrono>
#include <string>

#include "records/ZOLRecordList.h"
#include "support/NUVStatus.h"
#include "support/NUVWalk.h"

namespace kelvane {

// The pause after "Working..." is shown, before the files are written.
inline constexpr std::chrono::milliseconds kFastAccessPause{1100};

// The command: refuses (message box, status 0) after a scan that did not complete, on a
// read-only medium, or when subfolders were not included; otherwise writes the fast access
// files of the last scan's start folder and every folder below it from `records`, then shows
// "Fast Access Data created." or warns with the failing status, which it returns.
StatusCode WriteFastAccessDataFiles(RecordList& records,
                                    std::chrono::milliseconds pause = kFastAccessPause);

// Per-folder handler of that walk: writes the folder's fast access file from the records of
// its subtree (context.userPointer: the RecordList), then walks on into the subfolders.
StatusCode WriteFastAccessDataFileSub(WalkContext& context, const std::string& folder);

}  // namespace kelvane

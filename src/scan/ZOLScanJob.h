// The scan window's job: the tree scan on the worker thread behind the progress host, with
// the scan window's title and text (see RunScanWith in ZOLWorkThread.h).
#pragma once

#include <string>

#include "scan/ZOLTreeScan.h"
#include "support/NUVStatus.h"

namespace kelvane {

class IProgressHost;

// Runs ProcessStyleTree(startFolder, includeSubfolders) in the scan window: the worker clears
// the abort flag first; a status other than 0, -206 and -10380 empties the record list and is
// shown as "Error scanning styles - Error Nr : " (midi: "Error scanning midi files - ...")
// with its text. Returns 0 or the refusal of the worker (-10101 busy, -10102 no thread); the
// scan's own status goes to `scanStatus`.
StatusCode RunScan(const std::string& startFolder, int includeSubfolders,
                   StatusCode* scanStatus = nullptr);

// The same for the program's start folder (Config().effectiveStartPath, includeSubfolders).
StatusCode RunScan(StatusCode* scanStatus = nullptr);

// The same with the scan's options, the scan window shown by `host`.
StatusCode RunScan(IProgressHost& host, const std::string& startFolder, int includeSubfolders,
                   const ScanOptions& options, StatusCode* scanStatus = nullptr);

}  // namespace kelvane

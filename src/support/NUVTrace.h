// The trace: a size-limited text file "NUVTRACE.TRC" (backup ".BAK") that records every
// message and every trace line within the current trace level. It lies in the program folder
// when that is writable, else in $XDG_STATE_HOME/kelvane/ (~/.local/state/kelvane/). Written
// by the user-interface thread and the worker thread; the log's one-slot lock serialises the
// writes.
#pragma once

#include <string>

#include "support/NUVStatus.h"

namespace kelvane {

// Trace levels used across the program.
namespace trace {
inline constexpr int kAlways = 1;     // switches the trace on
inline constexpr int kCopy = 10;      // "Copying file :"
inline constexpr int kDebug = 50;     // DEBUG messages
inline constexpr int kScan = 1000;    // walker and scan lines
inline constexpr int kDetail = 2000;  // the walker's per-entry detail lines ("Found file", ...)
inline constexpr int kDefault = 1000;
}  // namespace trace

inline constexpr const char* kTraceBaseName = "NUVTRACE";
inline constexpr const char* kTraceExtension = ".TRC";
inline constexpr const char* kTraceBackupExtension = ".BAK";
inline constexpr unsigned long kTraceMaxSize = 10000000;

// Writes one trace line when `level` is within the trace level; a level-1 line switches the
// trace on. With `withTime` the line starts with the local time and a blank. Returns the log
// status (ignored by most callers).
StatusCode TraceLine(int level, bool withTime, const std::string& text);
StatusCode TraceFormat(int level, bool withTime, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
// True when a line of this level would be written: lets callers skip building costly texts.
bool TraceWanted(int level);

// Switches the trace on or raises its level (never lowers it), and switches it off.
void TraceOn(int level);
void TraceOff();
int TraceLevel();
// header := name + " " + version + " " + mode text; written in the "started" line.
void SetTraceHeader(const std::string& name, const std::string& version,
                    const std::string& modeText);

// Places the trace file in `folder` instead (tests, and callers that know better); an empty
// folder returns to the default place.
void SetTraceFolder(const std::string& folder);
// The trace file's full path (choosing its folder when not done yet).
std::string TraceFilePath();

}  // namespace kelvane

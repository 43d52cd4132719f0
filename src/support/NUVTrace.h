// The trace: a size-limited text file "NUVTRACE.TRC" (backup ".BAK") that records every
// message and every trace line within the current trace level. Written by the user-interface
// thread and the worker thread; a one-slot lock serialises the writes.
#pragma once

#include <string>

#include "support/NUVStatus.h"

namespace kelvane {

// Trace levels used across the program.
namespace trace {
inline constexpr int kAlways = 1;   // switches the trace on
inline constexpr int kCopy = 10;    // "Copying file :"
inline constexpr int kDebug = 50;   // DEBUG messages
inline constexpr int kScan = 1000;  // walker and scan lines
}  // namespace trace

// Writes one trace line when `level` is within the trace level; a level-1 line switches the
// trace on. Returns the log status (ignored by most callers).
StatusCode TraceLine(int level, bool withTime, const std::string& text);
StatusCode TraceFormat(int level, bool withTime, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Switches the trace on or raises its level (never lowers it), and switches it off.
void TraceOn(int level);
void TraceOff();
int TraceLevel();
void SetTraceHeader(const std::string& name, const std::string& version,
                    const std::string& modeText);

}  // namespace kelvane

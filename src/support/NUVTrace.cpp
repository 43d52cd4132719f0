// Placeholder: levels are kept, nothing is written yet.
#include "support/NUVTrace.h"

#include <cstdarg>

#include "support/NUVFormat.h"

namespace kelvane {
namespace {
int g_level = 0;
}

StatusCode TraceLine(int level, bool, const std::string&) {
    if (g_level == 0 && level == 1) {
        g_level = 1;
    }
    return 0;
}

StatusCode TraceFormat(int level, bool withTime, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = StrFormatV(format, args);
    va_end(args);
    return TraceLine(level, withTime, text);
}

void TraceOn(int level) {
    if (level > g_level) {
        g_level = level;
    }
}
void TraceOff() {
    g_level = 0;
}
int TraceLevel() {
    return g_level;
}
void SetTraceHeader(const std::string&, const std::string&, const std::string&) {}

}  // namespace kelvane

#include "audition/FluidLog.h"

#include <fluidsynth.h>

#include <mutex>

namespace kelvane {
namespace {

void DropLogLine(int, const char*, void*) {}

}  // namespace

void SilenceFluidLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level) {
            fluid_set_log_function(level, DropLogLine, nullptr);
        }
    });
}

}  // namespace kelvane

// FluidSynth writes its warnings and errors to standard error by default. The audition
// reports its own failures in the user's language, so FluidSynth's log lines are dropped.
#pragma once

namespace kelvane {

// Installs the silent log functions (once per process).
void SilenceFluidLog();

}  // namespace kelvane

// The program start of the benchmarks that analyse or scan: configuration files from the
// build folder, a settings file of their own in the temporary folder, messages on stderr.
#pragma once

namespace kelvane::bench {

// Starts the program as `name` would be started (with -m for midi mode); false when the start
// fails (configuration files missing from the build folder).
bool StartProgram(const char* name, bool midi);

}  // namespace kelvane::bench

// The short names of the 128 General MIDI programs, and the drum kit names used on channel
// index 9.
#pragma once

#include <cstddef>

namespace kelvane {

// The short name of `program` on channel index `channel`, written into `out` (at least 12
// bytes): a General MIDI name, "Dr1".."Dr8" for the kits on channel index 9, else the number.
void ProgramShortName(int channel, int program, char* out, size_t size);

}  // namespace kelvane

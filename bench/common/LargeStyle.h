// A large, realistic style file for the benchmarks that read one file at a time (the picture,
// the audition): the initialisation part, fifteen sections in 4/4 and notes on all eight
// accompaniment channels, repeated until the MIDI data reach about `targetBytes`.
#pragma once

#include <cstdint>
#include <string>

namespace kelvane::bench {

std::string LargeStyleBytes(int64_t targetBytes);

}  // namespace kelvane::bench

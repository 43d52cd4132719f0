// Renders an audition program into a WAV file (44,100 Hz, 16-bit stereo) as fast as the
// machine goes, without an audio device.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "audition/AuditionSynth.h"

namespace kelvane {

// Renders from the program's start until its end or `maxMicroseconds`, whichever is earlier
// (a loop runs for `maxMicroseconds`). `frames` gets the frames written. False with a message
// for the user when the synth has no SoundFont or the file cannot be written; false with an
// empty message when `aborted` (asked between blocks) said so. Nothing is left at `path` then.
bool RenderToWav(AuditionSynth& synth, const std::shared_ptr<const AuditionProgram>& program,
                 int64_t maxMicroseconds, const std::string& path, int64_t& frames,
                 std::string& problem, const std::function<bool()>& aborted = {});

}  // namespace kelvane

// Writes 16-bit stereo PCM WAV files at the audition's rate. The frame count is given at the
// start, so the header is right from the first byte and the sound goes out block by block.
// The file appears whole or not at all (written beside it and renamed into place).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "support/NUVAtomicFile.h"

namespace kelvane {

// The 44-byte header of a 16-bit stereo PCM WAV file with `frames` frames.
std::string WavHeader(int64_t frames, int sampleRate);

class WavWriter {
  public:
    // False with a message for the user when the file cannot be created.
    bool Open(const std::string& path, int64_t frames, int sampleRate, std::string& problem);
    // Interleaved samples, left then right.
    bool Write(std::span<const int16_t> samples, std::string& problem);
    // Checks that the promised frames were written and puts the file in place.
    bool Commit(std::string& problem);

  private:
    bool Fail(std::string& problem);

    CNuvAtomicFile file_;
    std::string path_;
    int64_t promised_ = 0;
    int64_t written_ = 0;
};

// A WAV file holds at most 4 GB of sound.
inline constexpr int64_t kMaxWavFrames = (0xFFFFFFFFLL - 36) / 4;

}  // namespace kelvane

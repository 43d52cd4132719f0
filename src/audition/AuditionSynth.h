// The synthesizer of the audition: a FluidSynth instance at 44,100 Hz with one General MIDI
// SoundFont. It takes the messages of an audition program and renders stereo blocks; which
// audio output (a file, a device) gets them is the caller's business. FluidSynth's own log
// lines are silenced: the audition reports its failures itself.
//
// One thread at a time: the player sends and renders from its audio thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audition/AuditionProgram.h"
#include "platform/NonCopyable.h"

namespace kelvane {

class AuditionSynth : NonCopyable {
  public:
    static constexpr int kSampleRate = 44100;

    AuditionSynth();
    ~AuditionSynth();

    // False when FluidSynth could not make a synthesizer (out of memory).
    bool Ok() const;
    // Loads the SoundFont (once; a second call replaces it). False with a message for the
    // user when it cannot be loaded.
    bool LoadSoundFont(const std::string& path, std::string& problem);
    bool HasSoundFont() const;

    // Silences every voice, resets every channel (voices, controllers) and makes the given
    // channels (counted from 0) drum kits, the others melodic: the state before a program.
    void Reset(const std::vector<int>& drumChannels);
    // Releases the sounding notes (their release tails go on).
    void AllNotesOff();
    // One message; a system exclusive message takes its bytes from `payload`.
    void Send(const TimedEvent& event, const std::vector<uint8_t>& payload);

    // Adds `frames` frames of sound (dry and effects mixed) to the two channel buffers.
    void RenderFloat(float* left, float* right, int frames);
    // Writes `frames` frames as interleaved 16-bit stereo.
    void RenderS16(int16_t* interleaved, int frames);

    // The SoundFont bank a channel plays from (128 for a drum kit); -1 without a SoundFont.
    int ChannelBank(int channel) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace kelvane

// Where the real-time player's sound goes. An output calls the render function from its own
// audio thread for every buffer it needs; the player fills it. Tests drive an output of their
// own that pulls buffers by hand.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kelvane {

class AudioOutput {
  public:
    // Fills `frames` frames of each channel; the buffers arrive zeroed.
    using RenderFn = std::function<void(float* left, float* right, int frames)>;

    virtual ~AudioOutput() = default;
    // Opens the device and starts calling `render`; false when no device opens.
    virtual bool Open(RenderFn render) = 0;
    // Stops the calls: once it returns, `render` is not called again.
    virtual void Close() = 0;
    // What opened ("pulseaudio", "alsa", ...); empty while closed.
    virtual std::string Name() const = 0;
};

struct DeviceOutputOptions {
    // FluidSynth's audio drivers, tried in this order; those the FluidSynth build lacks are
    // skipped.
    std::vector<std::string> drivers = {"pipewire", "pulseaudio", "alsa"};
    // Further FluidSynth settings as text ("audio.alsa.device", "null").
    std::vector<std::pair<std::string, std::string>> settings;
    // The device's buffer: `periods` blocks of `periodSize` frames (23 ms). FluidSynth's own
    // 16 blocks of 64 frames run dry on a busy machine, and the music then falls behind.
    int periodSize = 256;
    int periods = 4;
};

// The sound card through FluidSynth's own audio drivers, at the audition's rate.
std::unique_ptr<AudioOutput> MakeDeviceOutput(DeviceOutputOptions options = {});

}  // namespace kelvane

#include "audition/AuditionSynth.h"

#include <fluidsynth.h>

#include <algorithm>

#include "audition/FluidLog.h"
#include "support/NUVFormat.h"
#include "support/NUVTranslateFormat.h"

namespace kelvane {
namespace {

constexpr double kGain = 0.4;  // a style at its usual levels comes out clear, a loud song unclipped
constexpr int kChannels = 16;

}  // namespace

constexpr int kDrumBank = 128;

struct AuditionSynth::Impl {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    int soundFont = -1;
    std::vector<int> drumChannels;

    // A reset (ours, or a system exclusive GM, GS or XG reset) gives FluidSynth's default
    // channel types back: channel 10 (from 1) drums, the others melodic. The program's types
    // are put back over them, each channel keeping its program number.
    // The bank of the preset a channel plays (128: a drum kit); -1 when it has none.
    int PresetBank(int channel) const {
        fluid_preset_t* preset = fluid_synth_get_channel_preset(synth, channel);
        return preset == nullptr ? -1 : fluid_preset_get_banknum(preset);
    }

    void ApplyChannelTypes() {
        for (int channel = 0; channel < kChannels; ++channel) {
            const bool drum =
                std::find(drumChannels.begin(), drumChannels.end(), channel) != drumChannels.end();
            const int bank = PresetBank(channel);
            if (bank >= 0 && (bank == kDrumBank) == drum) {
                continue;
            }
            int soundFontId = 0;
            int programBank = 0;
            int program = 0;
            fluid_synth_get_program(synth, channel, &soundFontId, &programBank, &program);
            fluid_synth_set_channel_type(synth, channel,
                                         drum ? CHANNEL_TYPE_DRUM : CHANNEL_TYPE_MELODIC);
            fluid_synth_program_change(synth, channel, program);
        }
    }
};

AuditionSynth::AuditionSynth() : impl_(std::make_unique<Impl>()) {
    SilenceFluidLog();
    impl_->settings = new_fluid_settings();
    if (impl_->settings == nullptr) {
        return;
    }
    fluid_settings_setnum(impl_->settings, "synth.sample-rate", kSampleRate);
    fluid_settings_setnum(impl_->settings, "synth.gain", kGain);
    fluid_settings_setint(impl_->settings, "synth.cpu-cores", 1);
    impl_->synth = new_fluid_synth(impl_->settings);
}

AuditionSynth::~AuditionSynth() {
    if (impl_->synth != nullptr) {
        delete_fluid_synth(impl_->synth);
    }
    if (impl_->settings != nullptr) {
        delete_fluid_settings(impl_->settings);
    }
}

bool AuditionSynth::Ok() const {
    return impl_->synth != nullptr;
}

bool AuditionSynth::LoadSoundFont(const std::string& path, std::string& problem) {
    if (!Ok()) {
        problem = TranslateFormat("The synthesizer cannot be started.");
        return false;
    }
    const int id = fluid_synth_sfload(impl_->synth, path.c_str(), 1);
    if (id == FLUID_FAILED) {
        problem =
            StrFormat(TranslateFormat("The SoundFont %s cannot be loaded.").c_str(), path.c_str());
        return false;
    }
    if (impl_->soundFont >= 0) {
        fluid_synth_sfunload(impl_->synth, impl_->soundFont, 1);
    }
    impl_->soundFont = id;
    return true;
}

bool AuditionSynth::HasSoundFont() const {
    return impl_->soundFont >= 0;
}

void AuditionSynth::Reset(const std::vector<int>& drumChannels) {
    if (!Ok()) {
        return;
    }
    impl_->drumChannels = drumChannels;
    fluid_synth_system_reset(impl_->synth);
    impl_->ApplyChannelTypes();
}

void AuditionSynth::AllNotesOff() {
    if (Ok()) {
        fluid_synth_all_notes_off(impl_->synth, -1);
    }
}

void AuditionSynth::Send(const TimedEvent& event, const std::vector<uint8_t>& payload) {
    if (!Ok()) {
        return;
    }
    fluid_synth_t* synth = impl_->synth;
    const int channel = event.Channel();
    switch (event.status == MidiEvent::kSysex ? MidiEvent::kSysex : event.Kind()) {
        case 0x80:
            fluid_synth_noteoff(synth, channel, event.data1);
            break;
        case 0x90:
            if (event.data2 == 0) {
                fluid_synth_noteoff(synth, channel, event.data1);
            } else {
                fluid_synth_noteon(synth, channel, event.data1, event.data2);
            }
            break;
        case 0xA0:
            fluid_synth_key_pressure(synth, channel, event.data1, event.data2);
            break;
        case 0xB0:
            fluid_synth_cc(synth, channel, event.data1, event.data2);
            break;
        case 0xC0:
            fluid_synth_program_change(synth, channel, event.data1);
            break;
        case 0xD0:
            fluid_synth_channel_pressure(synth, channel, event.data1);
            break;
        case 0xE0:
            fluid_synth_pitch_bend(synth, channel, event.data1 | (event.data2 << 7));
            break;
        case MidiEvent::kSysex:
            if (event.payloadSize > 0 && event.payloadOffset <= payload.size() &&
                payload.size() - event.payloadOffset >= event.payloadSize) {
                fluid_synth_sysex(
                    synth, reinterpret_cast<const char*>(payload.data()) + event.payloadOffset,
                    static_cast<int>(event.payloadSize), nullptr, nullptr, nullptr, 0);
                impl_->ApplyChannelTypes();
            }
            break;
        default:
            break;
    }
}

void AuditionSynth::RenderFloat(float* left, float* right, int frames) {
    if (!Ok() || frames <= 0) {
        return;
    }
    // Without effect buffers of their own, reverb and chorus are mixed into the dry pair.
    float* fx[4] = {left, right, left, right};
    float* out[2] = {left, right};
    fluid_synth_process(impl_->synth, frames, 4, fx, 2, out);
}

void AuditionSynth::RenderS16(int16_t* interleaved, int frames) {
    if (!Ok() || frames <= 0) {
        std::fill(interleaved, interleaved + 2 * std::max(frames, 0), int16_t{0});
        return;
    }
    fluid_synth_write_s16(impl_->synth, frames, interleaved, 0, 2, interleaved, 1, 2);
}

int AuditionSynth::ChannelBank(int channel) const {
    if (!Ok() || !HasSoundFont() || channel < 0 || channel >= kChannels) {
        return -1;
    }
    return impl_->PresetBank(channel);
}

}  // namespace kelvane

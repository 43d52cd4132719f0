// The audio output over FluidSynth's drivers (PipeWire, PulseAudio, ALSA, whichever opens).
#include <fluidsynth.h>

#include "audition/AudioOutput.h"
#include "audition/AuditionSynth.h"
#include "audition/FluidLog.h"

namespace kelvane {
namespace {

class DeviceOutput final : public AudioOutput {
  public:
    explicit DeviceOutput(DeviceOutputOptions options) : options_(std::move(options)) {
        SilenceFluidLog();
    }
    ~DeviceOutput() override { Close(); }

    bool Open(RenderFn render) override {
        Close();
        render_ = std::move(render);
        for (const std::string& driver : options_.drivers) {
            if (TryDriver(driver)) {
                name_ = driver;
                return true;
            }
        }
        render_ = nullptr;
        return false;
    }

    void Close() override {
        if (driver_ != nullptr) {
            delete_fluid_audio_driver(driver_);  // joins the driver's thread
            driver_ = nullptr;
        }
        if (settings_ != nullptr) {
            delete_fluid_settings(settings_);
            settings_ = nullptr;
        }
        name_.clear();
    }

    std::string Name() const override { return name_; }

  private:
    static int Callback(void* data, int frames, int, float*[], int outputs, float* out[]) {
        auto* self = static_cast<DeviceOutput*>(data);
        if (outputs >= 2) {
            self->render_(out[0], out[1], frames);
        }
        return FLUID_OK;
    }

    bool Offered(fluid_settings_t* settings, const std::string& driver) {
        struct Search {
            const std::string* name;
            bool found;
        } search{&driver, false};
        fluid_settings_foreach_option(settings, "audio.driver", &search,
                                      [](void* data, const char*, const char* option) {
                                          auto* s = static_cast<Search*>(data);
                                          s->found = s->found || *s->name == option;
                                      });
        return search.found;
    }

    bool TryDriver(const std::string& driver) {
        settings_ = new_fluid_settings();
        if (settings_ == nullptr) {
            return false;
        }
        if (Offered(settings_, driver)) {
            fluid_settings_setstr(settings_, "audio.driver", driver.c_str());
            fluid_settings_setnum(settings_, "synth.sample-rate", AuditionSynth::kSampleRate);
            fluid_settings_setint(settings_, "audio.period-size", options_.periodSize);
            fluid_settings_setint(settings_, "audio.periods", options_.periods);
            for (const auto& [name, value] : options_.settings) {
                fluid_settings_setstr(settings_, name.c_str(), value.c_str());
            }
            driver_ = new_fluid_audio_driver2(settings_, &DeviceOutput::Callback, this);
            if (driver_ != nullptr) {
                return true;
            }
        }
        delete_fluid_settings(settings_);
        settings_ = nullptr;
        return false;
    }

    DeviceOutputOptions options_;
    RenderFn render_;
    fluid_settings_t* settings_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;
    std::string name_;
};

}  // namespace

std::unique_ptr<AudioOutput> MakeDeviceOutput(DeviceOutputOptions options) {
    return std::make_unique<DeviceOutput>(std::move(options));
}

}  // namespace kelvane

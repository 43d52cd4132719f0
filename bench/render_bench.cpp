// bench/run render [STYLE [SECTION]] [ROUNDS]: renders 30 seconds of a Main section (looping)
// into a WAV file, as `kelvane-cli render --seconds 30` does, with the SoundFont already
// loaded, against real time (30 s). Without STYLE the generated ~1 MB style's "Main A" plays
// (eight parts and drums, controller streams). The SoundFont is the one the program finds
// (FluidR3_GM when fluid-soundfont-gm is installed). Goal: ratio 0.05 or below.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "audition/AuditionProgram.h"
#include "audition/AuditionSynth.h"
#include "audition/OfflineRender.h"
#include "audition/SoundFontSearch.h"
#include "common/BenchTiming.h"
#include "common/LargeStyle.h"

namespace {

namespace fs = std::filesystem;
using namespace kelvane;

constexpr double kSeconds = 30;

}  // namespace

int main(int argc, char** argv) {
    const fs::path folder =
        fs::temp_directory_path() / ("render_bench." + std::to_string(getpid()));
    fs::create_directories(folder);
    std::string style = argc > 1 ? argv[1] : "";
    const std::string section = argc > 2 ? argv[2] : "Main A";
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    if (style.empty()) {
        style = (folder / "large.sty").string();
        std::ofstream(style, std::ios::binary) << bench::LargeStyleBytes(1'000'000);
    }
    auto program = std::make_shared<AuditionProgram>();
    std::string problem;
    if (!LoadAuditionProgram({style, false, section}, *program, problem)) {
        std::fprintf(stderr, "render: %s\n", problem.c_str());
        return 1;
    }
    const std::string soundFont = FindSoundFont("", DefaultSoundFontPlaces());
    AuditionSynth synth;
    double loadSeconds = 0;
    bool loaded = false;
    if (!soundFont.empty()) {
        loadSeconds = bench::TimeSeconds([&] { loaded = synth.LoadSoundFont(soundFont, problem); });
    }
    if (!loaded) {
        std::fprintf(stderr, "render: %s\n",
                     soundFont.empty() ? NoSoundFontMessage().c_str() : problem.c_str());
        return 1;
    }
    std::fprintf(stderr,
                 "render: %s, %s (%zu events a pass of %.2f s), SoundFont %s loaded in %.2f s\n",
                 style.c_str(), program->name.c_str(), program->body.size(),
                 double(program->passMicroseconds) / 1e6, soundFont.c_str(), loadSeconds);
    const std::string out = (folder / "out.wav").string();
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        int64_t frames = 0;
        bool ok = false;
        times.push_back(bench::TimeSeconds([&] {
            ok = RenderToWav(synth, program, int64_t(kSeconds * 1e6), out, frames, problem);
        }));
        if (!ok || frames != int64_t(kSeconds * AuditionSynth::kSampleRate)) {
            std::fprintf(stderr, "render: %s\n", problem.c_str());
            return 1;
        }
    }
    fs::remove_all(folder);
    bench::PrintResult("render", bench::Median(times), kSeconds);
    return 0;
}

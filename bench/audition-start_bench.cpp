// bench/run audition-start [ROUNDS]: the time from the play call to the first rendered buffer
// of the new music, for the generated ~1 MB style file, with the SoundFont already loaded:
// what a user waits for when walking down the list with Space. The player runs on FluidSynth's
// ALSA driver with ALSA's "null" device (a real driver thread, no sound card needed), and each
// play switches from one of two such files to the other (Main A, Main B, ... in turn), as
// moving to the next row of the list does.
// Reference: the goal of 50 ms.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "audition/AuditionPlayer.h"
#include "common/BenchTiming.h"
#include "common/LargeStyle.h"

namespace {

namespace fs = std::filesystem;
using namespace kelvane;
using Clock = std::chrono::steady_clock;

constexpr double kGoalSeconds = 0.050;

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const fs::path folder =
        fs::temp_directory_path() / ("audition_start_bench." + std::to_string(getpid()));
    fs::create_directories(folder);
    const std::string bytes = bench::LargeStyleBytes(1'000'000);
    const std::string styles[] = {(folder / "large-1.sty").string(),
                                  (folder / "large-2.sty").string()};
    for (const std::string& style : styles) {
        std::ofstream(style, std::ios::binary) << bytes;
    }
    std::fprintf(stderr, "audition-start: two style files of %zu bytes\n", bytes.size());

    AuditionPlayer player({}, MakeDeviceOutput({{"alsa"}, {{"audio.alsa.device", "null"}}}));
    if (!player.WaitUntilReady()) {
        std::fprintf(stderr, "audition-start: %s\n", player.StatusText().c_str());
        return 1;
    }
    const char* const sections[] = {"Main A", "Main B", "Main C", "Main D"};
    std::vector<double> starts;
    std::vector<double> calls;
    for (int round = 0; round < rounds; ++round) {
        std::string problem;
        const auto begin = Clock::now();
        if (!player.Play({styles[round % 2], false, sections[round % 4]}, problem)) {
            std::fprintf(stderr, "audition-start: %s\n", problem.c_str());
            return 1;
        }
        const auto returned = Clock::now();
        const uint64_t id = player.Position().playId;
        while (true) {
            const AuditionPosition at = player.Position();
            if (at.playId == id && at.framesRendered > 0) {
                break;
            }
            std::this_thread::yield();
        }
        const auto heard = Clock::now();
        calls.push_back(std::chrono::duration<double>(returned - begin).count());
        starts.push_back(std::chrono::duration<double>(heard - begin).count());
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    player.Stop();
    fs::remove_all(folder);
    std::fprintf(stderr, "audition-start: the play call itself (reading, building) %.4f s\n",
                 bench::Median(calls));
    bench::PrintResult("audition-start", bench::Median(starts), kGoalSeconds);
    return 0;
}

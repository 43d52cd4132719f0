#include "audition/OfflineRender.h"

#include <algorithm>
#include <vector>

#include "audition/ProgramPlayback.h"
#include "audition/SoundFontSearch.h"
#include "audition/WavWriter.h"

namespace kelvane {
namespace {

constexpr int kBlockFrames = 4096;

}  // namespace

bool RenderToWav(AuditionSynth& synth, const std::shared_ptr<const AuditionProgram>& program,
                 int64_t maxMicroseconds, const std::string& path, int64_t& frames,
                 std::string& problem, const std::function<bool()>& aborted) {
    frames = 0;
    if (!synth.HasSoundFont()) {
        problem = NoSoundFontMessage();
        return false;
    }
    ProgramPlayback playback(program, maxMicroseconds);
    const int64_t total = std::min(FramesOfMicroseconds(playback.EndMicroseconds()), kMaxWavFrames);
    WavWriter wav;
    if (!wav.Open(path, total, AuditionSynth::kSampleRate, problem)) {
        return false;
    }
    playback.Start(synth);
    std::vector<int16_t> block(2 * kBlockFrames);
    while (frames < total) {
        if (aborted && aborted()) {
            problem.clear();
            synth.AllNotesOff();
            return false;  // the writer abandons its file
        }
        const int count = static_cast<int>(std::min<int64_t>(kBlockFrames, total - frames));
        playback.Render(synth, count,
                        [&](int offset, int n) { synth.RenderS16(block.data() + 2 * offset, n); });
        if (!wav.Write(std::span<const int16_t>(block.data(), 2 * size_t(count)), problem)) {
            return false;
        }
        frames += count;
    }
    // Silence what still rings, so the next program starts clean.
    synth.AllNotesOff();
    return wav.Commit(problem);
}

}  // namespace kelvane

#include "audition/ProgramPlayback.h"

#include <algorithm>
#include <cmath>

namespace kelvane {
namespace {

constexpr double kMicrosecondsPerFrame = 1e6 / AuditionSynth::kSampleRate;

}  // namespace

int64_t FramesOfMicroseconds(int64_t microseconds) {
    const __int128 frames =
        (static_cast<__int128>(std::max<int64_t>(microseconds, 0)) * AuditionSynth::kSampleRate +
         999'999) /
        1'000'000;
    return frames > kNoEnd ? kNoEnd : static_cast<int64_t>(frames);
}

ProgramPlayback::ProgramPlayback(std::shared_ptr<const AuditionProgram> program,
                                 int64_t endMicroseconds)
    : program_(std::move(program)), cursor_(*program_, endMicroseconds) {}

void ProgramPlayback::Start(AuditionSynth& synth) {
    synth.Reset(program_->drumChannels);
}

void ProgramPlayback::SetTempo(double factor) {
    tempo_ = std::clamp(factor, kMinTempo, kMaxTempo);
}

void ProgramPlayback::Render(AuditionSynth& synth, int frames,
                             const std::function<void(int offset, int count)>& render) {
    const double step = kMicrosecondsPerFrame * tempo_;
    int done = 0;
    TimedEvent event;
    while (done < frames) {
        int until = frames;
        while (cursor_.Peek(event)) {
            // The first frame at or after the event's time.
            const double ahead = (static_cast<double>(event.microseconds) - music_) / step;
            const int at =
                ahead <= 0
                    ? done
                    : static_cast<int>(std::min<double>(done + std::ceil(ahead - 1e-9), frames));
            if (at > done) {
                until = at;
                break;
            }
            synth.Send(event, program_->payload);
            cursor_.Next(event);
        }
        if (!cursor_.Peek(event) && music_ >= static_cast<double>(cursor_.EndMicroseconds())) {
            finished_ = true;
        }
        render(done, until - done);
        music_ += (until - done) * step;
        done = until;
    }
    if (!cursor_.Peek(event) && music_ >= static_cast<double>(cursor_.EndMicroseconds())) {
        finished_ = true;
    }
}

}  // namespace kelvane

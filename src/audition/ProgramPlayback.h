// One program playing through the synthesizer, block by block: each event goes to the synth
// at the frame its time falls on, and the sound between events is rendered in one stretch.
// (FluidSynth starts a voice at the next of its own 64-frame steps, 1.5 ms at most later.)
// A tempo factor stretches or compresses the music's time, not the sound's pitch. Both the
// offline renderer and the real-time player drive this; it holds no thread of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "audition/AuditionSynth.h"
#include "audition/EventCursor.h"

namespace kelvane {

class ProgramPlayback {
  public:
    // Plays `program` from its start up to `endMicroseconds` (kNoEnd: a loop runs on).
    ProgramPlayback(std::shared_ptr<const AuditionProgram> program, int64_t endMicroseconds);

    // Puts the synth into the program's starting state (channels reset, drum channels set).
    void Start(AuditionSynth& synth);
    // Advances `frames` frames: `render(offset, count)` is called for each stretch between
    // events, in order, the stretches covering [0, frames) exactly.
    void Render(AuditionSynth& synth, int frames,
                const std::function<void(int offset, int count)>& render);

    // 1.0 plays as written; 0.5 half as fast. Kept within [kMinTempo, kMaxTempo].
    void SetTempo(double factor);
    double Tempo() const { return tempo_; }
    static constexpr double kMinTempo = 0.25;
    static constexpr double kMaxTempo = 4.0;

    // The place in the music (microseconds from the start, passes of a loop added up).
    int64_t MusicMicroseconds() const { return static_cast<int64_t>(music_); }
    // The loop pass now playing, counted from 1.
    int64_t Pass() const { return cursor_.Pass(); }
    // True once the end was reached and every event sent.
    bool Finished() const { return finished_; }
    // Where the music ends, as EventCursor::EndMicroseconds.
    int64_t EndMicroseconds() const { return cursor_.EndMicroseconds(); }
    const AuditionProgram& Program() const { return *program_; }

  private:
    std::shared_ptr<const AuditionProgram> program_;
    EventCursor cursor_;
    double music_ = 0;  // microseconds
    double tempo_ = 1.0;
    bool finished_ = false;
};

// Frames of `microseconds` at the synth's rate, rounded up.
int64_t FramesOfMicroseconds(int64_t microseconds);

}  // namespace kelvane

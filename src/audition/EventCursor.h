// Walks an audition program in time order without copying it: the set-up, then pass after
// pass of the body (one pass unless the program loops), up to an optional end. Notes still
// sounding at the end of a pass or at the end get their note-offs there, so nothing hangs
// over a loop point or past the end. Memory stays that of the program however long it runs.
#pragma once

#include <bitset>
#include <cstdint>
#include <limits>

#include "audition/AuditionProgram.h"

namespace kelvane {

inline constexpr int64_t kNoEnd = std::numeric_limits<int64_t>::max();

class EventCursor {
  public:
    // The program must outlive the cursor. Events at or after `endMicroseconds` are not
    // played; kNoEnd lets a loop run until the caller stops asking.
    explicit EventCursor(const AuditionProgram& program, int64_t endMicroseconds = kNoEnd);

    // The next event; false at the end.
    bool Next(TimedEvent& event);
    // The next event without taking it; false at the end.
    bool Peek(TimedEvent& event);
    // Where the music ends: the end given or the end of the last pass, whichever is earlier
    // (kNoEnd for a loop without an end).
    int64_t EndMicroseconds() const;
    // The passes begun so far, counted from 1 (0 before the body's first event).
    int64_t Pass() const { return pass_; }

  private:
    enum class Phase { kSetup, kBody, kLoopFlush, kFinalFlush, kDone };
    bool Fill();
    bool TakeBodyEvent();
    void EndPass();
    bool TakeNoteOff();
    void Track(const TimedEvent& event);

    const AuditionProgram& program_;
    int64_t end_;
    Phase phase_ = Phase::kSetup;
    size_t index_ = 0;
    int64_t pass_ = 0;
    int64_t passStart_ = 0;
    int64_t flushAt_ = 0;
    int64_t last_ = 0;
    size_t flushIndex_ = 0;
    std::bitset<16 * 128> sounding_;
    TimedEvent next_;
    bool hasNext_ = false;
};

}  // namespace kelvane

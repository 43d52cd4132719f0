#include "audition/EventCursor.h"

#include <algorithm>

namespace kelvane {
namespace {

int64_t SaturatingAdd(int64_t a, int64_t b) {
    int64_t sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? kNoEnd : sum;
}

}  // namespace

EventCursor::EventCursor(const AuditionProgram& program, int64_t endMicroseconds)
    : program_(program), end_(std::max<int64_t>(endMicroseconds, 0)) {}

int64_t EventCursor::EndMicroseconds() const {
    if (program_.loops) {
        return end_;
    }
    return std::min(std::max<int64_t>(program_.passMicroseconds, 0), end_);
}

bool EventCursor::Next(TimedEvent& event) {
    if (!Peek(event)) {
        return false;
    }
    hasNext_ = false;
    return true;
}

bool EventCursor::Peek(TimedEvent& event) {
    if (!hasNext_) {
        hasNext_ = Fill();
    }
    if (hasNext_) {
        event = next_;
    }
    return hasNext_;
}

void EventCursor::Track(const TimedEvent& event) {
    const size_t key = size_t(event.Channel()) * 128 + (event.data1 & 0x7F);
    if (event.IsNoteOn()) {
        sounding_.set(key);
    } else if (event.IsNoteOff()) {
        sounding_.reset(key);
    }
}

bool EventCursor::Fill() {
    while (true) {
        switch (phase_) {
            case Phase::kSetup:
                if (index_ < program_.setup.size() && end_ > 0) {
                    next_ = program_.setup[index_++];
                    next_.microseconds = 0;
                    Track(next_);
                    return true;
                }
                phase_ = Phase::kBody;
                index_ = 0;
                pass_ = 1;
                break;
            case Phase::kBody:
                if (TakeBodyEvent()) {
                    return true;
                }
                break;
            case Phase::kLoopFlush:
            case Phase::kFinalFlush:
                if (TakeNoteOff()) {
                    return true;
                }
                if (phase_ == Phase::kFinalFlush) {
                    phase_ = Phase::kDone;
                } else {
                    phase_ = Phase::kBody;
                    passStart_ = flushAt_;
                    index_ = 0;
                    ++pass_;
                }
                break;
            case Phase::kDone:
                return false;
        }
    }
}

bool EventCursor::TakeBodyEvent() {
    if (index_ >= program_.body.size()) {
        EndPass();
        return false;
    }
    TimedEvent event = program_.body[index_++];
    // A pass's events lie inside it and in time order; a program built otherwise is kept to
    // that, so that time never runs backwards.
    const int64_t offset =
        std::clamp<int64_t>(event.microseconds, 0, std::max<int64_t>(program_.passMicroseconds, 0));
    event.microseconds = std::max(SaturatingAdd(passStart_, offset), last_);
    last_ = event.microseconds;
    if (event.microseconds >= end_) {
        flushAt_ = end_;
        flushIndex_ = 0;
        phase_ = Phase::kFinalFlush;
        return false;
    }
    Track(event);
    next_ = event;
    return true;
}

void EventCursor::EndPass() {
    const int64_t passEnd =
        SaturatingAdd(passStart_, std::max<int64_t>(program_.passMicroseconds, 0));
    flushIndex_ = 0;
    if (program_.loops && passEnd < end_ && passEnd > passStart_) {
        flushAt_ = passEnd;
        phase_ = Phase::kLoopFlush;
    } else {
        flushAt_ = std::min(passEnd, end_);
        phase_ = Phase::kFinalFlush;
    }
}

bool EventCursor::TakeNoteOff() {
    while (flushIndex_ < sounding_.size() && !sounding_.test(flushIndex_)) {
        ++flushIndex_;
    }
    if (flushIndex_ >= sounding_.size()) {
        return false;
    }
    sounding_.reset(flushIndex_);
    next_ = TimedEvent{};
    next_.microseconds = flushAt_;
    next_.status = static_cast<uint8_t>(0x80 | (flushIndex_ / 128));
    next_.data1 = static_cast<uint8_t>(flushIndex_ % 128);
    ++flushIndex_;
    return true;
}

}  // namespace kelvane

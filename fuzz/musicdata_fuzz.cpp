// Feeds any bytes to the timed event list and the maps built on it (tempo, meter, sections),
// and checks what their users rely on: events in tick order, payloads inside the store, time
// and bars that never run backwards, sections inside the MIDI data. The audition's event
// streams built from them (the song, a style section looping) keep time in order, end every
// note they start, and stay within the size of what they were built from.
#include <algorithm>
#include <bitset>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "analysis/SectionMap.h"
#include "audition/AuditionProgram.h"
#include "audition/EventCursor.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Walks a program for up to three passes.
void CheckStream(const kelvane::AuditionProgram& program) {
    using namespace kelvane;
    Check(program.passMicroseconds >= 0);
    Check(!program.loops || program.passMicroseconds >= kMinLoopMicroseconds);
    for (const TimedEvent& event : program.body) {
        Check(event.microseconds >= 0 && event.microseconds <= program.passMicroseconds);
        Check(event.payloadSize == 0 ||
              (event.payloadOffset <= program.payload.size() &&
               program.payload.size() - event.payloadOffset >= event.payloadSize));
    }
    const int64_t passes = program.loops ? 3 : 1;
    const int64_t end = program.loops && program.passMicroseconds < kNoEnd / 4
                            ? program.passMicroseconds * passes - 1
                            : kNoEnd;
    EventCursor cursor(program, end);
    std::bitset<16 * 128> sounding;
    const size_t limit = program.setup.size() + size_t(passes) * (program.body.size() + 2048);
    size_t count = 0;
    int64_t last = 0;
    for (TimedEvent event; cursor.Next(event);) {
        Check(++count <= limit);
        Check(event.microseconds >= last && event.microseconds <= end);
        last = event.microseconds;
        const size_t key = size_t(event.Channel()) * 128 + event.data1;
        if (event.IsNoteOn()) {
            sounding.set(key);
        } else if (event.IsNoteOff()) {
            sounding.reset(key);
        }
    }
    Check(sounding.none());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kelvane;
    MidiEventList list;
    if (!ReadMidiEvents(std::span<const uint8_t>(data, size), list)) {
        Check(list.events.empty() && !list.problem.empty());
        return 0;
    }
    Check(list.events.size() <= kMaxMidiEvents);
    int64_t tick = 0;
    for (const MidiEvent& event : list.events) {
        Check(event.tick >= tick && event.tick <= list.endTick);
        tick = event.tick;
        Check(list.Payload(event).size() == event.payloadSize);
    }
    const TempoMap tempo = BuildTempoMap(list);
    const MeterMap meter = BuildMeterMap(list);
    int64_t lastTime = 0;
    int64_t lastBar = 1;
    for (const MidiEvent& event : list.events) {
        const int64_t time = MicrosecondsAt(tempo, event.tick);
        const int64_t bar = BarAt(meter, event.tick);
        Check(time >= lastTime && bar >= lastBar);
        Check(TickAtMicroseconds(tempo, time) <= event.tick);
        lastTime = time;
        lastBar = bar;
    }
    const SectionMap sections = BuildSectionMap(list, meter);
    Check(sections.initEndTick <= list.endTick);
    for (const StyleSection& section : sections.sections) {
        Check(section.startTick <= section.endTick && section.endTick <= list.endTick);
        Check(section.firstBar >= 1 && section.bars >= 0);
        Check(FindSection(sections, section.name) != nullptr);
    }
    CheckStream(BuildSongProgram(list, "song"));
    if (!sections.sections.empty()) {
        CheckStream(BuildSectionProgram(list, sections, sections.sections.front()));
        CheckStream(BuildSectionProgram(list, sections, sections.sections.back()));
    }
    return 0;
}

// Feeds any bytes to the timed event list and the maps built on it (tempo, meter, sections),
// and checks what their users rely on: events in tick order, payloads inside the store, time
// and bars that never run backwards, sections inside the MIDI data.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "analysis/SectionMap.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
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
    return 0;
}

// Time in a file's MIDI data: the tempo map (ticks to microseconds and back) and the meter map
// (ticks to bars). A bar lasts numerator x 4 / denominator quarter notes of the time signature
// in force; a time signature that arrives in the middle of a bar ends that bar early, and the
// new meter's bars count from there. Before the first time signature the meter is 4/4 and the
// tempo 120 quarter notes per minute.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/MidiEvents.h"

namespace kelvane {

struct TempoPoint {
    int64_t tick = 0;
    int64_t microseconds = 0;  // time at `tick`
    uint32_t microsecondsPerQuarter = 500000;
};

struct TempoMap {
    int ticksPerQuarter = 480;
    bool timeCode = false;           // the division counts time, not quarter notes
    int64_t ticksPerSecond = 0;      // with a time-code division
    std::vector<TempoPoint> points;  // by tick; the first at tick 0
};

TempoMap BuildTempoMap(const MidiEventList& list);
int64_t MicrosecondsAt(const TempoMap& map, int64_t tick);
// The first tick at or after `microseconds`.
int64_t TickAtMicroseconds(const TempoMap& map, int64_t microseconds);
// The tempo in force at `tick` (microseconds per quarter note).
uint32_t TempoAt(const TempoMap& map, int64_t tick);

struct MeterPoint {
    int64_t tick = 0;
    int numerator = 4;
    int denominator = 4;     // as a note value: 4 for quarters
    int64_t barTicks = 0;    // ticks of one bar of this meter
    int64_t barsBefore = 0;  // whole or cut bars before `tick`
};

struct MeterMap {
    std::vector<MeterPoint> points;  // by tick; the first at tick 0
};

MeterMap BuildMeterMap(const MidiEventList& list);
// Ticks of one bar of a meter (at least 1).
int64_t BarTicks(int ticksPerQuarter, int numerator, int denominator);
// The bar that holds `tick`, counted from 1.
int64_t BarAt(const MeterMap& map, int64_t tick);
// Bars from `startTick` up to `endTick`: a bar that is begun counts whole.
int64_t BarsBetween(const MeterMap& map, int64_t startTick, int64_t endTick);

}  // namespace kelvane

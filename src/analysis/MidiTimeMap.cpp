#include "analysis/MidiTimeMap.h"

#include <algorithm>
#include <limits>

namespace kelvane {
namespace {

constexpr int kTempoMeta = 0x51;
constexpr int kTimeSignatureMeta = 0x58;
constexpr uint32_t kDefaultTempo = 500000;
// Denominators beyond a 64th note are not music; such a time signature is ignored.
constexpr int kMaxDenominatorPower = 6;

// The last point at or before `tick` (the first when `tick` lies before it).
template <class Point>
const Point& PointAt(const std::vector<Point>& points, int64_t tick) {
    auto after = std::upper_bound(points.begin(), points.end(), tick,
                                  [](int64_t t, const Point& p) { return t < p.tick; });
    return after == points.begin() ? points.front() : *(after - 1);
}

// a * b / c without overflow for the values a hostile file can produce (ticks add up to far
// more than 32 bits), clamped to the int64 range.
int64_t MulDiv(int64_t a, int64_t b, int64_t c, int64_t roundUp = 0) {
    const __int128 value = (static_cast<__int128>(a) * b + roundUp) / c;
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    return value > kMax ? kMax : static_cast<int64_t>(value);
}

int64_t SaturatingAdd(int64_t a, int64_t b) {
    int64_t sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? std::numeric_limits<int64_t>::max() : sum;
}

int64_t MicrosecondsOfTicks(const TempoMap& map, int64_t ticks, uint32_t tempo) {
    if (map.timeCode) {
        return MulDiv(ticks, 1'000'000, map.ticksPerSecond);
    }
    return MulDiv(ticks, tempo, map.ticksPerQuarter);
}

}  // namespace

TempoMap BuildTempoMap(const MidiEventList& list) {
    TempoMap map;
    map.ticksPerQuarter = list.TicksPerQuarter();
    if (list.division >= 0x8000) {
        map.timeCode = true;
        map.ticksPerSecond = int64_t{map.ticksPerQuarter} * 2;
    }
    map.points.push_back(TempoPoint{0, 0, kDefaultTempo});
    for (const MidiEvent& event : list.events) {
        if (!event.IsMeta(kTempoMeta) || event.payloadSize < 3) {
            continue;
        }
        const std::span<const uint8_t> d = list.Payload(event);
        const uint32_t tempo = (uint32_t{d[0]} << 16) | (uint32_t{d[1]} << 8) | d[2];
        if (tempo == 0) {
            continue;
        }
        TempoPoint& last = map.points.back();
        if (event.tick == last.tick) {
            last.microsecondsPerQuarter = tempo;  // the later of two at one tick wins
            continue;
        }
        const int64_t at = SaturatingAdd(
            last.microseconds,
            MicrosecondsOfTicks(map, event.tick - last.tick, last.microsecondsPerQuarter));
        map.points.push_back(TempoPoint{event.tick, at, tempo});
    }
    return map;
}

int64_t MicrosecondsAt(const TempoMap& map, int64_t tick) {
    const TempoPoint& point = PointAt(map.points, tick);
    return SaturatingAdd(point.microseconds,
                         MicrosecondsOfTicks(map, tick - point.tick, point.microsecondsPerQuarter));
}

int64_t TickAtMicroseconds(const TempoMap& map, int64_t microseconds) {
    microseconds = std::max<int64_t>(microseconds, 0);
    // The first point at or after the time; the tick sought lies in the span before it. (At a
    // very fast tempo many ticks share one microsecond, so the span before a point can reach
    // the point's own time before the point's tick.)
    auto after =
        std::lower_bound(map.points.begin(), map.points.end(), microseconds,
                         [](const TempoPoint& p, int64_t us) { return p.microseconds < us; });
    const TempoPoint& point = after == map.points.begin() ? map.points.front() : *(after - 1);
    const int64_t rest = microseconds - point.microseconds;
    int64_t tick = 0;
    if (map.timeCode) {
        tick = SaturatingAdd(point.tick, MulDiv(rest, map.ticksPerSecond, 1'000'000, 999'999));
    } else {
        const int64_t perQuarter = point.microsecondsPerQuarter;
        tick = SaturatingAdd(point.tick,
                             MulDiv(rest, map.ticksPerQuarter, perQuarter, perQuarter - 1));
    }
    return after == map.points.end() ? tick : std::min(tick, after->tick);
}

uint32_t TempoAt(const TempoMap& map, int64_t tick) {
    return PointAt(map.points, tick).microsecondsPerQuarter;
}

int64_t BarTicks(int ticksPerQuarter, int numerator, int denominator) {
    const int64_t ticks = int64_t{ticksPerQuarter} * numerator * 4 / std::max(denominator, 1);
    return std::max<int64_t>(ticks, 1);
}

MeterMap BuildMeterMap(const MidiEventList& list) {
    const int perQuarter = list.TicksPerQuarter();
    MeterMap map;
    map.points.push_back(MeterPoint{0, 4, 4, BarTicks(perQuarter, 4, 4), 0});
    for (const MidiEvent& event : list.events) {
        if (!event.IsMeta(kTimeSignatureMeta) || event.payloadSize < 2) {
            continue;
        }
        const std::span<const uint8_t> d = list.Payload(event);
        if (d[0] == 0 || d[1] > kMaxDenominatorPower) {
            continue;
        }
        MeterPoint point;
        point.tick = event.tick;
        point.numerator = d[0];
        point.denominator = 1 << d[1];
        point.barTicks = BarTicks(perQuarter, point.numerator, point.denominator);
        MeterPoint& last = map.points.back();
        if (point.tick == last.tick) {
            point.barsBefore = last.barsBefore;
            last = point;
            continue;
        }
        const int64_t span = point.tick - last.tick;
        point.barsBefore = last.barsBefore + (span + last.barTicks - 1) / last.barTicks;
        map.points.push_back(point);
    }
    return map;
}

int64_t BarAt(const MeterMap& map, int64_t tick) {
    const MeterPoint& point = PointAt(map.points, tick);
    return point.barsBefore + std::max<int64_t>(tick - point.tick, 0) / point.barTicks + 1;
}

int64_t BarsBetween(const MeterMap& map, int64_t startTick, int64_t endTick) {
    if (endTick <= startTick) {
        return 0;
    }
    const MeterPoint& point = PointAt(map.points, endTick);
    const int64_t offset = std::max<int64_t>(endTick - point.tick, 0);
    // The bar that holds the end counts when the end lies inside it.
    const int64_t barsToEnd = point.barsBefore + (offset + point.barTicks - 1) / point.barTicks;
    return barsToEnd - (BarAt(map, startTick) - 1);
}

}  // namespace kelvane

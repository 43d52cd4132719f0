// The sections of a style file's MIDI data, found by their markers. A section marker is a
// marker meta whose text begins with "Intro", "Main", "Fill In", "Break" or "Ending" (the
// markers the analysis counts); a section runs from its marker to the next section marker or
// to the end of the MIDI data. What comes before the first section marker is the
// initialisation part: the voices, controllers and system exclusive set-up of the style.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/MidiEvents.h"
#include "analysis/MidiTimeMap.h"

namespace kelvane {

enum class SectionKind { kIntro, kMain, kFillIn, kBreak, kEnding };

// The kind of a section marker's text; none for any other marker ("SFF1", "SInt", ...).
std::optional<SectionKind> SectionKindOfMarker(std::string_view text);

struct StyleSection {
    std::string name;  // the marker's text
    SectionKind kind = SectionKind::kMain;
    int64_t startTick = 0;
    int64_t endTick = 0;   // the next section marker's tick, or the end of the MIDI data
    int64_t firstBar = 1;  // the bar of the marker, counted from 1
    int64_t bars = 0;      // bars from the marker to the end; a bar begun counts whole
};

struct SectionMap {
    int64_t initEndTick = 0;  // the first section marker's tick (the end of the MIDI data
                              // when there is none)
    std::vector<StyleSection> sections;  // in the order of their markers
};

SectionMap BuildSectionMap(const MidiEventList& list, const MeterMap& meter);
// The section of that name: the first with exactly this name, else the first whose name
// matches without regard to case; nullptr when the file has none.
const StyleSection* FindSection(const SectionMap& map, std::string_view name);

}  // namespace kelvane

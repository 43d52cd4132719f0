#include "analysis/SectionMap.h"

#include "support/NUVConfig.h"

namespace kelvane {
namespace {

constexpr int kMarkerMeta = 0x06;

}  // namespace

std::optional<SectionKind> SectionKindOfMarker(std::string_view text) {
    struct Prefix {
        std::string_view text;
        SectionKind kind;
    };
    static constexpr Prefix kPrefixes[] = {
        {"Main", SectionKind::kMain},      {"Intro", SectionKind::kIntro},
        {"Fill In", SectionKind::kFillIn}, {"Ending", SectionKind::kEnding},
        {"Break", SectionKind::kBreak},
    };
    for (const Prefix& prefix : kPrefixes) {
        if (text.starts_with(prefix.text)) {
            return prefix.kind;
        }
    }
    return std::nullopt;
}

SectionMap BuildSectionMap(const MidiEventList& list, const MeterMap& meter) {
    SectionMap map;
    map.initEndTick = list.endTick;
    for (const MidiEvent& event : list.events) {
        if (!event.IsMeta(kMarkerMeta)) {
            continue;
        }
        const std::string_view text = list.Text(event);
        const std::optional<SectionKind> kind = SectionKindOfMarker(text);
        if (!kind) {
            continue;
        }
        if (map.sections.empty()) {
            map.initEndTick = event.tick;
        } else {
            map.sections.back().endTick = event.tick;
        }
        StyleSection section;
        section.name.assign(text);
        section.kind = *kind;
        section.startTick = event.tick;
        section.endTick = list.endTick;
        map.sections.push_back(std::move(section));
    }
    for (StyleSection& section : map.sections) {
        section.firstBar = BarAt(meter, section.startTick);
        section.bars = BarsBetween(meter, section.startTick, section.endTick);
    }
    return map;
}

const StyleSection* FindSection(const SectionMap& map, std::string_view name) {
    for (const StyleSection& section : map.sections) {
        if (section.name == name) {
            return &section;
        }
    }
    for (const StyleSection& section : map.sections) {
        if (EqualsIgnoreCase(section.name, name)) {
            return &section;
        }
    }
    return nullptr;
}

}  // namespace kelvane

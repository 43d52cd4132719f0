#include "picture/FilePicture.h"

#include <algorithm>

#include "picture/PictureLanes.h"
#include "picture/PictureTime.h"

namespace kelvane {
namespace {

constexpr const char* kPartNames[kStyleParts] = {"Rhythm 1", "Rhythm 2", "Bass",     "Chord 1",
                                                 "Chord 2",  "Pad",      "Phrase 1", "Phrase 2"};

// The part (0..7) of a channel, or -1 for the channels below the accompaniment.
int PartOfChannel(int channel) {
    return channel >= kFirstPartChannel ? channel - kFirstPartChannel : -1;
}

void CountSectionNotes(const MidiEventList& list, FilePicture& picture) {
    std::size_t current = 0;
    for (const MidiEvent& event : list.events) {
        if (!event.IsNoteOn() || PartOfChannel(event.Channel()) < 0) {
            continue;
        }
        const std::size_t part = static_cast<std::size_t>(PartOfChannel(event.Channel()));
        if (picture.sections.empty() || event.tick < picture.initEndTick) {
            ++picture.initNoteOns[part];
            continue;
        }
        // Sections follow each other in tick order; a note belongs to the last one that has
        // begun at its tick (sections of no length hold no notes).
        while (current + 1 < picture.sections.size() &&
               picture.sections[current + 1].section.startTick <= event.tick) {
            ++current;
        }
        ++picture.sections[current].noteOns[part];
    }
}

void BuildStyleParts(const MidiEventList& list, const MeterMap& meter, FilePicture& picture) {
    const SectionMap map = BuildSectionMap(list, meter);
    picture.initEndTick = map.initEndTick;
    for (const StyleSection& section : map.sections) {
        picture.sections.push_back(PictureSection{section, {}});
    }
    CountSectionNotes(list, picture);
    constexpr uint16_t kPartChannels = 0xFF00;  // channels 9..16
    ChannelLanes lanes = BuildChannelLanes(list, kMaxPictureNotes, kPartChannels);
    picture.notesCut = lanes.notesCut;
    for (int part = 0; part < kStyleParts; ++part) {
        picture.lanes.push_back(
            std::move(lanes.channels[static_cast<std::size_t>(kFirstPartChannel + part)]));
    }
}

void BuildSongParts(const MidiEventList& list, FilePicture& picture) {
    ChannelLanes lanes = BuildChannelLanes(list, kMaxPictureNotes);
    picture.notesCut = lanes.notesCut;
    for (PictureLane& lane : lanes.channels) {
        if (lane.noteOns > 0) {
            picture.lanes.push_back(std::move(lane));
        }
    }
    picture.lyrics = LyricLines(list);
}

}  // namespace

const char* StylePartName(int part) {
    return part >= 0 && part < kStyleParts ? kPartNames[part] : "";
}

FilePicture BuildFilePicture(std::span<const uint8_t> bytes, PictureKind kind,
                             const PictureOptions& options, const std::string& name) {
    FilePicture picture;
    picture.kind = kind;
    picture.bytesRead = true;
    if (options.facts) {
        picture.facts = AnalyseFacts(bytes, kind == PictureKind::kStyle, name);
    }
    MidiEventList list;
    picture.readable = ReadMidiEvents(bytes, list);
    picture.problem = list.problem;
    if (!picture.readable) {
        return picture;
    }
    picture.ticksPerQuarter = list.TicksPerQuarter();
    picture.endTick = list.endTick;
    picture.meter = BuildMeterMap(list);
    picture.barTicks = BarStartTicks(picture.meter, list.endTick, kMaxPictureBars, picture.barsCut);
    TempoMap tempo = BuildTempoMap(list);
    if (tempo.points.size() > kMaxTempoChanges) {
        tempo.points.resize(kMaxTempoChanges);
    }
    picture.tempoChanges = std::move(tempo.points);
    if (kind == PictureKind::kStyle) {
        BuildStyleParts(list, picture.meter, picture);
    } else {
        BuildSongParts(list, picture);
    }
    return picture;
}

FilePicture ReadFilePicture(const std::string& path, PictureKind kind,
                            const PictureOptions& options) {
    std::vector<uint8_t> bytes;
    std::string problem;
    if (!ReadWholeMidiFile(path, bytes, problem)) {
        FilePicture picture;
        picture.kind = kind;
        picture.problem = problem;
        return picture;
    }
    return BuildFilePicture(bytes, kind, options, path);
}

}  // namespace kelvane

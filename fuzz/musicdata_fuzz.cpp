// Feeds any bytes to the timed event list and the maps built on it (tempo, meter, sections),
// and checks what their users rely on: events in tick order, payloads inside the store, time
// and bars that never run backwards, sections inside the MIDI data. The same bytes then make
// a file's picture, as a style and as a song, whose lanes, bars, sections and marks must
// agree with each other and stay inside the MIDI data and the caps; and the audition's event
// streams (the song, a style section looping), which keep time in order, end every note they
// start, and stay within the size of what they were built from.
#include <algorithm>
#include <bitset>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "analysis/SectionMap.h"
#include "audition/AuditionProgram.h"
#include "audition/EventCursor.h"
#include "picture/FilePicture.h"
#include "picture/PictureLines.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckLane(const kelvane::PictureLane& lane, const kelvane::FilePicture& picture) {
    using namespace kelvane;
    Check(static_cast<int64_t>(lane.notes.size()) <= lane.noteOns);
    Check(lane.noteOns == 0 ? lane.lowest == -1 : lane.lowest >= 0 && lane.lowest <= lane.highest);
    int64_t start = 0;
    for (const NoteSpan& note : lane.notes) {
        Check(note.startTick >= start && note.startTick <= note.endTick);
        Check(note.endTick <= picture.endTick && note.velocity > 0);
        Check(note.pitch >= lane.lowest && note.pitch <= lane.highest);
        Check(note.endTick - note.startTick <= lane.longestNote);
        start = note.startTick;
    }
}

void CheckPicture(const kelvane::FilePicture& picture) {
    using namespace kelvane;
    if (!picture.readable) {
        Check(!picture.problem.empty() && picture.lanes.empty() && picture.sections.empty());
        return;
    }
    Check(!picture.barTicks.empty() && picture.barTicks.size() <= kMaxPictureBars);
    for (std::size_t i = 0; i < picture.barTicks.size(); ++i) {
        Check(i == 0 ? picture.barTicks[i] == 0 : picture.barTicks[i] > picture.barTicks[i - 1]);
        Check(i == 0 || picture.barTicks[i] < picture.endTick);
        Check(BarAt(picture.meter, picture.barTicks[i]) == static_cast<int64_t>(i) + 1);
    }
    std::size_t notes = 0;
    int64_t noteOns = 0;
    for (const PictureLane& lane : picture.lanes) {
        CheckLane(lane, picture);
        notes += lane.notes.size();
        noteOns += lane.noteOns;
    }
    Check(notes <= kMaxPictureNotes && picture.notesCut == (static_cast<int64_t>(notes) < noteOns));
    const std::size_t lines = PictureLines(picture).size();
    if (picture.kind == PictureKind::kSong) {
        Check(lines == picture.lanes.size());
        for (std::size_t i = 0; i < picture.lanes.size(); ++i) {
            Check(picture.lanes[i].noteOns > 0);
            Check(i == 0 || picture.lanes[i].channel > picture.lanes[i - 1].channel);
        }
        int64_t tick = 0;
        for (const PictureMark& mark : picture.lyrics) {
            Check(mark.tick >= tick && mark.text.size() <= kMaxMarkText);
            tick = mark.tick;
        }
        return;
    }
    // Every note-on of a part falls into the initialisation part or one section.
    Check(picture.lanes.size() == kStyleParts && lines == picture.sections.size());
    int64_t counted = 0;
    for (std::size_t part = 0; part < kStyleParts; ++part) {
        Check(picture.lanes[part].channel == kFirstPartChannel + static_cast<int>(part));
        counted += picture.initNoteOns[part];
        for (const PictureSection& entry : picture.sections) {
            counted += entry.noteOns[part];
        }
    }
    Check(counted == noteOns);
    Check(picture.sections.empty() ? picture.initEndTick == picture.endTick
                                   : picture.initEndTick == picture.sections[0].section.startTick);
}

// The picture reads the bytes itself; the facts (the analysis) have their own target.
void CheckPictures(std::span<const uint8_t> bytes) {
    using namespace kelvane;
    for (const PictureKind kind : {PictureKind::kStyle, PictureKind::kSong}) {
        CheckPicture(BuildFilePicture(bytes, kind, PictureOptions{.facts = false}));
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
        CheckPictures(std::span<const uint8_t>(data, size));
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
    CheckPictures(std::span<const uint8_t>(data, size));
    CheckStream(BuildSongProgram(list, "song"));
    if (!sections.sections.empty()) {
        CheckStream(BuildSectionProgram(list, sections, sections.sections.front()));
        CheckStream(BuildSectionProgram(list, sections, sections.sections.back()));
    }
    return 0;
}

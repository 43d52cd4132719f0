// What an audition plays, built from a file's timed event list (pure data, no sound):
//   - a MIDI song: every track merged, from the start to the end of the MIDI data, once;
//   - a style section: the initialisation part's set-up (everything before the first section
//     marker but the notes) sent first, then the section's events from its marker to the next
//     section marker. A Main section loops, the other sections play once.
// Times are microseconds from the tempo map, so tempo changes inside the music are honoured.
// Metas are not sent (their work is done by the tempo map). Both rhythm channels of a style
// (9 and 10, counted from 1) are drum kits; a song has the General MIDI drum channel only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/MidiEvents.h"
#include "analysis/SectionMap.h"

namespace kelvane {

// One message for the synthesizer. System exclusive messages keep their bytes (without F0
// and the closing F7) in the program's payload store.
struct TimedEvent {
    int64_t microseconds = 0;
    uint32_t payloadOffset = 0;
    uint32_t payloadSize = 0;
    uint8_t status = 0;  // 0x80..0xEF with the channel, or MidiEvent::kSysex
    uint8_t data1 = 0;
    uint8_t data2 = 0;

    int Channel() const { return status & 0x0F; }
    int Kind() const { return status & 0xF0; }
    bool IsNoteOn() const { return Kind() == 0x90 && data2 > 0; }
    bool IsNoteOff() const { return Kind() == 0x80 || (Kind() == 0x90 && data2 == 0); }
};

struct AuditionProgram {
    std::string name;               // the section's name, or the file name of a song
    std::vector<TimedEvent> setup;  // sent before the first pass, all at time 0
    std::vector<TimedEvent> body;   // one pass; times from the start of the pass
    int64_t passMicroseconds = 0;   // the length of one pass
    bool loops = false;             // passes repeat without a gap
    std::vector<int> drumChannels;  // counted from 0
    std::vector<uint8_t> payload;
    // Set when the MIDI data are damaged: a message for the user (translated); what was read
    // before the fault is played.
    std::string warning;
};

// A loop pass shorter than this (a hostile tempo or an empty section) plays once instead.
inline constexpr int64_t kMinLoopMicroseconds = 100'000;

AuditionProgram BuildSongProgram(const MidiEventList& list, std::string name);
AuditionProgram BuildSectionProgram(const MidiEventList& list, const SectionMap& sections,
                                    const StyleSection& section);

// What a front end asks for: a file, the run mode, and for a style the section's name (empty:
// the first Main section, else the first section).
struct AuditionRequest {
    std::string path;
    bool midi = false;
    std::string section;
};

// Reads the file and builds its program. False with `problem` set to a message for the user
// (translated) when the file cannot be read, holds no MIDI data, has no sections (style) or
// not the one asked for.
bool LoadAuditionProgram(const AuditionRequest& request, AuditionProgram& program,
                         std::string& problem);

// The names of a style file's sections in the order of their markers, for a section chooser.
// False with `problem` set as above.
bool ListAuditionSections(const std::string& path, std::vector<std::string>& names,
                          std::string& problem);

}  // namespace kelvane

// A file's MIDI data as one list of timed events, for the readers that need the music itself
// rather than facts about it (the audition, the picture of a file). Every track is read with
// MidiRead, each event is stamped with its absolute tick, and the tracks are merged in tick
// order. Events of one tick keep the order of their tracks, then of the file, so a merged list
// plays like the file.
//
// The MIDI data are the header chunk and its tracks at the start of a MIDI file or of a style
// file (whose sections follow them and are not read here). Reading stops at the first broken
// event; what was read before it is kept and `problem` names the fault.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// One event. Channel messages keep their status byte (with the channel) and data bytes; system
// exclusive messages and metas keep their bytes in the list's payload store.
struct MidiEvent {
    static constexpr uint8_t kSysex = 0xF0;
    static constexpr uint8_t kMeta = 0xFF;

    int64_t tick = 0;
    uint32_t payloadOffset = 0;  // system exclusive and metas: first byte in the payload store
    uint32_t payloadSize = 0;
    uint16_t track = 0;  // counted from 0
    uint8_t status = 0;  // 0x80..0xEF with the channel, kSysex or kMeta
    uint8_t data1 = 0;   // first data byte; the type of a meta
    uint8_t data2 = 0;   // second data byte (0 for messages with one)

    bool IsChannelMessage() const { return status >= 0x80 && status < 0xF0; }
    int Channel() const { return status & 0x0F; }
    int Kind() const { return status & 0xF0; }
    bool IsNoteOn() const { return Kind() == 0x90 && data2 > 0; }
    bool IsNoteOff() const { return Kind() == 0x80 || (Kind() == 0x90 && data2 == 0); }
    bool IsMeta(int type) const { return status == kMeta && data1 == type; }
};

struct MidiEventList {
    int format = 0;
    int tracks = 0;          // as read (the header may have promised more)
    int division = 0;        // the header's division field, as written
    int64_t endTick = 0;     // where the MIDI data end: the latest track end
    bool truncated = false;  // more events than kMaxMidiEvents: the rest was dropped
    std::string problem;     // the reader's first error, empty when every track was read
    std::vector<MidiEvent> events;
    std::vector<uint8_t> payload;

    // The bytes of a system exclusive message (after F0 or F7 and the length, with the closing
    // F7) or a meta's data.
    std::span<const uint8_t> Payload(const MidiEvent& event) const;
    std::string_view Text(const MidiEvent& event) const;
    // Ticks per quarter note: the division, or for time-code divisions the ticks of half a
    // second (a quarter at 120 beats per minute); 480 when the header gave none.
    int TicksPerQuarter() const;
};

// A list never holds more events than this (about 100 MB); a file with more is cut there.
inline constexpr std::size_t kMaxMidiEvents = 4'000'000;
// Files larger than this are not read (the analysis reads no more in one piece either).
inline constexpr int64_t kMaxMidiEventFileSize = 64 * 1024 * 1024;

// Reads the MIDI data at the start of `bytes`. False when not even the header could be read;
// `list.problem` then says why. True otherwise, also when a later track is broken.
bool ReadMidiEvents(std::span<const uint8_t> bytes, MidiEventList& list);
// The same for a file: false also when it cannot be read ("cannot read FILE: reason") or is
// larger than kMaxMidiEventFileSize.
bool ReadMidiEventsFromFile(const std::string& path, MidiEventList& list);
// The whole of a plain file of at most kMaxMidiEventFileSize bytes; otherwise false and
// `problem` says why, as above.
bool ReadWholeMidiFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& problem);

}  // namespace kelvane

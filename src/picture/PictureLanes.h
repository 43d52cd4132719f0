// The notes of a file's MIDI data as lanes of spans: each note-on paired with the note-off of
// its channel and pitch that follows it (the earliest note still sounding is released first).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "analysis/MidiEvents.h"
#include "picture/FilePicture.h"

namespace kelvane {

struct ChannelLanes {
    std::array<PictureLane, 16> channels;  // channel n at index n
    bool notesCut = false;                 // spans beyond `maxNotes` were left out
};

inline constexpr uint16_t kAllChannels = 0xFFFF;

// The notes, program and pitch range of the channels in `channels` (bit n: channel n); at most
// `maxNotes` spans in all. The other channels stay empty.
ChannelLanes BuildChannelLanes(const MidiEventList& list, std::size_t maxNotes,
                               uint16_t channels = kAllChannels);

}  // namespace kelvane

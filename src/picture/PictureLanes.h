// The notes of a file's MIDI data as lanes of spans: each note-on paired with the note-off of
// its channel and pitch that follows it (the earliest note still sounding is released first).
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "analysis/MidiEvents.h"
#include "picture/FilePicture.h"

namespace kelvane {

struct ChannelLanes {
    std::array<PictureLane, 16> channels;  // channel n at index n
    bool notesCut = false;                 // spans beyond `maxNotes` were left out
};

// Every channel's notes, program and pitch range; at most `maxNotes` spans in all.
ChannelLanes BuildChannelLanes(const MidiEventList& list, std::size_t maxNotes);

}  // namespace kelvane

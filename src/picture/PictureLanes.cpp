#include "picture/PictureLanes.h"

#include <algorithm>
#include <cstdint>
#include <memory>

namespace kelvane {
namespace {

constexpr int kProgramChange = 0xC0;
// Notes of one channel and pitch that sound at once; a file that stacks more has them
// released at the end of the MIDI data.
constexpr std::size_t kMaxOpenPerKey = 64;

// The spans still waiting for their note-off, per channel and pitch, as indexes into the
// channel's notes, oldest first.
class OpenNotes {
  public:
    void Open(int channel, int pitch, uint32_t index) {
        std::vector<uint32_t>& open = keys_[Key(channel, pitch)];
        if (open.size() < kMaxOpenPerKey) {
            open.push_back(index);
        }
    }
    // The oldest sounding note of the key, or false when none sounds.
    bool Close(int channel, int pitch, uint32_t& index) {
        std::vector<uint32_t>& open = keys_[Key(channel, pitch)];
        if (open.empty()) {
            return false;
        }
        index = open.front();
        open.erase(open.begin());
        return true;
    }

  private:
    static std::size_t Key(int channel, int pitch) {
        return static_cast<std::size_t>(channel) * 128 + static_cast<std::size_t>(pitch);
    }
    std::array<std::vector<uint32_t>, 16 * 128> keys_;
};

void CountNoteOn(PictureLane& lane, const MidiEvent& event) {
    ++lane.noteOns;
    lane.lowest = lane.lowest < 0 ? event.data1 : std::min<int>(lane.lowest, event.data1);
    lane.highest = std::max<int>(lane.highest, event.data1);
}

}  // namespace

ChannelLanes BuildChannelLanes(const MidiEventList& list, std::size_t maxNotes, uint16_t channels) {
    ChannelLanes lanes;
    for (int channel = 0; channel < 16; ++channel) {
        lanes.channels[static_cast<std::size_t>(channel)].channel = channel;
    }
    auto open = std::make_unique<OpenNotes>();
    std::size_t spans = 0;
    for (const MidiEvent& event : list.events) {
        if (!event.IsChannelMessage() || (channels & (1u << event.Channel())) == 0) {
            continue;
        }
        PictureLane& lane = lanes.channels[static_cast<std::size_t>(event.Channel())];
        if (event.IsNoteOn()) {
            CountNoteOn(lane, event);
            if (spans >= maxNotes) {
                lanes.notesCut = true;
                continue;
            }
            ++spans;
            open->Open(event.Channel(), event.data1, static_cast<uint32_t>(lane.notes.size()));
            lane.notes.push_back(NoteSpan{event.tick, list.endTick, event.data1, event.data2});
        } else if (event.IsNoteOff()) {
            uint32_t index = 0;
            if (open->Close(event.Channel(), event.data1, index)) {
                lane.notes[index].endTick = event.tick;
            }
        } else if (event.Kind() == kProgramChange && lane.program < 0) {
            lane.program = event.data1;
        }
    }
    for (PictureLane& lane : lanes.channels) {
        for (const NoteSpan& note : lane.notes) {
            lane.longestNote = std::max(lane.longestNote, note.endTick - note.startTick);
        }
    }
    return lanes;
}

}  // namespace kelvane

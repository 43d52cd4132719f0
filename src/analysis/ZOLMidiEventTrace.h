// CZOLMidiEventTrace: the voice-related events of a file in reading order, one entry per
// event with its channel and its text ("Voice = 01 (GrandPno)", "Volume = 100", ...). Entries
// are kept as numbers and their texts made when asked for, so collecting them costs no text
// work; the entries are recycled from file to file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kelvane {

class CZOLMidiEventTrace {
  public:
    enum Kind : uint8_t { kVoice, kBankHigh, kBankLow, kReverb, kChorus, kPortamento, kVolume };
    // Entries kept per file; later events are not listed.
    static constexpr size_t kMaxEntries = 100000;

    void Reset() { entries_.clear(); }
    void Add(int channel, Kind kind, int value) {
        if (entries_.size() < kMaxEntries) {
            entries_.push_back({static_cast<int16_t>(channel), kind, value});
        }
    }
    size_t Count() const { return entries_.size(); }
    int Channel(size_t i) const { return entries_[i].channel; }
    // "Voice = %02d (%s)" with the program + 1 and its short name, "Bank select high = %d",
    // "Bank select low = %d", "Reverb = %d", "Chorus = %d", "Portamento time = %d",
    // "Volume = %d".
    std::string Text(size_t i) const;

  private:
    struct Entry {
        int16_t channel;
        Kind kind;
        int32_t value;
    };
    std::vector<Entry> entries_;
};

}  // namespace kelvane

// CZOLTweak: collects the note events of a file and turns them into the tweak id, a CRC-32
// over the notes alone, so that files playing the same notes at the same times are related
// whatever their names, texts, voices or trailing sections.
//
// Each note event is an 8-byte item, laid out little-endian as stored data expect it: tick
// (int32, ticks since the start of its track), kind (uint16: 1 note-on, 2 note-off), note
// (uint16). The items live in one array of 32-bit words (two per item) that is allocated once
// per analyser and reused for every file; it grows (doubling) only when a file holds more notes
// than it has room for, up to kMaxItems. A file with more notes than that, or one whose notes
// no longer fit in memory, gets no tweak id (0) and a warning in the trace: an id over part of
// its notes would relate it to files it does not match.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/NonCopyable.h"
#include "support/NUVStatus.h"

namespace kelvane {

class CZOLTweak : NonCopyable {
  public:
    static constexpr size_t kInitialItems = 150000;
    // 12 bytes per item with the sort buffer: at most 48 MiB per analyser.
    static constexpr size_t kMaxItems = size_t{1} << 22;
    static constexpr uint16_t kNoteOn = 1;
    static constexpr uint16_t kNoteOff = 2;

    CZOLTweak();

    // No items (those read beyond the count are zero); count 0.
    void Reset();
    // Append (tick, 1 or 2, note). Channel and velocity are not recorded. When the array
    // cannot grow, "Running out of memory for tweak array..." is logged once, the event is
    // dropped and the file gets no tweak id.
    StatusCode AddNoteOn(int32_t tick, int /*channel*/, int note, int /*velocity*/) {
        return Add(tick, kNoteOn, note);
    }
    StatusCode AddNoteOff(int32_t tick, int /*channel*/, int note, int /*velocity*/) {
        return Add(tick, kNoteOff, note);
    }
    StatusCode Add(int32_t tick, uint16_t kind, int note) {
        if (next_ == limit_ && Grow() != status::kOk) {
            return status::kTweakOutOfMemory;
        }
        next_[0] = static_cast<uint32_t>(tick);
        next_[1] = kind | (static_cast<uint32_t>(note & 0xFFFF) << 16);
        next_ += 2;
        return status::kOk;
    }

    // Sorts the items in the three steps that define the id and returns the CRC-32 of the
    // count x 8 bytes; 0 without notes and when notes were dropped. The items are left sorted.
    int32_t TweakId();
    int32_t LastTweakId() const { return lastId_; }

    size_t Count() const { return static_cast<size_t>(next_ - words_.get()) / 2; }
    size_t Capacity() const { return capacity_; }
    // True when a note of this file was dropped (the array could not hold it).
    bool Overflowed() const { return growthLogged_; }
    // The most items any file has used so far.
    size_t MaxUsed() const { return maxUsed_; }
    // The most items any file of any analyser has used in this run (the developer menu's
    // "Special Info"); any thread.
    static size_t MaxUsedOfRun();
    // Item i as stored: tick, kind, note (0 beyond the count).
    int32_t Tick(size_t i) const { return i < Count() ? static_cast<int32_t>(words_[2 * i]) : 0; }
    uint16_t Kind(size_t i) const {
        return i < Count() ? static_cast<uint16_t>(words_[2 * i + 1]) : 0;
    }
    uint16_t Note(size_t i) const {
        return i < Count() ? static_cast<uint16_t>(words_[2 * i + 1] >> 16) : 0;
    }
    // The items as the 8-byte little-endian records the id is computed over.
    void CopyItemBytes(uint8_t* out) const;

  private:
    StatusCode Grow();
    void SortWords(uint32_t* words, size_t n, uint32_t* scratch);
    void SortFirstWords();
    void SortRunsByKindAndNote();

    std::unique_ptr<uint32_t[]> words_;
    std::unique_ptr<uint32_t[]> scratch_;  // sort buffer: capacity_ + 2 words
    size_t capacity_ = 0;                  // items
    size_t count_ = 0;                     // items, set from next_ when the id is computed
    uint32_t* next_ = nullptr;   // where the next item goes (pointers: the hot path's stores
    uint32_t* limit_ = nullptr;  // to ticks cannot change them)
    size_t maxUsed_ = 0;
    int32_t lastId_ = 0;
    bool growthLogged_ = false;  // a note of this file was dropped and the line written
};

}  // namespace kelvane

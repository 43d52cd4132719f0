// The two record kinds: StyleDataPacket (one style or MIDI file, 35 field slots) and
// SongDataPacket (one Music Finder entry under a style record, 12 slots). Each slot carries
// its field id and type, so a record reads itself without the catalogue once created.
//
// The typed accessors below are the hot path of sorting, filtering and cell texts over a
// hundred thousand records: they never allocate and return views into the record or into
// the string pools (valid until the record is changed or the pools are cleared).
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/NonCopyable.h"
#include "records/ZOLCommonStringPool.h"
#include "records/ZOLFieldCatalogue.h"

namespace kelvane {

// One field of a record. The value word is read according to `type`.
struct FieldSlot {
    int32_t id = kFieldNone;
    FieldType type = FT_NONE;
    union Value {
        int32_t number;            // FT_NUMBER; FT_STYLE_LINK: the linked style field id
        const PooledText* shared;  // FT_SHARED_TEXT
        std::string* own;          // FT_OWN_TEXT: the record's own text object
        char letter[2];            // FT_LETTER: one character and its NUL
    } value{};
};

// The text a slot holds for the types that store text in the slot itself; else empty.
inline std::string_view SlotText(const FieldSlot& slot) {
    switch (slot.type) {
        case FT_SHARED_TEXT:
            return slot.value.shared->text;
        case FT_OWN_TEXT:
            return *slot.value.own;
        case FT_LETTER:
            return std::string_view(slot.value.letter, slot.value.letter[0] != '\0' ? 1 : 0);
        default:
            return {};
    }
}

// The slot of `id`, or null for an id outside the record.
inline const FieldSlot* SlotOf(std::span<const FieldSlot> slots, int id) {
    return id >= 0 && static_cast<size_t>(id) < slots.size() ? &slots[static_cast<size_t>(id)]
                                                             : nullptr;
}

// The value of an FT_NUMBER field; 0 for other types and unknown ids.
inline int32_t SlotNumber(std::span<const FieldSlot> slots, int id) {
    const FieldSlot* slot = SlotOf(slots, id);
    return slot != nullptr && slot->type == FT_NUMBER ? slot->value.number : 0;
}

// Stores a number into an FT_NUMBER field; false (nothing stored) for any other field.
inline bool SetSlotNumber(std::span<FieldSlot> slots, int id, int32_t number) {
    const FieldSlot* slot = SlotOf(slots, id);
    if (slot == nullptr || slot->type != FT_NUMBER) {
        return false;
    }
    slots[static_cast<size_t>(id)].value.number = number;
    return true;
}

inline FieldType SlotType(std::span<const FieldSlot> slots, int id) {
    const FieldSlot* slot = SlotOf(slots, id);
    return slot != nullptr ? slot->type : FT_NONE;
}

inline constexpr size_t kDateTextLength = 16;  // "YYYY-MM-DD hh:mm"

struct SongDataPacket;
// The songs of a style record, in Music Finder order; new songs go to the end.
using SongList = std::vector<SongDataPacket*>;

struct StyleDataPacket : NonCopyable {
    StyleDataPacket() = default;

    int32_t changed = 0;     // the folder's data file must be written again
    int32_t removed = 0;     // the file is gone from this place; dropped at the next update
    int32_t batchMark = 0;   // a batch operation reached the record through a song row
    int32_t keepMark = 0;    // the kept member of its group of identical files
    int32_t mdbChanged = 0;  // the songs must be written into the style file
    int16_t selectionStamp = 0;
    bool inFreePool = false;  // guards the free pool against a second release

    std::array<FieldSlot, kStyleFieldCount> slots{};
    char dateText[kDateTextLength + 1] = {};
    SongList songs;
    std::array<std::string, kOwnTextCapacity> ownTexts;  // storage of the FT_OWN_TEXT slots

    // The text of a text-like field (own, shared, letter, date); empty for other types and
    // for ids outside the record.
    std::string_view Text(int id) const {
        const FieldSlot* slot = SlotOf(slots, id);
        if (slot == nullptr) {
            return {};
        }
        return slot->type == FT_DATE ? DateText() : SlotText(*slot);
    }
    int32_t Number(int id) const { return SlotNumber(slots, id); }
    bool SetNumber(int id, int32_t number) { return SetSlotNumber(slots, id, number); }
    FieldType TypeOf(int id) const { return SlotType(slots, id); }
    std::string_view DateText() const {
        return std::string_view(dateText, strnlen(dateText, kDateTextLength));
    }
    // Stores the date text, cut to 16 characters.
    void SetDateText(std::string_view text) {
        const size_t length = text.size() < kDateTextLength ? text.size() : kDateTextLength;
        if (length > 0) {  // an empty view may carry a null pointer
            std::memcpy(dateText, text.data(), length);
        }
        dateText[length] = '\0';
    }
};

struct SongDataPacket : NonCopyable {
    SongDataPacket() = default;

    StyleDataPacket* parent = nullptr;   // the record whose song list holds this song
    std::array<int32_t, 2> workWords{};  // scratch words of the song dialogs; copies carry them
    int16_t selectionStamp = 0;
    bool inFreePool = false;

    std::array<FieldSlot, kSongFieldCount> slots{};

    // The text of a text-like field; an FT_STYLE_LINK field shows the parent's field.
    std::string_view Text(int id) const {
        const FieldSlot* slot = SlotOf(slots, id);
        if (slot == nullptr) {
            return {};
        }
        if (slot->type == FT_STYLE_LINK) {
            return parent != nullptr ? parent->Text(slot->value.number) : std::string_view();
        }
        return SlotText(*slot);
    }
    int32_t Number(int id) const { return SlotNumber(slots, id); }
    bool SetNumber(int id, int32_t number) { return SetSlotNumber(slots, id, number); }
    FieldType TypeOf(int id) const { return SlotType(slots, id); }
    int32_t Status() const { return Number(kSongFieldStatus); }
};

}  // namespace kelvane

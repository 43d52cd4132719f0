// Slot set-up shared by style and song records (internal to the records module).
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "records/ZOLDataPacket.h"
#include "support/NUVStatus.h"

namespace kelvane {

// Gives every slot its id and type from the catalogue rows and the value of a new record:
// 0 for numbers and placeholders, the permanent empty text for shared texts, an emptied
// owned text object (taken from `ownTexts` in order), an empty letter; FT_DATE (style
// records) and FT_STYLE_LINK (song records, value = the linked style field) as allowed.
// Returns `ownTextMissing` when the catalogue has more owned texts than `ownTexts` holds,
// -13904 for a type the record kind cannot hold.
StatusCode InitSlots(std::span<FieldSlot> slots, std::span<const FieldDescriptor> rows,
                     std::span<std::string> ownTexts, bool songRecord, StatusCode ownTextMissing);

// Copies slot values from `src` to `dst` (slots of the same record kind): owned texts by
// value into dst's own text objects, everything else as stored. FT_STYLE_LINK slots are
// left alone. Returns `ownTextMissing` when an owned text cannot be copied.
StatusCode CopySlots(std::span<FieldSlot> dst, std::span<const FieldSlot> src,
                     StatusCode ownTextMissing);

// A packet from `pool` made ready by `clear` (which returns a status). Null when the pool has
// none (status `exhausted`) or `clear` fails; the reason then goes to *failure when given, and
// a packet `clear` failed on goes back to the pool.
template <class Pool, class Clear>
auto TakeClearedPacket(Pool& pool, StatusCode exhausted, StatusCode* failure, const Clear& clear)
    -> decltype(pool.Take()) {
    auto* packet = pool.Take();
    StatusCode result = packet != nullptr ? clear(*packet) : exhausted;
    if (result == status::kOk) {
        return packet;
    }
    if (packet != nullptr) {
        pool.Give(packet);
    }
    if (failure != nullptr) {
        *failure = result;
    }
    return nullptr;
}

// Where AssignSlotText puts a text, and what it reports.
struct SlotTextRules {
    int pool;                   // the string pool of a shared text (and of a letter)
    bool letters;               // FT_LETTER takes the text's first character (style records)
    StatusCode ownTextMissing;  // an own-text slot without its text object
    const char* caller;         // named in the message for a slot that holds no text
};

// A text into a slot: interned for a shared text, assigned to an own text, the first character
// of a letter (the text interned too, as the letter's list of values). A slot of another type
// is left alone with an ERROR message: -13707. -13908 when the pool refuses the text.
StatusCode AssignSlotText(FieldSlot& slot, std::string_view text, const SlotTextRules& rules);

}  // namespace kelvane

// Slot set-up shared by style and song records (internal to the records module).
#pragma once

#include <span>
#include <string>

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

}  // namespace kelvane

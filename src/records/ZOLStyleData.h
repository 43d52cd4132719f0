// Style and midi records: creation from the free pool, reset, copy, release, and storing
// texts into fields by their type. Texts of shared fields go into the common string pools.
#pragma once

#include <string>
#include <string_view>

#include "records/ZOLDataPacket.h"
#include "support/NUVStatus.h"

namespace kelvane {

// A fresh record of the current catalogue (every flag 0, every field empty, no songs), taken
// from the free pool or newly allocated; nullptr when none can be had. `failure` (optional)
// receives the reason.
StyleDataPacket* NewStyleRecord(StatusCode* failure = nullptr);

// Clears changed, removed, mdbChanged and selectionStamp (batchMark and keepMark stay), gives
// every field its new-record value (owned text objects are kept, emptied) and releases the
// songs. -13700 without a record, -13702 when an owned text is missing.
StatusCode ResetStyleRecord(StyleDataPacket* record);

// Copies changed, removed, mdbChanged and every field (owned texts by value, shared texts by
// reference, the date text), then replaces dst's songs by copies of src's songs whose parent
// is dst. -13701 for a missing record, -13703 for a missing owned text, -13809 when a song
// copy cannot be made (the copies made so far are released, dst keeps its old songs).
StatusCode CopyStyleRecord(StyleDataPacket* dst, const StyleDataPacket* src);

// A new record holding a copy of `src` (for editing); nullptr when it cannot be made.
StyleDataPacket* WorkCopyOfStyleRecord(const StyleDataPacket* src);

// Releases the record's songs and puts the record into the free pool. The record must not
// sit in any RecordList any more. A record already in the pool is left alone.
void ReleaseStyleRecord(StyleDataPacket* record);

// Stores a text into a style or midi field according to the slot's type: FT_SHARED_TEXT
// interns it in pool `id`, FT_OWN_TEXT replaces the owned text, FT_LETTER keeps the first
// character and interns the whole text in pool `id` (so dialogs can list the values). Any
// other type: "Internal Error - Illegal fieldtype in AssignStyleDataString", -13707.
// Interning failure: "Internal Error - Cannot get common string", -13908.
StatusCode AssignStyleDataString(FieldSlot& slot, std::string_view text, int id);
// The same for field `id` of a record; an id outside the record counts as type FT_NONE.
StatusCode AssignStyleField(StyleDataPacket& record, int id, std::string_view text);

// L_PATH followed by L_FILENAME; empty without a record.
std::string FullPathOf(const StyleDataPacket* record);

}  // namespace kelvane

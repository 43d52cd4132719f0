// The record store: the program-wide record list of the tree on show, the free pools of style
// and song records and the common string pools. One instance, reached through RecordStore().
// Used by the scan worker while it runs and by the user-interface thread otherwise, never by
// both at once, so it has no lock.
#pragma once

#include <functional>

#include "records/ZOLCommonStringPool.h"
#include "records/ZOLDataPacket.h"
#include "records/ZOLPacketPool.h"
#include "records/ZOLRecordList.h"
#include "support/NUVStatus.h"

namespace kelvane {

struct RecordStoreState {
    RecordList records;  // every record of the folder tree on show, in scan order
    CommonStringPool strings;
    PacketPool<StyleDataPacket, 256> stylePool;
    PacketPool<SongDataPacket, 512> songPool;
    // Called first by ClearAllRecords, so the list view can drop its record references.
    std::function<void()> beforeClear;
};

RecordStoreState& RecordStore();

// Start: an empty store. Returns 0.
StatusCode InitRecordStore();
// End: frees every record, listed, pooled or lent out, and all pooled texts.
void FreeRecordStore();
// New folder or rescan: runs the registered hook, returns every record of the record list to
// the free pool and empties all 47 string pools. Records held elsewhere (per-folder lists,
// work copies) must be released before, their shared texts become invalid.
void ClearAllRecords();
// Registers the hook that ClearAllRecords runs first (an empty function removes it).
void SetClearRecordsHook(std::function<void()> hook);

// The next distinct text of a string pool after `cursor` (nullptr: the first), walking the
// buckets in order; nullptr at the end and for pools beyond 46.
const PooledText* EnumerateFieldValues(int pool, const PooledText* cursor);

}  // namespace kelvane

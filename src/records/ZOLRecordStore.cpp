#include "records/ZOLRecordStore.h"

#include <utility>

namespace kelvane {

RecordStoreState& RecordStore() {
    static RecordStoreState store;
    return store;
}

StatusCode InitRecordStore() {
    RecordStoreState& store = RecordStore();
    store.records.Clear();
    return status::kOk;
}

void FreeRecordStore() {
    RecordStoreState& store = RecordStore();
    store.records.Clear();
    store.records.Items().shrink_to_fit();
    // The blocks own every packet, wherever it is referenced from.
    store.songPool.FreeAll();
    store.stylePool.FreeAll();
    store.strings.ReleaseMemory();
}

void ClearAllRecords() {
    RecordStoreState& store = RecordStore();
    if (store.beforeClear) {
        store.beforeClear();
    }
    store.records.ReleaseAll();
    store.strings.Clear();
}

void SetClearRecordsHook(std::function<void()> hook) {
    RecordStore().beforeClear = std::move(hook);
}

const PooledText* EnumerateFieldValues(int pool, const PooledText* cursor) {
    return RecordStore().strings.Next(pool, cursor);
}

}  // namespace kelvane

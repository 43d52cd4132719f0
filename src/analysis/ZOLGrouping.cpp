#include "analysis/ZOLGrouping.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "records/ZOLFieldIds.h"

namespace kelvane {
namespace {

// The order of one record, packed so that plain unsigned comparison gives: bucket (low byte of
// the id), then the id as a signed number, then the size as a signed number, then the place in
// the list. The place makes every key distinct, so an unstable sort of the keys gives exactly
// the stable bucket order, and the keys are compared without touching the records.
struct GroupKey {
    uint64_t bucketAndId;
    uint64_t sizeAndPlace;
    StyleDataPacket* record;

    bool operator<(const GroupKey& other) const {
        return bucketAndId != other.bucketAndId ? bucketAndId < other.bucketAndId
                                                : sizeAndPlace < other.sizeAndPlace;
    }
};

uint32_t SignedOrder(int32_t value) {
    return static_cast<uint32_t>(value) ^ 0x80000000u;
}

void GroupByField(RecordList& records, int idField) {
    RecordList::Items_t& items = records.Items();
    std::vector<GroupKey> keys;
    keys.reserve(items.size());
    for (size_t place = 0; place < items.size(); ++place) {
        const int32_t id = items[place]->Number(idField);
        const uint64_t bucket = static_cast<uint32_t>(id) & 0xFFu;
        keys.push_back(
            {(bucket << 32) | SignedOrder(id),
             (static_cast<uint64_t>(SignedOrder(items[place]->Number(kFieldFilesize))) << 32) |
                 place,
             items[place]});
    }
    if (std::is_sorted(keys.begin(), keys.end())) {
        return;  // already grouped, as after an earlier rebuild in the same mode
    }
    std::sort(keys.begin(), keys.end());
    for (size_t place = 0; place < items.size(); ++place) {
        items[place] = keys[place].record;
    }
}

}  // namespace

void GroupByFileId(RecordList& records) {
    GroupByField(records, kFieldFileId);
}

void GroupByRelatedId(RecordList& records) {
    GroupByField(records, kFieldRelatedId);
}

}  // namespace kelvane

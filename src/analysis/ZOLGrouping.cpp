#include "analysis/ZOLGrouping.h"

#include <algorithm>
#include <cstdint>

#include "records/ZOLFieldIds.h"

namespace kelvane {
namespace {

// One stable sort by (low byte, id, size) gives exactly the order of distributing into the
// 256 buckets and sorting each bucket stably by (id, size).
void GroupByField(RecordList& records, int idField) {
    std::stable_sort(records.Items().begin(), records.Items().end(),
                     [idField](const StyleDataPacket* a, const StyleDataPacket* b) {
                         const int32_t idA = a->Number(idField);
                         const int32_t idB = b->Number(idField);
                         const uint32_t bucketA = static_cast<uint32_t>(idA) & 0xFFu;
                         const uint32_t bucketB = static_cast<uint32_t>(idB) & 0xFFu;
                         if (bucketA != bucketB) {
                             return bucketA < bucketB;
                         }
                         if (idA != idB) {
                             return idA < idB;
                         }
                         return a->Number(kFieldFilesize) < b->Number(kFieldFilesize);
                     });
}

}  // namespace

void GroupByFileId(RecordList& records) {
    GroupByField(records, kFieldFileId);
}

void GroupByRelatedId(RecordList& records) {
    GroupByField(records, kFieldRelatedId);
}

}  // namespace kelvane

// Grouping of the record list so that records with equal content ids stand together: the
// duplicate and related views of the list walk the list in this order and compare neighbours.
#pragma once

#include "records/ZOLRecordList.h"

namespace kelvane {

// Reorders the list in place by FILE_ID (then FILESIZE): 256 buckets by the id's low byte,
// taken in ascending order; inside a bucket by id (signed) and size, ascending; records equal
// in both keep their previous relative order.
void GroupByFileId(RecordList& records);

// The same by RELATED_ID (then FILESIZE).
void GroupByRelatedId(RecordList& records);

}  // namespace kelvane

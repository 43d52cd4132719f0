#include "records/ZOLRecordList.h"

#include <algorithm>

namespace kelvane {

void RecordList::AppendList(RecordList& other) {
    if (&other == this) {
        return;
    }
    items_.insert(items_.end(), other.items_.begin(), other.items_.end());
    // clear, not swap: the emptied list keeps its capacity for the next folder.
    other.items_.clear();
}

size_t RecordList::IndexOf(const StyleDataPacket* record) const {
    return static_cast<size_t>(std::find(items_.begin(), items_.end(), record) - items_.begin());
}

bool RecordList::Remove(const StyleDataPacket* record) {
    const size_t index = IndexOf(record);
    if (index == items_.size()) {
        return false;
    }
    TakeAt(index);
    return true;
}

StyleDataPacket* RecordList::TakeAt(size_t index) {
    StyleDataPacket* record = items_[index];
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    return record;
}

bool RecordList::MoveTo(const StyleDataPacket* record, RecordList& target) {
    const size_t index = IndexOf(record);
    if (index == items_.size() || &target == this) {
        return false;
    }
    target.Append(TakeAt(index));
    return true;
}

void RecordList::ReleaseAll() {
    // Released from the back: the free pool hands the packets out again in list order, so a
    // rescan of the same tree refills each packet with the file it held before.
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        ReleaseStyleRecord(*it);
    }
    items_.clear();
}

void ClearKeepMarks(const RecordList& list) {
    for (StyleDataPacket* record : list) {
        record->keepMark = 0;
    }
}

}  // namespace kelvane

// RecordList: an ordered list of style records, used for the record list of the tree on show
// and for the scan's per-folder lists (cached, extra, kept, new).
//
// A vector of record pointers rather than a linked list: the scan appends and splices whole
// folder lists, the list view walks it front to back and indexes it, and the grouping
// reorders it in place (a stable sort or bucket pass over Items()); all of these are fastest
// on contiguous pointers. Removing a single record shifts the tail, which is cheap next to
// the file operation that causes it. A list never owns its records: they belong to the
// record pool, and ReleaseAll hands them back there.
#pragma once

#include <cstddef>
#include <vector>

#include "records/ZOLDataPacket.h"

namespace kelvane {

class RecordList {
  public:
    using Items_t = std::vector<StyleDataPacket*>;

    size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    StyleDataPacket* operator[](size_t index) const { return items_[index]; }
    Items_t::const_iterator begin() const { return items_.begin(); }
    Items_t::const_iterator end() const { return items_.end(); }
    // The underlying order, for callers that reorder the list in place.
    Items_t& Items() { return items_; }
    const Items_t& Items() const { return items_; }

    void Append(StyleDataPacket* record) { items_.push_back(record); }
    // Moves every record of `other` to the end of this list; `other` is left empty.
    void AppendList(RecordList& other);
    // Takes the record out of the list, keeping the order of the rest; false when absent.
    bool Remove(const StyleDataPacket* record);
    // Takes the record at `index` out of the list and returns it.
    StyleDataPacket* TakeAt(size_t index);
    // Moves the record from this list to the end of `target`; false when it is not here.
    bool MoveTo(const StyleDataPacket* record, RecordList& target);
    // Index of the record, or size() when absent.
    size_t IndexOf(const StyleDataPacket* record) const;
    // Takes every record for which `pred` is true out of the list and releases it to the free
    // pool; returns how many. The order of the others stays.
    template <class Pred>
    size_t ReleaseIf(Pred pred);
    // Releases every record to the free pool (with its songs); the list is left empty.
    void ReleaseAll();
    // Forgets the records without releasing them (their owner keeps them).
    void Clear() { items_.clear(); }
    void Reserve(size_t count) { items_.reserve(count); }

  private:
    Items_t items_;
};

void ReleaseStyleRecord(StyleDataPacket* record);

template <class Pred>
size_t RecordList::ReleaseIf(Pred pred) {
    size_t kept = 0;
    size_t released = 0;
    for (StyleDataPacket* record : items_) {
        if (pred(*record)) {
            ReleaseStyleRecord(record);
            ++released;
        } else {
            items_[kept++] = record;
        }
    }
    items_.resize(kept);
    return released;
}

// Sets keepMark to 0 on every record of the list.
void ClearKeepMarks(const RecordList& list);

}  // namespace kelvane

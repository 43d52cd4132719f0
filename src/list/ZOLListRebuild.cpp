// The rebuild of a list from the record store: grouping order, style and song filters, the
// duplicates step, re-sorting and the status line.
#include "analysis/ZOLGrouping.h"
#include "list/ZOLDuplicatesMode.h"
#include "list/ZOLFilterDlgLogic.h"
#include "list/ZOLFilterSubjects.h"
#include "list/ZOLListViewMgr.h"
#include "records/ZOLRecordStore.h"

namespace kelvane {
namespace {

constexpr size_t kPrefetchDistance = 8;

void PrefetchSlots(const StyleDataPacket* record) {
    const char* slots = reinterpret_cast<const char*>(record->slots.data());
    for (size_t offset = 0; offset < sizeof(record->slots); offset += 64) {
        __builtin_prefetch(slots + offset);
    }
}

}  // namespace

void CZOLListViewMgr::WalkFileRecords(CMyListCtrl& list) {
    const RecordList& records = RecordStore().records;
    const CZOLFilterCommon& filter = StyleFilterDialog().Filter();
    const bool filtered = filter.EntryCount() > 0;
    list.EnsureCapacity(static_cast<long>(records.size()));
    StyleFilterSubject subject;
    DuplicatesStep step(FilterDuplicatesMode(), list);
    ListCounters& counters = list.Counters();
    const RecordList::Items_t& items = records.Items();
    for (size_t i = 0; i < items.size(); ++i) {
        StyleDataPacket* record = items[i];
        ++counters.walked;
        if (filtered) {
            // The records are larger than a cache line and the grouping order is not their
            // order in memory: fetching a few records ahead hides most of the waiting.
            if (i + kPrefetchDistance < items.size()) {
                PrefetchSlots(items[i + kPrefetchDistance]);
            }
            subject.Set(record);
            if (filter.Passes(subject) != 0) {
                continue;
            }
        }
        step.Add(record);
    }
    step.Finish();
}

void CZOLListViewMgr::WalkSongRecords(CMyListCtrl& list) {
    const CZOLFilterCommon& styleFilter = StyleFilterDialog().Filter();
    const CZOLFilterCommon& songFilter = SongFilterDialog().Filter();
    StyleFilterSubject styleSubject;
    SongFilterSubject songSubject;
    ListCounters& counters = list.Counters();
    for (StyleDataPacket* record : RecordStore().records) {
        int stylePasses = -1;  // evaluated once per record, when a song needs it
        for (SongDataPacket* song : record->songs) {
            ++counters.walked;
            if (songFilter.EntryCount() > 0) {
                songSubject.Set(song);
                if (songFilter.Passes(songSubject) != 0) {
                    continue;
                }
            }
            if (stylePasses == -1) {
                styleSubject.Set(record);
                stylePasses =
                    (styleFilter.EntryCount() == 0 || styleFilter.Passes(styleSubject) == 0) ? 1
                                                                                             : 0;
            }
            if (stylePasses == 1) {
                list.AppendRow({record, song});
            }
        }
    }
}

void CZOLListViewMgr::BringIntoView(CMyListCtrl& list, const StyleDataPacket* record) {
    if (record == nullptr || list.Kind() != ListKind::Files || list.RowCount() == 0) {
        return;
    }
    long target = list.RowCount() - 1;
    for (long row = 0; row < list.RowCount(); ++row) {
        if (list.StyleRecordOfRow(row) == record) {
            target = row;
            break;
        }
    }
    list.Display().EnsureVisible(target);
}

void CZOLListViewMgr::RebuildList(CMyListCtrl& list, bool resort,
                                  const StyleDataPacket* bringIntoView) {
    list.Suspend();
    list.SetStamp(listGeneration_);
    list.ClearRows();
    list.Counters() = ListCounters{};
    list.CountRebuild();
    const int mode = FilterDuplicatesMode();
    if (mode == kShowUniqueFiles || mode == kShowDuplicateFiles) {
        GroupByFileId(RecordStore().records);
    } else if (mode == kShowUniqueScores || mode == kShowRelatedScores) {
        GroupByRelatedId(RecordStore().records);
    }
    if (list.Kind() == ListKind::Files) {
        WalkFileRecords(list);
    } else {
        WalkSongRecords(list);
    }
    list.Resume();
    const bool ownFilterActive =
        (list.Kind() == ListKind::Files ? StyleFilterDialog() : SongFilterDialog()).Active();
    list.SetBackground(FilterBackgroundColour(ownFilterActive));
    if (resort) {
        list.Resort();
    }
    list.AutoSizeColumns();
    list.Display().RowsChanged(list.RowCount(), false);
    list.WriteStatusLine();
    BringIntoView(list, bringIntoView);
}

}  // namespace kelvane

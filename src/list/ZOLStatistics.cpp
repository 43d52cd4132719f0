#include "list/ZOLStatistics.h"

#include "analysis/ZOLGrouping.h"
#include "list/ZOLListViewMgr.h"
#include "records/ZOLRecordStore.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLRunMode.h"

namespace kelvane {

RecordCounters CountRecords(CZOLListViewMgr& manager) {
    RecordCounters counters;
    const CMyListCtrl& files = manager.FileList();
    counters.walked = files.Counters().walked;
    counters.shown = files.RowCount();
    RecordList& records = RecordStore().records;
    GroupByFileId(records);
    const StyleDataPacket* previous = nullptr;
    for (const StyleDataPacket* record : records) {
        // Field 6 is STYLE_TYPE in style mode and SONG in midi mode.
        if (record->Text(kFieldStyleType).empty()) {
            ++counters.unidentified;
        }
        if (previous != nullptr && previous->Number(kFieldFileId) == record->Number(kFieldFileId) &&
            previous->Number(kFieldFilesize) == record->Number(kFieldFilesize)) {
            ++counters.duplicates;
        }
        previous = record;
    }
    return counters;
}

std::string StatisticsText(const RecordCounters& c, bool midiMode) {
    if (c.walked == 0) {
        return {};
    }
    const auto percent = [&](long part) {
        return static_cast<int>(static_cast<long long>(part) * 100 / c.walked);
    };
    // The labels come from the language file and are appended as they are, never used as a
    // format; each number piece is formatted on its own.
    std::string text =
        Translate(midiMode ? "Total number of midi files:" : "Total number of styles:");
    text += StrFormat(" %ld\t\t\t  \n", c.walked);
    text += Translate(midiMode ? "Number of displayed midi files:" : "Number of displayed styles:");
    text += StrFormat(" %ld\n", c.shown);
    text += Translate(midiMode ? "Total number of unidentified midi files:"
                               : "Total number of unidentified styles:");
    text += StrFormat(" %ld     (%d %%)\n", c.unidentified, percent(c.unidentified));
    text += Translate(midiMode ? "Total number of duplicate midi files:"
                               : "Total number of duplicate styles:");
    text += StrFormat(" %ld\t(%d %%)\n", c.duplicates, percent(c.duplicates));
    return text;
}

void ShowStatistics(CZOLListViewMgr& manager) {
    if (!manager.IsReady()) {
        return;
    }
    SetStatusPaneText(0, Translate("Calculating statistics - Please wait..."));
    const RecordCounters counters = CountRecords(manager);
    const CMyListCtrl* shown = manager.CurrentList();
    SetStatusPaneText(0, shown != nullptr ? shown->StatusLine() : Translate("Ready"));
    const bool midiMode = !IsStyleMode();
    if (counters.walked == 0) {
        ShowBox(Translate(midiMode ? "No midi files available for statistics"
                                   : "No styles available for statistics"),
                BoxIcon::Information);
        return;
    }
    ShowBox(StatisticsText(counters, midiMode), BoxIcon::Information);
}

}  // namespace kelvane

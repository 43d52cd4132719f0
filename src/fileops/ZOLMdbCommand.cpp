// The command that writes the songs of the selected styles into their files.
#include "fileops/ZOLMdbWriter.h"
#include "list/ZOLListViewMgr.h"
#include "scan/ZOLWorkThread.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVTranslateFormat.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLRunMode.h"

namespace kelvane {

MdbWriteSummary WriteMdbOfSelectedRows(const std::function<bool()>& aborted) {
    CZOLListViewMgr& list = ListViewMgr();
    MdbWriteSummary summary;
    summary.ran = true;
    summary.processed = static_cast<int>(list.SelectedCount());
    unsigned long remaining = static_cast<unsigned long>(summary.processed);
    for (long cursor = list.FirstSelectedRowNumber(); cursor != 0; --remaining) {
        const long row = list.NextSelected(cursor);
        SetStatusPaneText(0, StrFormat("%lu", remaining));
        if (aborted()) {
            summary.status = status::kAbortedByUser;
            break;
        }
        StyleDataPacket* record = list.StyleRecordOfRow(row);
        if (record == nullptr) {
            continue;
        }
        const StatusCode result = WriteMdbOfRecord(*record);
        if (result == 0) {
            ++summary.updated;
        } else if (result == status::kMdbUpToDate) {
            ++summary.upToDate;
        } else if (result == status::kMdbNotWritable || result == status::kMdbNoSpace ||
                   result == status::kWriteProtected || result == status::kDriveNotReady) {
            ++summary.notUpdated;
        } else {
            ++summary.failed;  // reported by WriteMdbOfRecord; the other files are written
        }
    }
    return summary;
}

namespace {

// The words after a count: the singular for 1, else the plural.
std::string CountWords(int count, const char* one, const char* many) {
    return Translate(count == 1 ? one : many);
}

}  // namespace

std::string MdbSummaryText(const MdbWriteSummary& summary) {
    std::string text = StrFormat(
        TranslateFormat("%d %s\n\n%d %s\n%d %s\n%d %s").c_str(), summary.processed,
        CountWords(summary.processed, "style file processed in total",
                   "style files processed in total")
            .c_str(),
        summary.updated,
        CountWords(summary.updated, "style file has been updated", "style files have been updated")
            .c_str(),
        summary.upToDate,
        CountWords(summary.upToDate, "style file was up-to-date", "style files were up-to-date")
            .c_str(),
        summary.notUpdated,
        CountWords(summary.notUpdated,
                   "style file has not been updated, as it is write protected or no space is left "
                   "on the device",
                   "style files have not been updated, as they are write protected or no space is "
                   "left on the device")
            .c_str());
    if (summary.failed > 0) {
        text += StrFormat(
            "\n%d %s", summary.failed,
            CountWords(summary.failed, "style file could not be written and was left as it was",
                       "style files could not be written and were left as they were")
                .c_str());
    }
    return text;
}

MdbWriteSummary WriteMdbRecordsOfSelectedStyles() {
    CZOLListViewMgr& list = ListViewMgr();
    if (!IsStyleMode() || !list.IsReady() || list.CurrentViewMode() == Songs) {
        return {};
    }
    if (list.SelectedCount() == 0) {
        ShowBox(
            Translate("Please select one or more styles to be updated\n\n(Note: You can use "
                      "Ctrl-A to select all styles)"));
        return {};
    }
    if (ShowBox(Translate("ATTENTION: This function will modify the selected style files.\n\nDo "
                          "you want to continue?"),
                BoxIcon::Question, BoxButtons::YesNo, BoxAnswer::No) != BoxAnswer::Yes) {
        return {};
    }
    MdbWriteSummary summary;
    StatusCode jobStatus = 0;
    const StatusCode started = RunWorkJob(
        [&summary](ZolWorkJob& job) {
            summary = WriteMdbOfSelectedRows([&job] { return job.Aborted(); });
            return summary.status;
        },
        {}, &jobStatus);
    if (started != 0) {
        summary.status = started;
    }
    list.Refresh(true, true);
    SetStatusPaneText(0, "");
    ShowBox(MdbSummaryText(summary), BoxIcon::Information);
    return summary;
}

}  // namespace kelvane

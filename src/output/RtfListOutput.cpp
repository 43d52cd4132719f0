#include "output/RtfListOutput.h"

#include "support/NUVLang.h"

namespace kelvane {

StatusCode WriteListRtf(CZOLRtfListCtrl& writer, const ListTableView& table,
                        const ListOutputText& text, RtfListChoices& choices,
                        std::string* document) {
    if (const StatusCode checked = CheckRtfList(&table); checked != status::kOk) {
        return checked;
    }
    const RtfListKind kind = text.songs ? RtfListKind::Songs : RtfListKind::Files;
    writer.MatchShownColumns(kind, table);
    std::string file;
    if (!choices.ChooseColumns(writer, kind, table) || !choices.ChooseTarget(writer, file)) {
        return status::kAbortedByUser;
    }
    if (file.empty()) {
        if (document == nullptr) {
            return status::kAbortedByUser;
        }
        return writer.BuildListDocument(&table, kind, text.startFolder, text.filterText, *document);
    }
    const StatusCode written =
        writer.WriteListToRtf(&table, kind, text.startFolder, text.filterText, file);
    if (written == status::kOk) {
        choices.ReportFinished(Translate(kRtfFinishedText));
    }
    return written;
}

}  // namespace kelvane

// "Write List to RTF File" as one sequence for every front end:
//
//   CheckRtfList (refusals) -> the column choice, matched to the columns shown -> the target
//   (a file, or the document handed back) with the page header and orientation -> the
//   document written atomically from the rows -> "Finished writing rtf file" reported.
//
// The desktop makes its choices in dialogs, kelvane-cli takes them from its options; both
// implement RtfListChoices. The writer keeps the choices for the next output.
#pragma once

#include <string>

#include "output/ListOutputText.h"
#include "output/ZOLRtfListCtrl.h"
#include "support/NUVStatus.h"

namespace kelvane {

class RtfListChoices {
  public:
    virtual ~RtfListChoices() = default;
    // The columns: the writer's ticks for `kind` hold the last choice, without the columns
    // no longer shown. False cancels the output.
    virtual bool ChooseColumns(CZOLRtfListCtrl& writer, RtfListKind kind,
                               const ListTableView& table) = 0;
    // The file to write, or an empty name for the document to be handed back; the page
    // header and orientation go to the writer. False cancels the output.
    virtual bool ChooseTarget(CZOLRtfListCtrl& writer, std::string& file) = 0;
    // A file was written: `text` is the translated message that says so.
    virtual void ReportFinished(const std::string& text) = 0;
};

// Runs the sequence over the list `table` and `text` describe. Returns 0 when the document was
// written (to its file, or into `document` when the target has no file name), the writer's status
// on a refusal or failure (already reported), and -206 when a choice was cancelled.
StatusCode WriteListRtf(CZOLRtfListCtrl& writer, const ListTableView& table,
                        const ListOutputText& text, RtfListChoices& choices,
                        std::string* document = nullptr);

}  // namespace kelvane

// The RTF writer object: it lives for the whole run and carries from one output to the next
// the column choice per list kind, the page header text, the orientation and the last file
// name. The desktop's dialogs read and set these; WriteListToRtf writes the document.
//
// The command's sequence (refusals, column choice, target, document, report) is WriteListRtf
// in RtfListOutput.h; the desktop's column dialog works over OfferedFields / CanTick /
// IsTicked / SetTicked, its file dialog opens on LastFileName and its output dialog sets
// PageHeader and Orientation.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "list/ListTableView.h"
#include "output/ZOLRtfDocument.h"
#include "support/NUVStatus.h"

namespace kelvane {

enum class RtfListKind { Files = 0, Songs = 1 };

inline constexpr const char* kRtfFinishedText = "Finished writing rtf file";

class CZOLRtfListCtrl {
  public:
    // `midiMode` decides which catalogue fields the file list offers.
    explicit CZOLRtfListCtrl(bool midiMode);

    // The fields that get a check box in the column choice, in catalogue order.
    std::vector<int> OfferedFields(RtfListKind kind) const;
    bool IsOffered(RtfListKind kind, int fieldId) const;
    // A field can be ticked when it is offered and its column is shown in the list.
    bool CanTick(RtfListKind kind, const ListTableView& table, int fieldId) const;
    bool IsTicked(RtfListKind kind, int fieldId) const;
    // Returns false (and leaves the tick off) for a field that cannot be ticked.
    bool SetTicked(RtfListKind kind, const ListTableView& table, int fieldId, bool ticked);
    // Clears the ticks of fields whose columns are not shown; the dialog calls this when
    // it opens, so a hidden column stays unticked until the user ticks it again.
    void MatchShownColumns(RtfListKind kind, const ListTableView& table);
    void SelectAll(RtfListKind kind, const ListTableView& table);
    void ClearAll(RtfListKind kind);

    const std::string& PageHeader() const { return pageHeader_; }
    void SetPageHeader(std::string text) { pageHeader_ = std::move(text); }
    PaperOrientation Orientation() const { return orientation_; }
    void SetOrientation(PaperOrientation orientation) { orientation_ = orientation; }
    const std::string& LastFileName() const { return lastFileName_; }

    // Writes the list with the ticked columns of `kind`, the kept page header text and
    // orientation, the start folder and the filter text into `fileName`, which becomes the
    // last file name. Returns the status of the writer (0 on success).
    StatusCode WriteListToRtf(const ListTableView* table, RtfListKind kind,
                              const std::string& startFolder, const std::string& filterText,
                              const std::string& fileName);
    // The same document as a text (kelvane-cli prints it); the last file name stays.
    StatusCode BuildListDocument(const ListTableView* table, RtfListKind kind,
                                 const std::string& startFolder, const std::string& filterText,
                                 std::string& document) const;

  private:
    RtfPageText PageText(const std::string& startFolder, const std::string& filterText) const {
        return {pageHeader_, orientation_, startFolder, filterText};
    }

    FieldTicks& Ticks(RtfListKind kind) { return ticks_[static_cast<size_t>(kind)]; }
    const FieldTicks& Ticks(RtfListKind kind) const { return ticks_[static_cast<size_t>(kind)]; }

    bool midiMode_;
    std::array<FieldTicks, 2> ticks_;
    std::string pageHeader_;
    PaperOrientation orientation_ = PaperOrientation::Landscape;
    std::string lastFileName_;
};

}  // namespace kelvane

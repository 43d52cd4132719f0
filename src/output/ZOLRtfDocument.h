// The RTF list document: a fixed header, a title block (page header text, start folder,
// filter), one table with a header row and one row per list row in list order, and a closing
// block. Only the list columns whose field is ticked in the column choice are written, in
// on-screen order. Every line ends with CR LF.
#pragma once

#include <bitset>
#include <string>

#include "list/ListTableView.h"
#include "support/NUVStatus.h"

namespace kelvane {

enum class PaperOrientation { Landscape, Portrait };

// Tick marks of the column choice, indexed by field id (98 = "Nr").
inline constexpr int kFieldTickSlots = 100;
using FieldTicks = std::bitset<kFieldTickSlots>;
bool IsFieldTicked(const FieldTicks& ticks, int fieldId);

// Header and cell texts are read up to this many bytes.
inline constexpr size_t kMaxRtfCellText = 254;

struct RtfPageText {
    std::string pageHeader;  // the document's title line
    PaperOrientation orientation = PaperOrientation::Landscape;
    std::string startFolder;  // written after the translated "Path: "
    std::string filterText;   // the filter of the list shown, empty when none
};

// Checks that the list and its header can be read and that it has at most 21 columns;
// reports a refusal at WARNING level and returns its status.
StatusCode CheckRtfList(const ListTableView* table);

// The whole document as one text (for tests and small lists).
StatusCode BuildRtfDocument(const ListTableView* table, const FieldTicks& ticked,
                            const RtfPageText& page, std::string& document);

// Writes the document to `path`. The file is replaced only when the whole document was
// written; on any failure no new file is left and the warning "Error\nUnable to write
// file..." names the file (status -13740).
StatusCode WriteRtfDocumentFile(const ListTableView* table, const FieldTicks& ticked,
                                const RtfPageText& page, const std::string& path);

}  // namespace kelvane

// Cell texts and group markers, made from the records whenever the widget draws a cell.
#include <charconv>

#include "list/MyListCtrl.h"
#include "records/ZOLSongData.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"

namespace kelvane {
namespace {

std::string_view NumberText(long value, std::string& buffer) {
    buffer.resize(24);
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string_view(buffer.data(), static_cast<size_t>(result.ptr - buffer.data()));
}

bool IsGroupField(int fieldId) {
    return fieldId == kFieldDuplicates || fieldId == kFieldRelatedId;
}

// Two rows belong to one group: identical files for DUPLICATES, equal content for RELATED_ID.
bool SameGroup(const StyleDataPacket* a, const StyleDataPacket* b, int fieldId) {
    if (a == nullptr || b == nullptr) {
        return false;
    }
    if (fieldId == kFieldDuplicates) {
        return a->Number(kFieldFileId) == b->Number(kFieldFileId) &&
               a->Number(kFieldFilesize) == b->Number(kFieldFilesize);
    }
    return a->Number(kFieldRelatedId) == b->Number(kFieldRelatedId);
}

}  // namespace

void CMyListCtrl::PrepareCellTexts() {
    groupInfoText_ = Translate("? (sort column to see the info)");
    songStatusTexts_[0] = SongStatusText(0);
    songStatusTexts_[1] = SongStatusText(kSongStatusInStyleFile);
    songStatusTexts_[2] = SongStatusText(kSongStatusNotInStyleFile);
}

bool CMyListCtrl::ShowsGroupMarker(int column) const {
    return kind_ == ListKind::Files && column == sort_.primaryColumn &&
           IsGroupField(FieldIdOfColumn(column));
}

std::string_view CMyListCtrl::CellText(long row, int column, std::string& buffer) const {
    const ListColumn* col = Column(column);
    if (suspended_ || col == nullptr || row < 0 || row >= RowCount()) {
        return {};
    }
    const RowRef& ref = rows_[static_cast<size_t>(row)];
    if (col->fieldId == kFieldRowNumber) {
        return NumberText(row + 1, buffer);
    }
    switch (col->type) {
        case FT_OWN_TEXT:
        case FT_SHARED_TEXT:
        case FT_LETTER:
        case FT_STYLE_LINK:
            return ref.song != nullptr ? ref.song->Text(col->fieldId)
                                       : ref.style->Text(col->fieldId);
        case FT_DATE:
            return ref.style->DateText();
        case FT_NUMBER:
            if (ref.song != nullptr) {
                const int32_t value = ref.song->Number(col->fieldId);
                if (col->fieldId == kSongFieldStatus) {
                    const size_t index =
                        (value == kSongStatusInStyleFile || value == kSongStatusNotInStyleFile)
                            ? static_cast<size_t>(value)
                            : 0;
                    return songStatusTexts_[index];
                }
                return NumberText(value, buffer);
            }
            if (kind_ == ListKind::Files && IsGroupField(col->fieldId)) {
                return column == sort_.primaryColumn ? std::string_view() : groupInfoText_;
            }
            return NumberText(ref.style->Number(col->fieldId), buffer);
        default:
            if (!reportedCellType_) {
                reportedCellType_ = true;
                NUV_WARNING("%s", "Unexpected style data field type");
            }
            return {};
    }
}

GroupMarker CMyListCtrl::CellMarker(long row, int column) const {
    if (suspended_ || row < 0 || row >= RowCount() || !ShowsGroupMarker(column)) {
        return GroupMarker::None;
    }
    const int fieldId = FieldIdOfColumn(column);
    const StyleDataPacket* here = rows_[static_cast<size_t>(row)].style;
    const bool withPrevious =
        row > 0 && SameGroup(here, rows_[static_cast<size_t>(row - 1)].style, fieldId);
    const bool withNext =
        row + 1 < RowCount() && SameGroup(here, rows_[static_cast<size_t>(row + 1)].style, fieldId);
    if (withPrevious && withNext) {
        return GroupMarker::GroupMiddle;
    }
    if (withPrevious) {
        return GroupMarker::GroupEnd;
    }
    if (withNext) {
        return GroupMarker::GroupStart;
    }
    return GroupMarker::NotInGroup;
}

}  // namespace kelvane

// Sorting the rows: header clicks, the sort keys of a row and re-sorting after a rebuild. Only
// the row references move; each row's key values are read once (RowKeySort.h).
#include <algorithm>
#include <vector>

#include "list/MyListCtrl.h"
#include "list/RowKeySort.h"
#include "list/ZOLSortSequence.h"
#include "support/NUVDbg.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVTranslateFormat.h"

namespace kelvane {
namespace {

enum class KeyKind { None, Number, Text, Date, Unsupported };

struct SortKey {
    int field = -1;
    KeyKind kind = KeyKind::None;
    bool ascending = true;
};

KeyKind KindOfType(FieldType type) {
    switch (type) {
        case FT_NUMBER:
            return KeyKind::Number;
        case FT_OWN_TEXT:
        case FT_SHARED_TEXT:
        case FT_LETTER:
        case FT_STYLE_LINK:
            return KeyKind::Text;
        case FT_DATE:
            return KeyKind::Date;
        default:
            return KeyKind::Unsupported;
    }
}

void Fetch(const RowRef& row, const SortKey& key, std::string_view& text, int32_t& number) {
    switch (key.kind) {
        case KeyKind::Number:
            number =
                row.song != nullptr ? row.song->Number(key.field) : row.style->Number(key.field);
            break;
        case KeyKind::Text:
            text = row.song != nullptr ? row.song->Text(key.field) : row.style->Text(key.field);
            break;
        case KeyKind::Date:
            text = row.style->DateText();
            break;
        default:
            break;
    }
}

RowKeySpec SpecOf(const SortKey& key) {
    switch (key.kind) {
        case KeyKind::Number:
            return {RowKeyKind::Number, key.ascending};
        case KeyKind::Text:
        case KeyKind::Date:
            return {RowKeyKind::Text, key.ascending};
        default:  // no key, or a type that does not sort: every row equal
            return {RowKeyKind::None, key.ascending};
    }
}

}  // namespace

void CMyListCtrl::SortRows(const SortState& state) {
    const ListColumn* primary = Column(state.primaryColumn);
    if (state.primaryField == -1 || primary == nullptr) {
        return;
    }
    SortKey first{primary->fieldId, KindOfType(primary->type), state.primaryAscending};
    SortKey second;
    const ListColumn* secondary = Column(state.secondaryColumn);
    if (state.secondaryField != -1 && secondary != nullptr) {
        second = {secondary->fieldId, KindOfType(secondary->type), state.secondaryAscending};
    }
    if (first.kind == KeyKind::Unsupported || second.kind == KeyKind::Unsupported) {
        NUV_WARNING("%s", "Unexpected style data field type 2");
    }
    // DUPLICATES / RELATED_ID without a secondary key: equal ids by size, in the same direction.
    const bool sizeTieBreak =
        kind_ == ListKind::Files && second.kind == KeyKind::None &&
        (primary->fieldId == kFieldDuplicates || primary->fieldId == kFieldRelatedId);
    if (sizeTieBreak) {
        second = {kFieldFilesize, KeyKind::Number, first.ascending};
    }
    const RowKeyReader read = [&first, &second](const RowRef& row, RowKeyValues& values) {
        Fetch(row, first, values.texts[0], values.numbers[0]);
        Fetch(row, second, values.texts[1], values.numbers[1]);
    };
    SortRowsByKeys(rows_, {SpecOf(first), SpecOf(second)}, SortWeightsOf(CurrentSortSequence()),
                   read, sortBuffers_);
}

void CMyListCtrl::SortByColumn(int column, bool addAsSecondary) {
    const ListColumn* clicked = Column(column);
    if (suspended_ || clicked == nullptr || (column == 0 && clicked->fieldId == kFieldRowNumber)) {
        return;
    }
    if (addAsSecondary && sort_.primaryField != -1) {
        if (sort_.secondaryField != -1 && column == sort_.secondaryColumn) {
            sort_.secondaryAscending = !sort_.secondaryAscending;
        } else {
            sort_.secondaryField = clicked->fieldId;
            sort_.secondaryColumn = column;
            sort_.secondaryAscending = true;
        }
    } else {
        if (sort_.primaryField != -1 && column == sort_.primaryColumn) {
            sort_.primaryAscending = !sort_.primaryAscending;
        } else {
            sort_.primaryField = clicked->fieldId;
            sort_.primaryColumn = column;
            sort_.primaryAscending = true;
        }
        sort_.secondaryField = -1;
        sort_.secondaryColumn = -1;
        sort_.secondaryAscending = false;
    }
    WriteStatusText(StrFormat(TranslateFormat("Sorting column \"%s\" - please wait").c_str(),
                              HeaderTextOf(clicked->fieldId).c_str()));
    SaveSelection();
    Display().HeaderImagesChanged();
    SortRows(sort_);
    sort_.lastPrimaryAscending = sort_.primaryAscending;
    sort_.lastSecondaryAscending = sort_.secondaryAscending;
    Refresh(true, true);
    RestoreSelection();
    WriteStatusLine();
}

void CMyListCtrl::Resort() {
    WriteStatusText(Translate("Resorting columns - please wait"));
    if (sort_.primaryField == -1 || sort_.primaryField == kFieldRowNumber) {
        return;
    }
    const int primaryColumn = ColumnOfField(sort_.primaryField);
    if (primaryColumn < 0) {
        return;
    }
    sort_.primaryColumn = primaryColumn;
    sort_.primaryAscending = sort_.lastPrimaryAscending;
    sort_.secondaryColumn = sort_.secondaryField == -1 ? -1 : ColumnOfField(sort_.secondaryField);
    sort_.secondaryAscending = sort_.lastSecondaryAscending;
    SortRows(sort_);
    Display().HeaderImagesChanged();
}

SortStateValues CMyListCtrl::GetSortState() const {
    return {sort_.primaryField, sort_.secondaryField, sort_.lastPrimaryAscending ? 1 : 0,
            sort_.lastSecondaryAscending ? 1 : 0};
}

void CMyListCtrl::SetSortState(const SortStateValues& values) {
    if (values.primaryField != 0) {
        sort_.primaryField = values.primaryField;
        sort_.primaryColumn = values.primaryField == -1 ? -1 : ColumnOfField(values.primaryField);
        sort_.primaryAscending = sort_.lastPrimaryAscending = values.primaryAscending != 0;
    }
    if (values.secondaryField != 0) {
        sort_.secondaryField = values.secondaryField;
        sort_.secondaryColumn =
            values.secondaryField == -1 ? -1 : ColumnOfField(values.secondaryField);
        sort_.secondaryAscending = sort_.lastSecondaryAscending = values.secondaryAscending != 0;
    }
    Display().HeaderImagesChanged();
}

void CMyListCtrl::SetSortKeys(const SortStateValues& values) {
    sort_.primaryField = values.primaryField;
    sort_.primaryColumn = values.primaryField == -1 ? -1 : ColumnOfField(values.primaryField);
    sort_.primaryAscending = sort_.lastPrimaryAscending = values.primaryAscending != 0;
    sort_.secondaryField = values.secondaryField;
    sort_.secondaryColumn = values.secondaryField == -1 ? -1 : ColumnOfField(values.secondaryField);
    sort_.secondaryAscending = sort_.lastSecondaryAscending = values.secondaryAscending != 0;
    Display().HeaderImagesChanged();
}

HeaderImage CMyListCtrl::HeaderImageOf(int column) const {
    if (column < 0) {
        return HeaderImage::None;
    }
    if (sort_.primaryField != -1 && column == sort_.primaryColumn) {
        return sort_.primaryAscending ? HeaderImage::PrimaryAscending
                                      : HeaderImage::PrimaryDescending;
    }
    if (sort_.secondaryField != -1 && column == sort_.secondaryColumn) {
        return sort_.secondaryAscending ? HeaderImage::SecondaryAscending
                                        : HeaderImage::SecondaryDescending;
    }
    return HeaderImage::None;
}

}  // namespace kelvane

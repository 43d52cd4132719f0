// Sorting the rows: header clicks, the row comparison and re-sorting after a rebuild. Only the
// row references move; the comparison reads the field values in place.
#include <algorithm>

#include "list/MyListCtrl.h"
#include "list/ZOLSortSequence.h"
#include "support/NUVDbg.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"

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

// Everything one sort needs, fetched once before it starts.
struct RowComparison {
    SortKey primary;
    SortKey secondary;
    bool sizeTieBreak = false;  // DUPLICATES / RELATED_ID without a secondary key
    TextCompareFn compareText = nullptr;

    int CompareOn(const RowRef& a, const RowRef& b, const SortKey& key) const {
        switch (key.kind) {
            case KeyKind::Number: {
                const int32_t va =
                    a.song != nullptr ? a.song->Number(key.field) : a.style->Number(key.field);
                const int32_t vb =
                    b.song != nullptr ? b.song->Number(key.field) : b.style->Number(key.field);
                return (va > vb) - (va < vb);
            }
            case KeyKind::Text:
                return a.song != nullptr
                           ? compareText(a.song->Text(key.field), b.song->Text(key.field))
                           : compareText(a.style->Text(key.field), b.style->Text(key.field));
            case KeyKind::Date:
                return compareText(a.style->DateText(), b.style->DateText());
            default:
                return 0;
        }
    }

    bool operator()(const RowRef& a, const RowRef& b) const {
        int result = CompareOn(a, b, primary);
        if (secondary.kind != KeyKind::None) {
            if (result != 0) {
                return (primary.ascending ? result : -result) < 0;
            }
            result = CompareOn(a, b, secondary);
            return (secondary.ascending ? result : -result) < 0;
        }
        if (result == 0 && sizeTieBreak) {
            const int32_t sa = a.style->Number(kFieldFilesize);
            const int32_t sb = b.style->Number(kFieldFilesize);
            result = (sa > sb) - (sa < sb);
        }
        return (primary.ascending ? result : -result) < 0;
    }
};

}  // namespace

void CMyListCtrl::SortRows(const SortState& state) {
    const ListColumn* primary = Column(state.primaryColumn);
    if (state.primaryField == -1 || primary == nullptr) {
        return;
    }
    RowComparison comparison;
    comparison.compareText = TextComparison();
    comparison.primary = {primary->fieldId, KindOfType(primary->type), state.primaryAscending};
    const ListColumn* secondary = Column(state.secondaryColumn);
    if (state.secondaryField != -1 && secondary != nullptr) {
        comparison.secondary = {secondary->fieldId, KindOfType(secondary->type),
                                state.secondaryAscending};
    }
    if (comparison.primary.kind == KeyKind::Unsupported ||
        comparison.secondary.kind == KeyKind::Unsupported) {
        NUV_WARNING("%s", "Unexpected style data field type 2");
    }
    comparison.sizeTieBreak =
        kind_ == ListKind::Files && comparison.secondary.kind == KeyKind::None &&
        (primary->fieldId == kFieldDuplicates || primary->fieldId == kFieldRelatedId);
    std::sort(rows_.begin(), rows_.end(), comparison);
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
    WriteStatusText(StrFormat(Translate("Sorting column \"%s\" - please wait").c_str(),
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

// Sorting the rows: header clicks, the row comparison and re-sorting after a rebuild. Only the
// row references move; the comparison reads the field values in place.
#include <algorithm>
#include <vector>

#include "list/MyListCtrl.h"
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

// One row with the values its sort compares, fetched once before the sort: a comparison then
// reads neither record nor pooled text slot (100,000 rows take well over a million
// comparisons, and records lie scattered in memory).
struct PreparedRow {
    RowRef row;
    std::string_view primaryText;
    std::string_view secondaryText;
    int32_t primaryNumber = 0;
    int32_t secondaryNumber = 0;
    int32_t size = 0;
};

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

// Everything one sort needs, fetched once before it starts.
struct RowComparison {
    SortKey primary;
    SortKey secondary;
    bool sizeTieBreak = false;  // DUPLICATES / RELATED_ID without a secondary key
    TextCompareFn compareText = nullptr;

    int CompareOn(KeyKind kind, std::string_view ta, std::string_view tb, int32_t va,
                  int32_t vb) const {
        switch (kind) {
            case KeyKind::Number:
                return (va > vb) - (va < vb);
            case KeyKind::Text:
            case KeyKind::Date:
                return compareText(ta, tb);
            default:
                return 0;
        }
    }

    PreparedRow Prepare(const RowRef& row) const {
        PreparedRow prepared;
        prepared.row = row;
        Fetch(row, primary, prepared.primaryText, prepared.primaryNumber);
        Fetch(row, secondary, prepared.secondaryText, prepared.secondaryNumber);
        if (sizeTieBreak) {
            prepared.size = row.style->Number(kFieldFilesize);
        }
        return prepared;
    }

    bool operator()(const PreparedRow& a, const PreparedRow& b) const {
        int result =
            CompareOn(primary.kind, a.primaryText, b.primaryText, a.primaryNumber, b.primaryNumber);
        if (secondary.kind != KeyKind::None) {
            if (result != 0) {
                return (primary.ascending ? result : -result) < 0;
            }
            result = CompareOn(secondary.kind, a.secondaryText, b.secondaryText, a.secondaryNumber,
                               b.secondaryNumber);
            return (secondary.ascending ? result : -result) < 0;
        }
        if (result == 0 && sizeTieBreak) {
            result = (a.size > b.size) - (a.size < b.size);
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
    std::vector<PreparedRow> prepared;
    prepared.reserve(rows_.size());
    for (const RowRef& row : rows_) {
        prepared.push_back(comparison.Prepare(row));
    }
    std::sort(prepared.begin(), prepared.end(), comparison);
    for (size_t i = 0; i < prepared.size(); ++i) {
        rows_[i] = prepared[i].row;
    }
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

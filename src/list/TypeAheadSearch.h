// Typing a name into the list: the row that several characters typed in quick succession lead
// to. The widget collects the characters (the toolkit decides what "quick" is) and asks here.
//
// The column searched is the one the single-key type-ahead of CMyListCtrl uses: the primary
// sort column, or column 1 when the list is sorted by the row number or not at all. A row
// matches when the text of that cell, as shown, starts with the typed text, without regard to
// case. The search begins at `startRow` and wraps around at the end. When no row matches a
// single typed character, the single-key rule of CMyListCtrl::TypeAheadRow picks the row
// where that character would stand in the sort order.
#pragma once

#include <string_view>

namespace kelvane {

class CMyListCtrl;

// The column searched; -1 when the list has no columns.
int TypeAheadColumn(const CMyListCtrl& list);

// The row the typed text (UTF-8) leads to, or -1.
long TypeAheadSearch(const CMyListCtrl& list, std::string_view typedUtf8, long startRow);

}  // namespace kelvane

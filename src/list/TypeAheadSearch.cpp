#include "list/TypeAheadSearch.h"

#include <algorithm>
#include <string>

#include "list/MyListCtrl.h"
#include "support/ZOLDisplayText.h"

namespace kelvane {
namespace {

// Case folding for the comparison: ASCII and the Latin-1 letters.
char32_t Folded(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 32;
    }
    return c;
}

bool StartsWithFolded(const std::u32string& text, const std::u32string& prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    return std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char32_t a, char32_t b) { return Folded(a) == Folded(b); });
}

}  // namespace

int TypeAheadColumn(const CMyListCtrl& list) {
    if (list.ColumnCount() == 0) {
        return -1;
    }
    const SortState& sort = list.Sort();
    const int column = sort.primaryColumn;
    if (sort.primaryField == -1 || column <= 0 || column >= list.ColumnCount()) {
        return std::min(1, list.ColumnCount() - 1);
    }
    return column;
}

long TypeAheadSearch(const CMyListCtrl& list, std::string_view typedUtf8, long startRow) {
    const int column = TypeAheadColumn(list);
    const long rows = list.RowCount();
    if (column < 0 || rows == 0 || typedUtf8.empty()) {
        return -1;
    }
    const std::u32string typed = DecodeDisplayText(typedUtf8);
    const long start = startRow >= 0 && startRow < rows ? startRow : 0;
    std::string buffer;
    for (long step = 0; step < rows; ++step) {
        const long row = (start + step) % rows;
        if (StartsWithFolded(DecodeDisplayText(list.CellText(row, column, buffer)), typed)) {
            return row;
        }
    }
    if (typed.size() == 1 && typed[0] >= 32 && typed[0] < 256) {
        return list.TypeAheadRow(static_cast<int>(typed[0]));
    }
    return -1;
}

}  // namespace kelvane

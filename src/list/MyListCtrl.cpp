#include "list/MyListCtrl.h"

#include <algorithm>
#include <charconv>
#include <new>

#include "records/ZOLStyleData.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"

namespace kelvane {

IListDisplay& NullListDisplay() {
    static IListDisplay display;
    return display;
}

bool ParseGoToLineInput(std::string_view text, long& lineNumber) {
    size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return false;
    }
    if (text[start] == '+') {
        ++start;
    }
    const char* first = text.data() + start;
    const auto result = std::from_chars(first, text.data() + text.size(), lineNumber);
    return result.ec == std::errc() && result.ptr != first;
}

CMyListCtrl::CMyListCtrl(ListKind kind) : kind_(kind) {
    definitions_.fill(ColumnDefinition{});
    EnsureCapacity(kInitialRowCapacity);
    PrepareCellTexts();
}

CatalogueKind CMyListCtrl::Catalogue() const {
    return kind_ == ListKind::Songs ? CatalogueKind::Song : CatalogueKind::Current;
}

bool CMyListCtrl::EnsureCapacity(long rows) {
    long wanted = std::max(capacity_, kInitialRowCapacity);
    while (wanted < rows) {
        wanted += kRowCapacityStep;
    }
    if (wanted == capacity_) {
        return true;
    }
    try {
        rows_.reserve(static_cast<size_t>(wanted));
        selected_.reserve(static_cast<size_t>(wanted));
    } catch (const std::bad_alloc&) {
        return false;
    }
    capacity_ = wanted;
    return true;
}

bool CMyListCtrl::AppendRow(RowRef row) {
    if (RowCount() >= capacity_ && !EnsureCapacity(capacity_ + kRowCapacityStep)) {
        NUV_WARNING("%s", Translate("Running out of memory for virtual list...").c_str());
        return false;
    }
    rows_.push_back(row);
    selected_.push_back(0);
    return true;
}

void CMyListCtrl::ReplaceLastRow(RowRef row) {
    if (kind_ == ListKind::Songs) {
        return;
    }
    if (rows_.empty()) {
        NUV_WARNING("%s", "Cannot replace item in empty list");
        return;
    }
    rows_.back() = row;
    if (selected_.back() != 0) {
        selected_.back() = 0;
        --selectedCount_;
    }
}

void CMyListCtrl::RemoveLastRow() {
    if (rows_.empty()) {
        return;
    }
    if (selected_.back() != 0) {
        --selectedCount_;
    }
    rows_.pop_back();
    selected_.pop_back();
}

void CMyListCtrl::ClearRows() {
    rows_.clear();
    selected_.clear();
    selectedCount_ = 0;
    counters_.totalSize = 0;
}

void CMyListCtrl::KeepOnlyRows(const std::vector<size_t>& indexes) {
    size_t kept = 0;
    long selected = 0;
    for (size_t index : indexes) {
        if (index >= rows_.size() || (kept > 0 && index < kept)) {
            continue;
        }
        rows_[kept] = rows_[index];
        selected_[kept] = selected_[index];
        selected += selected_[kept];
        ++kept;
    }
    rows_.resize(kept);
    selected_.resize(kept);
    selectedCount_ = selected;
    Display().RowsChanged(RowCount(), false);
}

RowRef CMyListCtrl::Row(long index) const {
    if (index < 0 || index >= RowCount()) {
        return {};
    }
    return rows_[static_cast<size_t>(index)];
}

StyleDataPacket* CMyListCtrl::StyleRecordOfRow(long index) const {
    return Row(index).style;
}

SongDataPacket* CMyListCtrl::SongRecordOfRow(long index) const {
    return Row(index).song;
}

void CMyListCtrl::SetBackground(RgbColour colour) {
    background_ = colour;
    Display().BackgroundChanged(colour);
}

bool CMyListCtrl::IsSelected(long row) const {
    return row >= 0 && row < RowCount() && selected_[static_cast<size_t>(row)] != 0;
}

void CMyListCtrl::Select(long row) {
    if (row >= 0 && row < RowCount() && selected_[static_cast<size_t>(row)] == 0) {
        selected_[static_cast<size_t>(row)] = 1;
        ++selectedCount_;
    }
}

void CMyListCtrl::Deselect(long row) {
    if (IsSelected(row)) {
        selected_[static_cast<size_t>(row)] = 0;
        --selectedCount_;
    }
}

void CMyListCtrl::SelectAll() {
    std::fill(selected_.begin(), selected_.end(), uint8_t{1});
    selectedCount_ = RowCount();
    Display().SelectionChanged();
}

void CMyListCtrl::ClearSelection() {
    std::fill(selected_.begin(), selected_.end(), uint8_t{0});
    selectedCount_ = 0;
    Display().SelectionChanged();
}

long CMyListCtrl::FirstSelectedRowNumber() const {
    if (selectedCount_ == 0) {
        return 0;
    }
    const auto it = std::find(selected_.begin(), selected_.end(), uint8_t{1});
    return it == selected_.end() ? 0 : static_cast<long>(it - selected_.begin()) + 1;
}

long CMyListCtrl::NextSelected(long& cursor) const {
    const long current = cursor - 1;
    cursor = 0;
    for (long row = current + 1; row < RowCount(); ++row) {
        if (selected_[static_cast<size_t>(row)] != 0) {
            cursor = row + 1;
            break;
        }
    }
    return current;
}

void CMyListCtrl::SaveSelection() {
    // Stamps are even; 0 is what fresh records carry, so it is skipped when the counter wraps.
    selectionStamp_ = static_cast<int16_t>(selectionStamp_ + 2);
    if (selectionStamp_ == 0) {
        selectionStamp_ = 2;
    }
    savedSelectionCount_ = selectedCount_;
    for (size_t row = 0; row < rows_.size(); ++row) {
        if (selected_[row] == 0) {
            continue;
        }
        if (rows_[row].song != nullptr) {
            rows_[row].song->selectionStamp = selectionStamp_;
        } else if (rows_[row].style != nullptr) {
            rows_[row].style->selectionStamp = selectionStamp_;
        }
    }
}

void CMyListCtrl::RestoreSelection() {
    if (savedSelectionCount_ == 0) {
        return;
    }
    std::fill(selected_.begin(), selected_.end(), uint8_t{0});
    selectedCount_ = 0;
    for (size_t row = 0; row < rows_.size() && selectedCount_ < savedSelectionCount_; ++row) {
        const RowRef& ref = rows_[row];
        const int16_t stamp = ref.song != nullptr
                                  ? ref.song->selectionStamp
                                  : (ref.style != nullptr ? ref.style->selectionStamp : 0);
        if (stamp == selectionStamp_) {
            selected_[row] = 1;
            ++selectedCount_;
        }
    }
    Display().SelectionChanged();
    Display().TakeFocus();
}

long CMyListCtrl::GoToLine(long lineNumber, long firstVisibleRow) {
    if (lineNumber < 0 || rows_.empty()) {
        return -1;
    }
    long target = lineNumber;
    if (lineNumber >= RowCount()) {
        target = RowCount() - 1;
    } else if (firstVisibleRow >= lineNumber && lineNumber > 0) {
        target = lineNumber - 1;
    }
    Display().EnsureVisible(target);
    return target;
}

long CMyListCtrl::GoToNextSelectedLine(long lastVisibleRow) {
    if (rows_.empty()) {
        return -1;
    }
    long target = RowCount() - 1;
    for (long row = std::max(lastVisibleRow + 1, 0L); row < RowCount(); ++row) {
        if (selected_[static_cast<size_t>(row)] != 0) {
            target = row;
            break;
        }
    }
    Display().EnsureVisible(target);
    return target;
}

long CMyListCtrl::GoToPreviousSelectedLine(long firstVisibleRow) {
    if (rows_.empty() || firstVisibleRow <= 0) {
        return -1;
    }
    long target = 0;
    for (long row = std::min(firstVisibleRow, RowCount()) - 1; row >= 0; --row) {
        if (selected_[static_cast<size_t>(row)] != 0) {
            target = row;
            break;
        }
    }
    Display().EnsureVisible(target);
    return target;
}

long CMyListCtrl::TypeAheadRow(int character) const {
    if (character < 32 || columns_.empty()) {
        return -1;
    }
    int column = sort_.primaryColumn;
    bool ascending = sort_.primaryAscending;
    if (sort_.primaryField == -1 || column <= 0 || column >= ColumnCount()) {
        column = std::min(1, ColumnCount() - 1);
        ascending = true;
    }
    // Characters compare as signed bytes, so texts starting with bytes above 127 sort low.
    const auto typed = static_cast<signed char>(character);
    const signed char lower =
        (typed >= 'A' && typed <= 'Z') ? static_cast<signed char>(typed + 32) : typed;
    const signed char upper =
        (typed >= 'a' && typed <= 'z') ? static_cast<signed char>(typed - 32) : typed;
    std::string buffer;
    for (long row = 0; row < RowCount(); ++row) {
        const std::string_view text = CellText(row, column, buffer);
        const signed char e = text.empty() ? 0 : static_cast<signed char>(text[0]);
        if (e == upper || e == lower) {
            return row;
        }
        if (ascending ? (e > lower || (e > upper && e < 90))
                      : (e < upper || (e < lower && e > 90))) {
            return row;
        }
    }
    return -1;
}

long CMyListCtrl::TypeAhead(int character) {
    const long row = TypeAheadRow(character);
    if (row >= 0) {
        Display().EnsureVisible(row);
    }
    return row;
}

void CMyListCtrl::RedrawRow(long row) {
    if (row >= 0 && row < RowCount()) {
        Display().RedrawRow(row);
    }
}

std::vector<std::string> CMyListCtrl::SelectedFilePaths() const {
    std::vector<std::string> paths;
    for (size_t row = 0; row < rows_.size(); ++row) {
        if (selected_[row] != 0) {
            paths.push_back(FullPathOf(rows_[row].style));
        }
    }
    return paths;
}

void CMyListCtrl::Refresh(bool keepSelection, bool keepTop) {
    if (!keepSelection && selectedCount_ > 0) {
        ClearSelection();
    }
    Display().RowsChanged(RowCount(), keepTop);
}

}  // namespace kelvane

// CMyListCtrl: one list on screen as a model without widgets. Its rows are references to
// records held by the record store; cell texts are made on demand from the records; it keeps
// the columns, the sort state, the selection (a widget mirrors it), the counters of the last
// rebuild and the status line. Two instances exist, the file list and the song list, owned by
// the list view manager. User-interface thread only.
//
// The implementation is split by concern: MyListCtrl.cpp (rows, selection, scrolling),
// ZOLListColumns.cpp (columns and widths), ZOLListCells.cpp (cell texts and group markers),
// ZOLListSort.cpp (sorting), ZOLStatusLine.cpp (status line).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "list/RowKeySort.h"
#include "list/ZOLListTypes.h"
#include "platform/NonCopyable.h"
#include "records/ZOLFieldCatalogue.h"

namespace kelvane {

// The private drag format that marks file drags coming from this program.
inline constexpr const char* kDragFormatName = "Kelvane_3BCFE9D1_6D61_4cb6_9D0B_3BB3F643CA82";

// The "Go to line nr" input: an integer at the start (blanks and a sign allowed before it);
// false means the dialog shows "Wrong value" and stays open.
bool ParseGoToLineInput(std::string_view text, long& lineNumber);

struct ListColumn {
    int fieldId = kFieldNone;
    FieldType type = FT_NONE;  // the row-number column has type 8
    bool rightAligned = false;
    int autoWidthSource = 0;  // 0: sized by the platform; 1: computed from the texts
    int width = 0;            // live width in pixels
    std::string header;       // translated header text
};

struct ColumnDefinition {
    int fieldId = kFieldNone;
    int width = -1;  // -1: remembered or default width
};

struct SortState {
    int primaryField = -1;
    int primaryColumn = -1;
    bool primaryAscending = false;
    int secondaryField = -1;
    int secondaryColumn = -1;
    bool secondaryAscending = false;
    // The directions last used, which re-sorting after a rebuild applies.
    bool lastPrimaryAscending = true;
    bool lastSecondaryAscending = true;
};

// The four values of get / set sort state and of the stored column defaults.
struct SortStateValues {
    int primaryField = -1;
    int secondaryField = -1;
    int primaryAscending = 0;
    int secondaryAscending = 0;
};

struct ListCounters {
    long walked = 0;
    long hiddenInGroups = 0;
    long hiddenSingles = 0;
    int64_t totalSize = 0;  // bytes of the rows shown (file list)
};

class CMyListCtrl : NonCopyable {
  public:
    explicit CMyListCtrl(ListKind kind);

    ListKind Kind() const { return kind_; }
    // The catalogue of the columns: the current (style or midi) one, or the song catalogue.
    CatalogueKind Catalogue() const;
    void SetDisplay(IListDisplay* display) { display_ = display; }
    IListDisplay& Display() const { return display_ != nullptr ? *display_ : NullListDisplay(); }

    // Rows.
    long RowCount() const { return static_cast<long>(rows_.size()); }
    long RowCapacity() const { return capacity_; }
    // Appends a row, growing the capacity by 1000 rows when full. Out of memory: "Running out
    // of memory for virtual list..." and false.
    bool AppendRow(RowRef row);
    // Replaces the last row (file list only; on an empty list "Cannot replace item in empty
    // list" and no change).
    void ReplaceLastRow(RowRef row);
    void RemoveLastRow();
    void ClearRows();
    // Keeps only the rows with the given indexes (ascending), in their order.
    void KeepOnlyRows(const std::vector<size_t>& indexes);
    RowRef Row(long index) const;
    // File list: the row's record; song list: the record the song belongs to. None outside.
    StyleDataPacket* StyleRecordOfRow(long index) const;
    SongDataPacket* SongRecordOfRow(long index) const;
    // Grows the capacity in steps of 1000 until it holds `rows`.
    bool EnsureCapacity(long rows);

    ListCounters& Counters() { return counters_; }
    const ListCounters& Counters() const { return counters_; }
    long RebuildCount() const { return rebuildCount_; }
    void CountRebuild() { ++rebuildCount_; }

    int Stamp() const { return stamp_; }
    void SetStamp(int stamp) { stamp_ = stamp; }
    void Invalidate() { --stamp_; }
    void Suspend() { suspended_ = true; }
    void Resume() { suspended_ = false; }
    bool IsSuspended() const { return suspended_; }
    bool WritesStatusLine() const { return writesStatusLine_; }
    void SetWritesStatusLine(bool on) { writesStatusLine_ = on; }
    RgbColour Background() const { return background_; }
    void SetBackground(RgbColour colour);
    int FontHeight() const { return fontHeight_; }
    void SetFontHeight(int height) { fontHeight_ = height; }

    // Selection. A widget calls Select / Deselect for the user's clicks and reads IsSelected.
    bool IsSelected(long row) const;
    void Select(long row);
    void Deselect(long row);
    void SelectAll();
    void ClearSelection();
    long SelectedCount() const { return selectedCount_; }
    // Index of the first selected row plus 1; 0 when nothing is selected.
    long FirstSelectedRowNumber() const;
    // Returns cursor - 1 and moves the cursor to (next selected row after it) + 1, or 0. A walk
    // starts with the cursor at FirstSelectedRowNumber() and runs while the cursor is not 0.
    long NextSelected(long& cursor) const;
    // Stamps the selected rows' records, so the selection survives a rebuild or a sort.
    void SaveSelection();
    void RestoreSelection();

    // Scrolling; each returns the row brought into view, or -1 when nothing happens.
    long GoToLine(long lineNumber, long firstVisibleRow);
    long GoToNextSelectedLine(long lastVisibleRow);
    long GoToPreviousSelectedLine(long firstVisibleRow);
    // The row that typing `character` scrolls to (selection unchanged), or -1.
    long TypeAheadRow(int character) const;
    long TypeAhead(int character);
    void RedrawRow(long row);
    // The full paths of the files of the selected rows (a song row stands for its style file),
    // for a drag out of the list.
    std::vector<std::string> SelectedFilePaths() const;
    // Re-announces the row count; without keepSelection the selection is dropped.
    void Refresh(bool keepSelection, bool keepTop);

    // Column definitions and columns (ZOLListColumns.cpp).
    void ClearDefinitions();
    // -13502 when all 21 slots are used.
    StatusCode AppendDefinition(int fieldId, int width);
    const std::array<ColumnDefinition, kDefinitionSlotCount>& Definitions() const {
        return definitions_;
    }
    // Each shown column except "Nr" becomes a slot with width -1.
    void RecreateDefinitionsFromHeader();
    // Rebuilds the shown columns from the definitions. -13500 when more than 21 columns would
    // be shown ("Too many view columns defined"; the previous columns stay).
    StatusCode BuildColumns(bool keepSelection);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    const ListColumn* Column(int position) const;
    int FieldIdOfColumn(int position) const;
    bool IsFieldShown(int fieldId) const { return ColumnOfField(fieldId) >= 0; }
    int ColumnOfField(int fieldId) const;
    // Live width when that column shows that field; else the width of "Nr" (98), the
    // catalogue default or header width + 22 (ids up to 80), -1 for other ids.
    int ColumnWidth(int position, int fieldId) const;
    // The widget reports a width the user dragged.
    void SetColumnWidth(int position, int width);
    // The widget reports a header dragged to another place.
    void MoveColumn(int from, int to);
    // -13505 no columns or not found, -13506 position not below the column count, -13507 no
    // header text.
    StatusCode ColumnHeaderText(int position, std::string& out) const;
    void RememberWidths();
    int RememberedWidth(int fieldId) const;
    void SetRowNumberVisible(bool visible) { rowNumberVisible_ = visible; }
    bool RowNumberVisible() const { return rowNumberVisible_; }
    void SetRowNumberWidth(int width) { rowNumberWidth_ = width; }
    int RowNumberWidth() const { return rowNumberWidth_; }
    // Sizes the columns when automatic widths are on (source 0 asks the display).
    void AutoSizeColumns();
    // Catalogue header text of a field as shown (translated); "Nr" for 98.
    std::string HeaderTextOf(int fieldId) const;

    // Cells (ZOLListCells.cpp). The text is a view into the record, into `buffer` (reused by
    // the caller) or into static text; empty while suspended or outside the rows.
    std::string_view CellText(long row, int column, std::string& buffer) const;
    GroupMarker CellMarker(long row, int column) const;

    // Sorting (ZOLListSort.cpp).
    void SortByColumn(int column, bool addAsSecondary);
    void Resort();
    const SortState& Sort() const { return sort_; }
    SortStateValues GetSortState() const;
    // A field id of 0 leaves that key unchanged.
    void SetSortState(const SortStateValues& values);
    // Sets both keys as given (-1: none); for callers whose key may be field 0 (SONG_TITLE).
    void SetSortKeys(const SortStateValues& values);
    HeaderImage HeaderImageOf(int column) const;

    // Status line (ZOLStatusLine.cpp).
    void WriteStatusLine();
    void WriteStatusText(const std::string& text) const;
    const std::string& FilterText() const { return filterText_; }
    const std::string& StatusLine() const { return statusLine_; }

  private:
    void SortRows(const SortState& state);
    bool ShowsGroupMarker(int column) const;
    // Translates the fixed cell texts once, so that drawing a cell allocates nothing.
    void PrepareCellTexts();

    ListKind kind_;
    IListDisplay* display_ = nullptr;
    std::vector<RowRef> rows_;
    std::vector<uint8_t> selected_;  // one flag per row
    long capacity_ = 0;
    long selectedCount_ = 0;
    ListCounters counters_;
    long rebuildCount_ = 0;
    int stamp_ = -1;
    bool suspended_ = false;
    bool writesStatusLine_ = true;
    RgbColour background_ = kWhiteBackground;
    int fontHeight_ = 0;
    int16_t selectionStamp_ = 0;
    long savedSelectionCount_ = 0;

    std::array<ColumnDefinition, kDefinitionSlotCount> definitions_{};
    std::vector<ListColumn> columns_;
    std::array<int, kFieldNone + 1> rememberedWidths_{};
    bool rowNumberVisible_ = false;
    int rowNumberWidth_ = 40;

    SortState sort_;
    RowSortBuffers sortBuffers_;  // kept between sorts: a header click then reuses its memory
    std::string filterText_;
    std::string statusLine_;
    std::string groupInfoText_;  // "? (sort column to see the info)", translated
    std::array<std::string, 3> songStatusTexts_;
    mutable bool reportedCellType_ = false;
};

}  // namespace kelvane

// CZOLListViewMgr: the one object through which the program reaches the list on screen. It
// owns the file list and the song list, holds the view mode, switches between the lists,
// rebuilds them from the record store and forwards every list operation to the list of the
// current mode. A list is ready once a display (the widget, or the command-line tool's null
// display) has been registered for it; until then operations return their neutral value.
//
// For a widget: RegisterList(kind, &display) at start; rows = RowCount(); cell texts from
// CurrentList()->CellText / CellMarker; header images from HeaderImageOf; clicks on headers
// call SortByColumn; user selection calls Select / Deselect; IListDisplay tells the widget
// when to redraw. User-interface thread only.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "list/MyListCtrl.h"
#include "platform/NonCopyable.h"

namespace kelvane {

// Chooses rows of the file list by their names: the indexes of the rows to keep, in row order,
// or no value to leave the list as it is.
using FileRowSelector =
    std::function<std::optional<std::vector<size_t>>(std::span<const FileRowName> rows)>;

class CZOLListViewMgr : NonCopyable {
  public:
    CZOLListViewMgr();

    // Makes a list ready; nullptr for the display means no widget shows it.
    void RegisterList(ListKind kind, IListDisplay* display);
    CMyListCtrl& FileList() { return fileList_; }
    CMyListCtrl& SongList() { return songList_; }
    const CMyListCtrl& FileList() const { return fileList_; }
    const CMyListCtrl& SongList() const { return songList_; }
    // The list of the current mode when it is ready; nullptr otherwise (an illegal mode is
    // reported as "Internal Error - Illegal case for view mode").
    CMyListCtrl* CurrentList();
    const CMyListCtrl* CurrentList() const;

    bool IsReady() const { return CurrentList() != nullptr; }
    ViewMode CurrentViewMode() const { return static_cast<ViewMode>(viewMode_); }
    // Sets the mode without showing a list (start-up and tests).
    void SetViewMode(int mode) { viewMode_ = mode; }
    void ShowFileList();
    void ShowSongList();
    int ListGeneration() const { return listGeneration_; }
    // The folder the lists show, reported by the status line.
    void SetCurrentFolder(std::string folder, bool withSubfolders);

    // Rows and selection of the list on screen.
    long RowCount() const;
    long FirstSelectedRowNumber() const;
    StyleDataPacket* StyleRecordOfRow(long row) const;
    SongDataPacket* SongRecordOfRow(long row) const;
    long SelectedCount() const;
    long NextSelected(long& cursor) const;
    void SelectAll();

    // Rebuilding.
    void ForceRebuild(bool resort, const StyleDataPacket* bringIntoView, bool keepSelection);
    void RebuildIfStale(bool resort);
    void Refresh(bool keepSelection, bool keepTop);
    // 0: both lists, 1: the song list only.
    void Invalidate(int which);
    void SuspendDisplay();
    void ResumeDisplay();
    void SuspendBothDisplays();
    void ResumeBothDisplays();
    // Empties both lists and has the record store release every record and shared text.
    void ClearBothLists();
    // Drops the rows of both lists (the record store's clear hook).
    void DropAllRows();

    // Columns.
    void ClearDefinitions();
    // `list` 0 = file list, 1 = song list.
    StatusCode AppendDefinition(int list, int fieldId, int width);
    void RecreateDefinitionsFromHeader();
    StatusCode BuildColumns(bool keepSelection);
    StatusCode BuildColumnsOfBoth(bool keepSelection);
    int FieldIdOfColumn(int position) const;
    bool IsFieldShown(int fieldId) const;
    int ColumnWidth(int position, int fieldId) const;
    StatusCode ColumnHeaderText(int position, std::string& out) const;
    void SetRowNumberVisible(bool visible);
    bool RowNumberVisible() const;
    void SetRowNumberWidth(int list, int width);

    // The catalogue of the mode (style or midi for Files, song for Songs), by row index.
    int CatalogueFieldId(int index) const;
    std::string CatalogueHeader(int index) const;
    bool CatalogueSelectable(int index) const;
    // Column header text (translated or English) to field id, without regard to case; 99.
    int FieldIdOfHeader(std::string_view header) const;

    // The file list's filter text of its last status line, in either mode.
    const std::string& FilterText() const { return fileList_.FilterText(); }

    long GoToLine(long lineNumber, long firstVisibleRow);
    long GoToNextSelectedLine(long lastVisibleRow);
    long GoToPreviousSelectedLine(long firstVisibleRow);
    long TypeAhead(int character);
    SortStateValues GetSortState() const;
    void SetSortState(const SortStateValues& values);
    void SortByColumn(int column, bool addAsSecondary);
    void RedrawRow(long row);
    void SetFontHeight(int height);

    // Filters and visibility modes; each rebuilds the list on screen with re-sorting.
    void ClearFilterOfView();
    void ClearAllFilters();
    void SetDuplicatesMode(int mode);

    // Shows `workingText` in the status line while `select` looks at the names of the file
    // list's rows, then keeps only the rows it chose. The number of rows kept, or -1 when
    // nothing was kept (no choice made; song list: "This function is not available in this
    // mode").
    long KeepSelectedFileRows(std::string_view workingText, const FileRowSelector& select);

  private:
    void RebuildList(CMyListCtrl& list, bool resort, const StyleDataPacket* bringIntoView);
    void WalkFileRecords(CMyListCtrl& list);
    void WalkSongRecords(CMyListCtrl& list);
    void BringIntoView(CMyListCtrl& list, const StyleDataPacket* record);
    void ShowList(CMyListCtrl& shown, CMyListCtrl& hidden, ViewMode mode);
    CatalogueKind CatalogueOfMode() const;

    CMyListCtrl fileList_{ListKind::Files};
    CMyListCtrl songList_{ListKind::Songs};
    bool fileReady_ = false;
    bool songReady_ = false;
    int viewMode_ = Files;
    int listGeneration_ = 0;
};

// The program's manager; the first call registers the record store's clear hook.
CZOLListViewMgr& ListViewMgr();

}  // namespace kelvane

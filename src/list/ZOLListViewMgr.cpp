#include "list/ZOLListViewMgr.h"

#include "list/ZOLDuplicatesMode.h"
#include "list/ZOLFilterDlgLogic.h"
#include "list/ZOLStatusLine.h"
#include "records/ZOLRecordStore.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"

namespace kelvane {

CZOLListViewMgr& ListViewMgr() {
    static CZOLListViewMgr* manager = [] {
        static CZOLListViewMgr instance;
        SetClearRecordsHook([] { ListViewMgr().DropAllRows(); });
        return &instance;
    }();
    return *manager;
}

CZOLListViewMgr::CZOLListViewMgr() = default;

void CZOLListViewMgr::RegisterList(ListKind kind, IListDisplay* display) {
    CMyListCtrl& list = kind == ListKind::Files ? fileList_ : songList_;
    list.SetDisplay(display);
    list.SetWritesStatusLine(true);
    (kind == ListKind::Files ? fileReady_ : songReady_) = true;
}

const CMyListCtrl* CZOLListViewMgr::CurrentList() const {
    switch (viewMode_) {
        case Files:
            return fileReady_ ? &fileList_ : nullptr;
        case Songs:
            return songReady_ ? &songList_ : nullptr;
        default:
            NUV_WARNING("%s", "Internal Error - Illegal case for view mode");
            return nullptr;
    }
}

CMyListCtrl* CZOLListViewMgr::CurrentList() {
    return const_cast<CMyListCtrl*>(static_cast<const CZOLListViewMgr*>(this)->CurrentList());
}

CatalogueKind CZOLListViewMgr::CatalogueOfMode() const {
    return viewMode_ == Songs ? CatalogueKind::Song : CatalogueKind::Current;
}

void CZOLListViewMgr::SetCurrentFolder(std::string folder, bool withSubfolders) {
    ListScanFolder().folder = std::move(folder);
    ListScanFolder().withSubfolders = withSubfolders;
}

void CZOLListViewMgr::ShowList(CMyListCtrl& shown, CMyListCtrl& hidden, ViewMode mode) {
    viewMode_ = mode;
    CMyListCtrl* list = CurrentList();
    if (list == nullptr) {
        return;
    }
    hidden.Display().SetShown(false);
    shown.Display().SetShown(true);
    if (shown.Stamp() != listGeneration_) {
        RebuildList(shown, true, nullptr);
    }
    shown.WriteStatusLine();
}

void CZOLListViewMgr::ShowFileList() {
    ShowList(fileList_, songList_, Files);
}

void CZOLListViewMgr::ShowSongList() {
    ShowList(songList_, fileList_, Songs);
}

long CZOLListViewMgr::RowCount() const {
    const CMyListCtrl* list = CurrentList();
    return list != nullptr ? list->RowCount() : 0;
}

long CZOLListViewMgr::FirstSelectedRowNumber() const {
    const CMyListCtrl* list = CurrentList();
    return list != nullptr ? list->FirstSelectedRowNumber() : 0;
}

StyleDataPacket* CZOLListViewMgr::StyleRecordOfRow(long row) const {
    const CMyListCtrl* list = CurrentList();
    return list != nullptr ? list->StyleRecordOfRow(row) : nullptr;
}

SongDataPacket* CZOLListViewMgr::SongRecordOfRow(long row) const {
    const CMyListCtrl* list = CurrentList();
    return list != nullptr ? list->SongRecordOfRow(row) : nullptr;
}

long CZOLListViewMgr::SelectedCount() const {
    const CMyListCtrl* list = CurrentList();
    return list != nullptr ? list->SelectedCount() : 0;
}

long CZOLListViewMgr::NextSelected(long& cursor) const {
    const CMyListCtrl* list = CurrentList();
    if (list == nullptr) {
        cursor = 0;
        return 0;
    }
    return list->NextSelected(cursor);
}

void CZOLListViewMgr::SelectAll() {
    if (CMyListCtrl* list = CurrentList()) {
        list->SelectAll();
        list->Display().TakeFocus();
    }
}

void CZOLListViewMgr::ForceRebuild(bool resort, const StyleDataPacket* bringIntoView,
                                   bool keepSelection) {
    CMyListCtrl* list = CurrentList();
    if (list == nullptr) {
        return;
    }
    ++listGeneration_;
    if (keepSelection) {
        list->SaveSelection();
    }
    RebuildList(*list, resort, bringIntoView);
    if (keepSelection) {
        list->RestoreSelection();
    }
}

void CZOLListViewMgr::RebuildIfStale(bool resort) {
    CMyListCtrl* list = CurrentList();
    if (list != nullptr && list->Stamp() != listGeneration_) {
        RebuildList(*list, resort, nullptr);
    }
}

void CZOLListViewMgr::Refresh(bool keepSelection, bool keepTop) {
    if (CMyListCtrl* list = CurrentList()) {
        list->Refresh(keepSelection, keepTop);
        list->WriteStatusLine();
    }
}

void CZOLListViewMgr::Invalidate(int which) {
    if (which == 0) {
        fileList_.Invalidate();
    }
    songList_.Invalidate();
}

void CZOLListViewMgr::SuspendDisplay() {
    if (CMyListCtrl* list = CurrentList()) {
        list->Suspend();
    }
}

void CZOLListViewMgr::ResumeDisplay() {
    if (CMyListCtrl* list = CurrentList()) {
        list->Resume();
    }
}

void CZOLListViewMgr::SuspendBothDisplays() {
    fileList_.Suspend();
    songList_.Suspend();
}

void CZOLListViewMgr::ResumeBothDisplays() {
    fileList_.Resume();
    songList_.Resume();
}

void CZOLListViewMgr::DropAllRows() {
    for (CMyListCtrl* list : {&fileList_, &songList_}) {
        list->ClearRows();
        list->Counters() = ListCounters{};
        list->Display().RowsChanged(0, false);
    }
}

void CZOLListViewMgr::ClearBothLists() {
    SuspendBothDisplays();
    DropAllRows();
    ClearAllRecords();
}

void CZOLListViewMgr::ClearDefinitions() {
    if (CMyListCtrl* list = CurrentList()) {
        list->ClearDefinitions();
    }
}

StatusCode CZOLListViewMgr::AppendDefinition(int list, int fieldId, int width) {
    return (list == 1 ? songList_ : fileList_).AppendDefinition(fieldId, width);
}

void CZOLListViewMgr::RecreateDefinitionsFromHeader() {
    if (CMyListCtrl* list = CurrentList()) {
        list->RecreateDefinitionsFromHeader();
    }
}

StatusCode CZOLListViewMgr::BuildColumns(bool keepSelection) {
    CMyListCtrl* list = CurrentList();
    return list != nullptr ? list->BuildColumns(keepSelection) : status::kOk;
}

StatusCode CZOLListViewMgr::BuildColumnsOfBoth(bool keepSelection) {
    const StatusCode files = fileList_.BuildColumns(keepSelection);
    const StatusCode songs = songList_.BuildColumns(keepSelection);
    return files != status::kOk ? files : songs;
}

int CZOLListViewMgr::FieldIdOfColumn(int position) const {
    const CMyListCtrl* list = CurrentList();
    return list != nullptr ? list->FieldIdOfColumn(position) : kFieldNone;
}

bool CZOLListViewMgr::IsFieldShown(int fieldId) const {
    const CMyListCtrl* list = CurrentList();
    return list != nullptr && list->IsFieldShown(fieldId);
}

int CZOLListViewMgr::ColumnWidth(int position, int fieldId) const {
    const CMyListCtrl* list = CurrentList();
    return list != nullptr ? list->ColumnWidth(position, fieldId) : 0;
}

StatusCode CZOLListViewMgr::ColumnHeaderText(int position, std::string& out) const {
    const CMyListCtrl* list = CurrentList();
    return list != nullptr ? list->ColumnHeaderText(position, out) : status::kOk;
}

void CZOLListViewMgr::SetRowNumberVisible(bool visible) {
    if (CMyListCtrl* list = CurrentList()) {
        list->SetRowNumberVisible(visible);
    }
}

bool CZOLListViewMgr::RowNumberVisible() const {
    const CMyListCtrl* list = CurrentList();
    return list != nullptr ? list->RowNumberVisible() : true;
}

void CZOLListViewMgr::SetRowNumberWidth(int list, int width) {
    (list == 1 ? songList_ : fileList_).SetRowNumberWidth(width);
}

int CZOLListViewMgr::CatalogueFieldId(int index) const {
    const auto rows = CatalogueRows(CatalogueOfMode());
    return (index >= 0 && static_cast<size_t>(index) < rows.size())
               ? rows[static_cast<size_t>(index)].id
               : kFieldNone;
}

std::string CZOLListViewMgr::CatalogueHeader(int index) const {
    const auto rows = CatalogueRows(CatalogueOfMode());
    return (index >= 0 && static_cast<size_t>(index) < rows.size())
               ? Translate(rows[static_cast<size_t>(index)].header)
               : std::string();
}

bool CZOLListViewMgr::CatalogueSelectable(int index) const {
    const auto rows = CatalogueRows(CatalogueOfMode());
    return index >= 0 && static_cast<size_t>(index) < rows.size() &&
           rows[static_cast<size_t>(index)].offeredAsColumn != 0;
}

int CZOLListViewMgr::FieldIdOfHeader(std::string_view header) const {
    return FieldIdByHeader(header, CatalogueOfMode());
}

long CZOLListViewMgr::GoToLine(long lineNumber, long firstVisibleRow) {
    CMyListCtrl* list = CurrentList();
    return list != nullptr ? list->GoToLine(lineNumber, firstVisibleRow) : -1;
}

long CZOLListViewMgr::GoToNextSelectedLine(long lastVisibleRow) {
    CMyListCtrl* list = CurrentList();
    return list != nullptr ? list->GoToNextSelectedLine(lastVisibleRow) : -1;
}

long CZOLListViewMgr::GoToPreviousSelectedLine(long firstVisibleRow) {
    CMyListCtrl* list = CurrentList();
    return list != nullptr ? list->GoToPreviousSelectedLine(firstVisibleRow) : -1;
}

long CZOLListViewMgr::TypeAhead(int character) {
    CMyListCtrl* list = CurrentList();
    return list != nullptr ? list->TypeAhead(character) : -1;
}

SortStateValues CZOLListViewMgr::GetSortState() const {
    const CMyListCtrl* list = CurrentList();
    return list != nullptr ? list->GetSortState() : SortStateValues{};
}

void CZOLListViewMgr::SetSortState(const SortStateValues& values) {
    if (CMyListCtrl* list = CurrentList()) {
        list->SetSortState(values);
    }
}

void CZOLListViewMgr::SortByColumn(int column, bool addAsSecondary) {
    if (CMyListCtrl* list = CurrentList()) {
        list->SortByColumn(column, addAsSecondary);
    }
}

void CZOLListViewMgr::RedrawRow(long row) {
    if (CMyListCtrl* list = CurrentList()) {
        list->RedrawRow(row);
    }
}

void CZOLListViewMgr::SetFontHeight(int height) {
    fileList_.SetFontHeight(height);
    songList_.SetFontHeight(height);
}

void CZOLListViewMgr::ClearFilterOfView() {
    (viewMode_ == Songs ? SongFilterDialog() : StyleFilterDialog()).Clear();
    ForceRebuild(true, nullptr, false);
}

void CZOLListViewMgr::ClearAllFilters() {
    StyleFilterDialog().Clear();
    SongFilterDialog().Clear();
    ForceRebuild(true, nullptr, false);
}

void CZOLListViewMgr::SetDuplicatesMode(int mode) {
    if (SetFilterDuplicatesMode(mode)) {
        ForceRebuild(true, nullptr, false);
    }
}

long CZOLListViewMgr::KeepSelectedFileRows(std::string_view workingText,
                                           const FileRowSelector& select) {
    if (viewMode_ == Songs) {
        NUV_INFO("%s", Translate("This function is not available in this mode").c_str());
        return -1;
    }
    CMyListCtrl* list = CurrentList();
    if (list == nullptr || !select) {
        return -1;
    }
    list->WriteStatusText(std::string(workingText));
    std::vector<FileRowName> rows;
    rows.reserve(static_cast<size_t>(list->RowCount()));
    for (long row = 0; row < list->RowCount(); ++row) {
        const StyleDataPacket* record = list->StyleRecordOfRow(row);
        rows.push_back({record->Text(kFieldPath), record->Text(kFieldFilename)});
    }
    const std::optional<std::vector<size_t>> kept = select(rows);
    if (!kept) {
        return -1;
    }
    list->KeepOnlyRows(*kept);
    list->Display().TakeFocus();
    return list->RowCount();
}

}  // namespace kelvane

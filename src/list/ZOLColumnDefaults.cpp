#include "list/ZOLColumnDefaults.h"

#include <algorithm>

#include "list/ZOLListViewMgr.h"
#include "platform/SettingsStore.h"
#include "support/NUVLang.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

struct ColumnSections {
    std::string columns;
    std::string widths;
    std::string countKey;
};

// The sections of the defaults, or (`last`) of the layout the program closed with.
ColumnSections SectionsOf(ListKind kind, bool last = false) {
    ColumnSections sections;
    if (kind == ListKind::Songs) {
        sections = {"SubColumns", "SubColumnsWidth", "NrOfDefinedDefaultSubColumns"};
    } else if (IsStyleMode()) {
        sections = {"Columns", "ColumnsWidth", "NrOfDefinedDefaultColumns"};
    } else {
        sections = {"ColumnsMidi", "ColumnsMidiWidth", "NrOfDefinedDefaultColumns"};
    }
    if (last) {
        sections.columns = "Last" + sections.columns;
        sections.widths = "Last" + sections.widths;
    }
    return sections;
}

bool HasLastLayout(ListKind kind, IColumnSettingsStore& store) {
    const ColumnSections last = SectionsOf(kind, true);
    return store.ReadInt(last.columns, last.countKey, 0) > 0;
}

std::string ColumnKey(int number) {
    return "DefaultColumn" + std::to_string(number);
}

void LoadListColumns(CMyListCtrl& list, IColumnSettingsStore& store) {
    const bool last = HasLastLayout(list.Kind(), store);
    const ColumnSections sections = SectionsOf(list.Kind(), last);
    const int count =
        std::min(store.ReadInt(sections.columns, sections.countKey, 0), kStoredColumnLimit);
    if (count <= 0) {
        for (int fieldId : BuiltInColumns(list.Kind())) {
            list.AppendDefinition(fieldId, -1);
        }
        return;
    }
    if (last) {
        SortStateValues sort;  // both keys as they were, song title (field 0) included
        sort.primaryField = store.ReadInt(sections.columns, "DefaultSortedColumnId", -1);
        sort.secondaryField = store.ReadInt(sections.columns, "DefaultSubSortedColumnId", -1);
        sort.primaryAscending = store.ReadInt(sections.columns, "DefaultSortOrderAscending", 0);
        sort.secondaryAscending =
            store.ReadInt(sections.columns, "DefaultSubSortOrderAscending", 0);
        list.SetSortKeys(sort);
    } else if (list.Kind() == ListKind::Files) {
        SortStateValues sort;
        sort.primaryField = store.ReadInt(sections.columns, "DefaultSortedColumnId", 0);
        sort.secondaryField = store.ReadInt(sections.columns, "DefaultSubSortedColumnId", 0);
        sort.primaryAscending = store.ReadInt(sections.columns, "DefaultSortOrderAscending", 0);
        sort.secondaryAscending =
            store.ReadInt(sections.columns, "DefaultSubSortOrderAscending", 0);
        list.SetSortState(sort);
    }
    for (int number = 1; number <= count; ++number) {
        const std::string header = store.ReadText(sections.columns, ColumnKey(number), "");
        const int fieldId = FieldIdByHeader(Translate(header), list.Catalogue());
        if (header.empty() || fieldId == kFieldNone) {
            continue;  // a field this version no longer has
        }
        list.AppendDefinition(fieldId, store.ReadInt(sections.widths, ColumnKey(number), -1));
    }
}

class SettingsStoreColumns final : public IColumnSettingsStore {
  public:
    std::string ReadText(const std::string& section, const std::string& key,
                         const std::string& fallback) override {
        return SettingsStore().ReadText(section, key, fallback);
    }
    int ReadInt(const std::string& section, const std::string& key, int fallback) override {
        return SettingsStore().ReadInt(section, key, fallback);
    }
    StatusCode WriteText(const std::string& section, const std::string& key,
                         const std::string& value) override {
        return SettingsStore().WriteText(section, key, value);
    }
    StatusCode WriteInt(const std::string& section, const std::string& key, int value) override {
        return SettingsStore().WriteInt(section, key, value);
    }
};

}  // namespace

IColumnSettingsStore& ProgramColumnSettings() {
    static SettingsStoreColumns store;
    return store;
}

bool ColumnAutoresizeOn() {
    return Config().columnAutoresize == 1;
}

void SetColumnAutoresize(bool on) {
    Config().columnAutoresize = on ? 1 : 0;
}

std::vector<int> BuiltInColumns(ListKind kind) {
    if (kind == ListKind::Songs) {
        return {kSongFieldTitle, kSongFieldGenre,   kSongFieldKeyword1,      kSongFieldKeyword2,
                kSongFieldTempo, kSongFieldTimeSig, kSongFieldStyleFilename, kSongFieldStylePath};
    }
    if (IsStyleMode()) {
        return {kFieldFilename, kFieldStyleName, kFieldStyleType, kFieldStyleSubtype,
                kFieldTimeSig,  kFieldTempo,     kFieldFilesize};
    }
    return {kFieldFilename,   kFieldMidiInfo, kFieldMidiType, kFieldLyrics, kFieldKaraoke,
            kFieldMidiLength, kFieldTempo,    kFieldErrors,   kFieldPath};
}

StatusCode LoadColumnDefaults(CZOLListViewMgr& manager, IColumnSettingsStore& store) {
    const ColumnSections files = SectionsOf(ListKind::Files, HasLastLayout(ListKind::Files, store));
    const int autoresize = store.ReadInt(files.columns, "DefaultColumnAutoresize", -1);
    SetColumnAutoresize(autoresize == 1);
    std::vector<CMyListCtrl*> lists = {&manager.FileList()};
    if (IsStyleMode()) {
        lists.push_back(&manager.SongList());
    }
    for (CMyListCtrl* list : lists) {
        const ColumnSections sections =
            SectionsOf(list->Kind(), HasLastLayout(list->Kind(), store));
        const int rowNumberWidth = store.ReadInt(sections.widths, "DefaultColumnRowNr", -1);
        if (rowNumberWidth != -1) {
            list->SetRowNumberWidth(rowNumberWidth);
        }
        list->Suspend();
        list->ClearDefinitions();
        LoadListColumns(*list, store);
    }
    manager.ResumeBothDisplays();
    return manager.BuildColumnsOfBoth(false);
}

namespace {

StatusCode StoreLayout(const CMyListCtrl& list, const std::vector<int>& fields, bool storeSortOrder,
                       const ColumnSections& sections, const std::string& autoresizeSection,
                       IColumnSettingsStore& store) {
    StatusCode result = status::kOk;
    const auto keep = [&](StatusCode code) {
        if (result == status::kOk) {
            result = code;
        }
    };
    std::vector<const ListColumn*> shown;  // the shown columns without "Nr"
    int rowNumberWidth = kHiddenRowNumberWidth;
    for (int position = 0; position < list.ColumnCount(); ++position) {
        const ListColumn* column = list.Column(position);
        if (column->fieldId == kFieldRowNumber) {
            rowNumberWidth = column->width;
        } else {
            shown.push_back(column);
        }
    }
    int written = 0;
    for (size_t place = 0; place < fields.size(); ++place) {
        const char* header = FieldHeader(fields[place], list.Catalogue());
        if (header == nullptr || fields[place] == kFieldRowNumber) {
            continue;
        }
        const bool live = place < shown.size() && shown[place]->fieldId == fields[place];
        const int width = live ? shown[place]->width : list.ColumnWidth(-1, fields[place]);
        ++written;
        keep(store.WriteText(sections.columns, ColumnKey(written), header));
        keep(store.WriteInt(sections.widths, ColumnKey(written), width));
    }
    keep(store.WriteInt(sections.columns, sections.countKey, written));
    keep(store.WriteInt(sections.widths, "DefaultColumnRowNr", rowNumberWidth));
    const SortStateValues sort = list.GetSortState();
    if (storeSortOrder) {
        keep(store.WriteInt(sections.columns, "DefaultSortedColumnId", sort.primaryField));
        keep(store.WriteInt(sections.columns, "DefaultSubSortedColumnId", sort.secondaryField));
        keep(store.WriteInt(sections.columns, "DefaultSortOrderAscending", sort.primaryAscending));
        keep(store.WriteInt(sections.columns, "DefaultSubSortOrderAscending",
                            sort.secondaryAscending));
    } else {
        keep(store.WriteInt(sections.columns, "DefaultSortedColumnId", -1));
        keep(store.WriteInt(sections.columns, "DefaultSubSortedColumnId", -1));
    }
    keep(
        store.WriteInt(autoresizeSection, "DefaultColumnAutoresize", ColumnAutoresizeOn() ? 1 : 0));
    return result;
}

}  // namespace

StatusCode StoreColumnDefaults(const CMyListCtrl& list, const std::vector<int>& fields,
                               bool storeSortOrder, IColumnSettingsStore& store) {
    return StoreLayout(list, fields, storeSortOrder, SectionsOf(list.Kind()),
                       SectionsOf(ListKind::Files).columns, store);
}

StatusCode StoreLastLayout(CZOLListViewMgr& manager, IColumnSettingsStore& store) {
    std::vector<const CMyListCtrl*> lists = {&manager.FileList()};
    if (IsStyleMode()) {
        lists.push_back(&manager.SongList());
    }
    StatusCode result = status::kOk;
    for (const CMyListCtrl* list : lists) {
        std::vector<int> fields;
        for (int position = 0; position < list->ColumnCount(); ++position) {
            if (list->FieldIdOfColumn(position) != kFieldRowNumber) {
                fields.push_back(list->FieldIdOfColumn(position));
            }
        }
        const StatusCode stored = StoreLayout(*list, fields, true, SectionsOf(list->Kind(), true),
                                              SectionsOf(ListKind::Files, true).columns, store);
        result = result == status::kOk ? stored : result;
    }
    return result;
}

void ToggleRowNumberColumn(CZOLListViewMgr& manager) {
    CMyListCtrl* list = manager.CurrentList();
    if (list == nullptr) {
        return;
    }
    list->SetRowNumberVisible(!list->RowNumberVisible());
    list->RecreateDefinitionsFromHeader();
    list->BuildColumns(true);
}

}  // namespace kelvane

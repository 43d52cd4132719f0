// Column defaults in the settings store ("Columns" / "ColumnsMidi" / "SubColumns" and their
// width sections), the built-in columns of each mode, and the menu toggles for automatic
// widths and the row-number column.
#pragma once

#include <string>
#include <vector>

#include "list/ZOLListTypes.h"
#include "support/NUVStatus.h"

namespace kelvane {

class CMyListCtrl;
class CZOLListViewMgr;

// The part of the settings store the column defaults use. Write functions return 0 or a
// status.
class IColumnSettingsStore {
  public:
    virtual ~IColumnSettingsStore() = default;
    virtual std::string ReadText(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) = 0;
    virtual int ReadInt(const std::string& section, const std::string& key, int defaultValue) = 0;
    virtual StatusCode WriteText(const std::string& section, const std::string& key,
                                 const std::string& value) = 0;
    virtual StatusCode WriteInt(const std::string& section, const std::string& key, int value) = 0;
};

// The program's settings store seen through this interface.
IColumnSettingsStore& ProgramColumnSettings();

inline constexpr int kStoredColumnLimit = 20;
inline constexpr int kHiddenRowNumberWidth = 40;

// Automatic column widths ("DefaultColumnAutoresize"; the menu toggles it).
bool ColumnAutoresizeOn();
void SetColumnAutoresize(bool on);

// The built-in columns of a list in the run mode.
std::vector<int> BuiltInColumns(ListKind kind);

// At start, after the lists exist: automatic widths, row-number widths, the stored columns
// (the last layout, else the defaults, else the built-in ones) and the file list's sort state; then
// builds the columns of both lists.
StatusCode LoadColumnDefaults(CZOLListViewMgr& manager, IColumnSettingsStore& store);

// "Set as Default" for `list`: the fields of the drop-down lists in order (99 for a list naming
// no field), written (numbered without gaps, headers
// untranslated) with their widths, the row-number width (40 when hidden), the sort values
// (or -1 for both ids without `storeSortOrder`) and the automatic-width flag.
StatusCode StoreColumnDefaults(const CMyListCtrl& list, const std::vector<int>& fields,
                               bool storeSortOrder, IColumnSettingsStore& store);

// The layout in force when the program closes, kept per run mode beside the defaults (sections
// "LastColumns", "LastColumnsMidi", "LastSubColumns" and their width sections): the shown
// columns in their order with their widths, the row-number width, both sort keys and automatic
// widths. LoadColumnDefaults prefers it to the defaults of "Set as Default".
StatusCode StoreLastLayout(CZOLListViewMgr& manager, IColumnSettingsStore& store);

// "View Row Number": toggles the row-number column of the list on screen and rebuilds its
// columns from the current header order, so order and widths stay.
void ToggleRowNumberColumn(CZOLListViewMgr& manager);

}  // namespace kelvane

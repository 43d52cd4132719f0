// Columns switched one at a time: the checkable list of the header's context menu, and the
// Filepath column that the duplicates views show while they are on.
#pragma once

#include <string>
#include <vector>

#include "support/NUVStatus.h"

namespace kelvane {

class CMyListCtrl;

// One selectable field of the list's catalogue, as the Columns dialog offers it.
struct ColumnToggle {
    int fieldId = 0;
    std::string header;  // translated
    bool shown = false;
};

// Every field the Columns dialog offers for the list, in its order, with whether it is shown.
std::vector<ColumnToggle> ColumnToggles(const CMyListCtrl& list);

// Shows the field as the last column, or hides its column. The other columns keep their order
// and widths, and the selection stays. 0, or the status of a list that is full (21 columns).
StatusCode ToggleColumn(CMyListCtrl& list, int fieldId);

// The duplicates views name the folder of each file: on entering one (`duplicatesOn`) the
// Filepath column is appended when missing; on leaving, a column appended that way
// (`addedBefore`) is taken away again. Returns whether the column is now one added here.
bool FollowDuplicatesView(CMyListCtrl& list, bool duplicatesOn, bool addedBefore);

}  // namespace kelvane

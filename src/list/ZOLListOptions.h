// The list options of the command-line tool, parsed into one value and applied to the list
// view manager:
//
//   --sort KEY[:desc][,KEY[:desc]]   primary and optional secondary key (ascending unless :desc)
//   --columns KEY,KEY,...            the columns, in order (at most 21)
//   --filter KEY=EXPRESSION          one filter input (repeatable; the filter language)
//   --quick TEXT                     the quick search
//   --show all|unique-files|duplicate-files|unique-scores|related-scores
//
// KEY is a field key of the catalogue of the list shown (style or midi keys for the file list,
// song keys for the song list), in any letter case. Sort keys that are not among the columns
// are added as columns, since only shown columns sort.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "list/ZOLListTypes.h"

namespace kelvane {

class CZOLListViewMgr;

struct ListSortKey {
    int fieldId = kFieldNone;
    bool descending = false;
};

struct ListCliOptions {
    std::vector<ListSortKey> sort;
    std::vector<int> columns;
    std::vector<std::pair<int, std::string>> filters;
    std::optional<std::string> quick;
    int show = -1;  // duplicates mode; -1 leaves it
};

bool IsListOption(std::string_view name);

// Parses one option and its value for the given view. On failure returns -3 and puts the
// reason into `error`.
StatusCode ParseListOption(std::string_view name, std::string_view value, ViewMode view,
                           ListCliOptions& options, std::string& error);

// Columns, filter inputs, duplicates mode and sort state, then a rebuild with re-sorting. A
// filter that does not parse returns its status; its message has been shown, `error` names
// the option.
StatusCode ApplyListOptions(const ListCliOptions& options, CZOLListViewMgr& manager,
                            std::string& error);

}  // namespace kelvane

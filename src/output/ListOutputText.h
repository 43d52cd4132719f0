// What an output of the list (the RTF document, the printed pages) says about the list besides
// its rows: whether it shows songs, the start folder of the last read and the list's filter
// text. The desktop and kelvane-cli both take it from the list shown.
#pragma once

#include <string>

namespace kelvane {

class CZOLListViewMgr;

struct ListOutputText {
    bool songs = false;
    std::string startFolder;  // ends with "/"
    std::string filterText;   // empty when no filter is in force
};

ListOutputText ShownListText(const CZOLListViewMgr& manager);

}  // namespace kelvane

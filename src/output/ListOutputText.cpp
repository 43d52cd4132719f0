#include "output/ListOutputText.h"

#include "list/ZOLListViewMgr.h"
#include "scan/ZOLScanState.h"

namespace kelvane {

ListOutputText ShownListText(const CZOLListViewMgr& manager) {
    ListOutputText text;
    text.songs = manager.CurrentViewMode() == Songs;
    text.startFolder = ScanState().currentStartFolder;
    if (const CMyListCtrl* shown = manager.CurrentList()) {
        text.filterText = shown->FilterText();
    }
    return text;
}

}  // namespace kelvane

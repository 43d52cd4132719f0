#include "fileops/ZOLCdromTest.h"

#include "fileops/ZOLCdromCompat.h"
#include "fileops/ZOLFileOpPrompts.h"
#include "list/ZOLListViewMgr.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "support/NUVTrace.h"
#include "support/NUVUserInterface.h"

namespace kelvane {
namespace {

constexpr int kDialogOk = 1;  // the dialog's return codes, as traced
constexpr int kDialogCancel = 2;

}  // namespace

long CdromCompatibilityTestCommand(const std::string& startFolder) {
    CZOLListViewMgr& list = ListViewMgr();
    if (list.CurrentViewMode() == Songs) {
        NUV_INFO("%s", Translate("This function is not available in this mode").c_str());
        return -1;
    }
    const std::optional<CdromCompatChoice> choice = FileOpPrompts().CdromTestChoice();
    TraceFormat(trace::kDebug, true, "%s %d", "ZOLCdromCompDlg return",
                choice ? kDialogOk : kDialogCancel);
    if (!choice) {
        return -1;
    }
    const long found = list.KeepSelectedFileRows(
        Translate(kCdromWorkingText), [&](std::span<const CdromCompatRow> rows) {
            return FindCdromIncompatibleRows(startFolder, *choice, rows);
        });
    if (found >= 0) {
        SetStatusPaneText(0, CdromCompatStatusText(found));
    }
    return found;
}

}  // namespace kelvane

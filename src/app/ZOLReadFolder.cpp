#include "app/ZOLReadFolder.h"

#include "app/ZOLRefresh.h"
#include "list/ZOLListViewMgr.h"
#include "scan/ZOLScanJob.h"
#include "scan/ZOLScanState.h"
#include "scan/ZOLWorkThread.h"
#include "support/NUVFileInfo.h"
#include "support/NUVLang.h"
#include "support/NUVPath.h"
#include "support/NUVUserInterface.h"

namespace kelvane {
namespace {

// Installs a progress host for one scan and puts the previous one back.
class ScopedProgressHost {
  public:
    explicit ScopedProgressHost(IProgressHost& host) : previous_(&ProgressHost()) {
        SetProgressHost(&host);
    }
    ~ScopedProgressHost() { SetProgressHost(previous_); }
    ScopedProgressHost(const ScopedProgressHost&) = delete;
    ScopedProgressHost& operator=(const ScopedProgressHost&) = delete;

  private:
    IProgressHost* previous_;
};

}  // namespace

StatusCode ReadFolderTree(const std::string& folderText, bool withSubfolders, RefreshKind kind,
                          IProgressHost& host) {
    const std::string folder = WithSlash(folderText);
    if (const StatusCode checked = CheckRefreshFolder(folder); checked != status::kOk) {
        return checked;
    }
    SetStatusPaneText(0, ReadingStatusText());
    CZOLListViewMgr& manager = ListViewMgr();
    manager.ClearBothLists();
    StartReadTiming();

    ScanStateValues& state = ScanState();
    state.forceReanalysis = kind == RefreshKind::SoftRescan ? 1 : 0;
    state.ignoreDataFiles = kind == RefreshKind::HardRescan ? 1 : 0;
    StatusCode scanStatus = 0;
    StatusCode started = 0;
    {
        ScopedProgressHost scoped(host);
        started = RunScan(folder, withSubfolders ? 1 : 0, &scanStatus);
    }
    state.forceReanalysis = 0;
    state.ignoreDataFiles = 0;

    SetStatusPaneText(0, Translate("Preparing list..."));
    manager.SetCurrentFolder(folder, withSubfolders);
    manager.ForceRebuild(true, nullptr, false);
    if (scanStatus == status::kAbortedByUser) {
        SetStatusPaneText(0, Translate("Aborted"));
        state.abortFlag.store(0);
    }
    ShowReadRate(static_cast<std::size_t>(manager.RowCount()));
    return started != 0 ? started : scanStatus;
}

}  // namespace kelvane

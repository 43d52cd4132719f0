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
#include "support/ZOLConfigValues.h"

namespace kelvane {

ScanOptions ScanOptionsFor(RefreshKind kind) {
    ScanOptions options;
    options.reanalyse = kind == RefreshKind::SoftRescan;
    options.ignoreDataFiles = kind == RefreshKind::HardRescan;
    options.alwaysUseFastAccess = ScanState().alwaysUseFastAccess != 0;
    options.workers = Config().scanWorkers;
    return options;
}

StatusCode ReadFolderTree(const std::string& folderText, bool withSubfolders, RefreshKind kind,
                          IProgressHost& host) {
    return ReadFolderTree(folderText, withSubfolders, ScanOptionsFor(kind), host);
}

StatusCode ReadFolderTree(const std::string& folderText, bool withSubfolders,
                          const ScanOptions& options, IProgressHost& host) {
    const std::string folder = WithSlash(folderText);
    if (const StatusCode checked = CheckRefreshFolder(folder); checked != status::kOk) {
        return checked;
    }
    SetStatusPaneText(0, ReadingStatusText());
    CZOLListViewMgr& manager = ListViewMgr();
    manager.ClearBothLists();
    StartReadTiming();

    StatusCode scanStatus = 0;
    const StatusCode started = RunScan(host, folder, withSubfolders ? 1 : 0, options, &scanStatus);

    SetStatusPaneText(0, Translate("Preparing list..."));
    manager.SetCurrentFolder(folder, withSubfolders);
    manager.ForceRebuild(true, nullptr, false);
    if (scanStatus == status::kAbortedByUser) {
        SetStatusPaneText(0, Translate("Aborted"));
        ScanState().abortFlag.store(0);
    }
    ShowReadRate(static_cast<std::size_t>(manager.RowCount()));
    return started != 0 ? started : scanStatus;
}

}  // namespace kelvane

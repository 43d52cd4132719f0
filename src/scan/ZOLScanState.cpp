#include "scan/ZOLScanState.h"

#include "support/NUVFormat.h"
#include "support/NUVUserInterface.h"

namespace kelvane {

ScanStateValues& ScanState() {
    static ScanStateValues state;
    return state;
}

void ResetScanState() {
    ScanStateValues& state = ScanState();
    state.abortFlag.store(0);
    state.treeComplete = 0;
    state.foreignFields = 0;
    state.readOnlyMedium = 0;
    state.analyserReferenceTime = 0;
    state.scanStartTime = 0;
    state.fileCounter = 0;
    state.lastStartFolder.clear();
    state.currentStartFolder.clear();
    state.includeSubfolders = 0;
    state.firstScanOfRunDone = false;
    state.writingDisabled = 0;
    state.alwaysUseFastAccess = 0;
    state.lastExportFile.clear();
    state.lastImportFile.clear();
    state.readStart = {};
}

void CountScannedFile() {
    ScanStateValues& state = ScanState();
    ++state.fileCounter;
    if (state.fileCounter % 10 == 0) {
        SetStatusPaneText(1, StrFormat("%ld", state.fileCounter));
    }
}

}  // namespace kelvane

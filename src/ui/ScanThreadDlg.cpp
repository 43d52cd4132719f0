#include "ui/ScanThreadDlg.h"

#include "support/NUVLang.h"
#include "support/ZOLRunMode.h"
#include "ui/ZOLWorkThreadDlg.h"

namespace kelvane {

std::string ScanDialogTitle() {
    return Translate(IsStyleMode() ? "Reading Style Data" : "Reading Midi Data");
}

std::string ScanDialogInformation() {
    return Translate(IsStyleMode()
                         ? "Reading style data for the first time may take a long time depending "
                           "of the number of styles.\n\nSo please be patient.\n\nSubsequent reads "
                           "will be much quicker, even if the program is restarted."
                         : "Reading midi data for the first time may take a long time depending "
                           "of the number of midi files.\n\nSo please be patient.\n\nSubsequent "
                           "reads will be much quicker, even if the program is restarted.");
}

StatusCode RunScanDialog(QWidget* parent, WorkJobFunction scan) {
    CZOLWorkThreadDlg dialog(parent, ScanDialogTitle(), ScanDialogInformation(), std::move(scan));
    return dialog.Run();
}

}  // namespace kelvane

#include "ui/ProgramCommands.h"

#include "analysis/ZOLMidi.h"
#include "analysis/ZOLTweak.h"
#include "platform/SettingsStore.h"
#include "scan/ZOLScanState.h"
#include "support/NUVConfig.h"
#include "support/NUVConfigEdit.h"
#include "support/NUVDbg.h"
#include "support/NUVFileInfo.h"
#include "support/NUVFileOps.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVTrace.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"
#include "ui/AboutDlg.h"
#include "ui/MainFrm.h"
#include "ui/NavigationCommands.h"
#include "ui/NuvQtText.h"
#include "ui/ZOLAppUi.h"
#include "ui/ZOLSettingsSheetDlg.h"
#include "ui/ZOLWorkThreadDlg.h"

namespace kelvane {

ProgramCommands::ProgramCommands(QWidget& parent, CMainFrame& frame, NavigationCommands& navigation,
                                 std::function<void()> settingsApplied,
                                 std::function<void(ViewCommand)> run)
    : parent_(parent),
      frame_(frame),
      navigation_(navigation),
      settingsApplied_(std::move(settingsApplied)),
      run_(std::move(run)) {}

void ProgramCommands::OnSettings() {
    NUV_DEBUG("%s", "OnEditSettings pressed");
    CZOLSettingsSheetDlg sheet(&parent_);
    if (sheet.exec() == QDialog::Accepted) {
        settingsApplied_();
        frame_.UpdateMenuTexts();
    }
}

void ProgramCommands::OnAbout() {
    CAboutDlg about(&parent_);
    about.exec();
}

void ProgramCommands::OnUppercaseShortNames() {
    std::string folder = Config().quickCopyPath;
    EnsureTrailingBackslash(folder);
    WorkJobTexts texts;
    texts.title = Translate("Uppercase Short (8.3) Filenames on ") + Config().quickCopyPath + "/";
    const StatusCode result = RunWorkJobDialog(&parent_, texts, [folder](const std::atomic<int>&) {
        return UpperCaseShortNames(folder + "*.*", false);
    });
    if (result == status::kRenameNoSpace) {
        NUV_INFO("%s", Translate("Cannot rename files because there are too many files on the "
                                 "media.\n\nDelete at least one file, then retry.")
                           .c_str());
    } else if (result != 0 && result != status::kAbortedByUser) {
        NUV_WARNING("%s %d", Translate("Error during uppercase - Error Nr : ").c_str(), result);
    }
}

void ProgramCommands::OnDeveloperCommand(ViewCommand command) {
    switch (command) {
        case ViewCommand::EditCfgFile:
            EditProgramConfigFile();
            break;
        case ViewCommand::EditTraceFile:
            OpenInEditor(TraceFilePath());
            break;
        case ViewCommand::Test1:
            if (SettingsStore().WriteText("Global", "Language",
                                          Lang().CurrentLanguageShortName()) != 0) {
                TraceFormat(trace::kAlways, true, "%s %s %s", "Error - Cannot store setting - ",
                            "Global", "Language");
            }
            break;
        case ViewCommand::Test2:
            run_(ViewCommand::ClearFilter);
            break;
        case ViewCommand::NewSettings:
            OnSettings();
            break;
        case ViewCommand::TraceAllSysex:
            OnTraceAllSysex();
            break;
        case ViewCommand::AlwaysUseFastAccess:
            ScanState().alwaysUseFastAccess = ScanState().alwaysUseFastAccess != 0 ? 0 : 1;
            break;
        case ViewCommand::SpecialInfo:
            OnSpecialInfo();
            break;
        default:
            break;
    }
}

void ProgramCommands::OnTraceAllSysex() {
    SetTraceAllSysex(true);
    TraceOn(trace::kDebug);
    // The files are analysed again only for the trace: their data files stay as they are.
    ScanState().writingDisabled = 1;
    navigation_.Refresh(RefreshKind::SoftRescan);
}

void ProgramCommands::OnSpecialInfo() {
    ShowBox(StrFormat("%s %zu", Translate("Max. used tweak data entries:").c_str(),
                      CZOLTweak::MaxUsedOfRun()),
            BoxIcon::Information);
}

}  // namespace kelvane

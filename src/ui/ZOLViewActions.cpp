// The command functions of the main view: RunCommand's own cases (frame, help, settings,
// refresh variants, developer menu); the list's, the files' and the outputs' commands have
// their own files (ZOLViewList.cpp, ZOLViewFiles.cpp, ZOLViewOutput.cpp).
#include <QComboBox>
#include <QLineEdit>
#include <QStatusBar>

#include "analysis/ZOLMidi.h"
#include "analysis/ZOLTweak.h"
#include "app/ZOLHelpTopics.h"
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
#include "ui/DlgGetPath.h"
#include "ui/MainFrm.h"
#include "ui/NuvQtText.h"
#include "ui/ZOLAppUi.h"
#include "ui/ZOLSettingsSheetDlg.h"
#include "ui/ZOLView.h"
#include "ui/ZOLWorkThreadDlg.h"

namespace kelvane {

void CZOLView::RunCommand(ViewCommand command) {
    lastCommand_ = command;
    TraceFormat(trace::kDebug, true, "%s %s", "Command :", CommandName(command));
    if (!CommandEnabled(command, ViewContext{RunMode(), frame_.SongView()})) {
        return;  // absent in this mode, or greyed for the list shown
    }
    using C = ViewCommand;
    switch (command) {
        case C::OpenFolder:
            OnOpenFolder();
            break;
        case C::Exit:
            frame_.close();
            break;
        case C::Undo:
        case C::Cut:
        case C::CopyText:
        case C::Paste:
            OnEditText(command);
            break;
        case C::Settings:
            OnSettings();
            break;
        case C::StatusBar:
            frame_.statusBar()->setHidden(!frame_.statusBar()->isHidden());
            break;
        case C::Refresh:
        case C::SoftRescan:
        case C::HardRescan:
            Refresh(command == C::Refresh      ? RefreshKind::Normal
                    : command == C::SoftRescan ? RefreshKind::SoftRescan
                                               : RefreshKind::HardRescan);
            break;
        case C::HardRefresh:
            OnHardRefresh();
            break;
        case C::TraceLevel1000:
            TraceOn(trace::kScan);
            break;
        case C::HelpTopics:
        case C::HelpQuickStart:
            OnHelp(command == C::HelpTopics ? help::kTopics : help::kQuickStart);
            break;
        case C::About:
            OnAbout();
            break;
        case C::UppercaseShortNames:
            OnUppercaseShortNames();
            break;
        case C::TraceAllSysex:
        case C::NewSettings:
        case C::EditCfgFile:
        case C::EditTraceFile:
        case C::Test1:
        case C::Test2:
        case C::AlwaysUseFastAccess:
        case C::SpecialInfo:
            OnDeveloperCommand(command);
            break;
        default:
            // The recent folders are a submenu of their own and no command.
            if (!RunListCommand(command) && !RunFileCommand(command)) {
                RunOutputCommand(command);
            }
            break;
    }
}

void CZOLView::OnOpenFolder() {
    std::string start = Config().startPath;
    NormaliseFolder(start);
    CDlgGetPath dialog(this, Translate("Browse for Folder"), start);
    if (dialog.exec() != QDialog::Accepted) {
        NUV_DEBUG("%s %d", "CommDlgExtendedError return", 0);
        return;
    }
    OpenFolder(dialog.Folder());
}

void CZOLView::OnEditText(ViewCommand command) {
    QLineEdit* edit = pathBox_->lineEdit();
    switch (command) {
        case ViewCommand::Undo:
            edit->undo();
            break;
        case ViewCommand::Cut:
            edit->cut();
            break;
        case ViewCommand::CopyText:
            edit->copy();
            break;
        default:
            edit->paste();
            break;
    }
}

void CZOLView::OnSettings() {
    NUV_DEBUG("%s", "OnEditSettings pressed");
    CZOLSettingsSheetDlg sheet(this);
    if (sheet.exec() == QDialog::Accepted) {
        ApplyListFontSize(Config().listViewFontSize);
        frame_.UpdateMenuTexts();
    }
}

void CZOLView::OnHardRefresh() {
    if (ShowBox(HardRefreshQuestion(), BoxIcon::Question, BoxButtons::YesNo, BoxAnswer::No) ==
        BoxAnswer::Yes) {
        Refresh(RefreshKind::SoftRescan);
    }
}

void CZOLView::OnHelp(const char* page) {
    OpenHelpPage(page);
}

void CZOLView::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CZOLView::OnUppercaseShortNames() {
    std::string folder = Config().quickCopyPath;
    EnsureTrailingBackslash(folder);
    WorkJobTexts texts;
    texts.title = Translate("Uppercase Short (8.3) Filenames on ") + Config().quickCopyPath + "/";
    const StatusCode status = RunWorkJobDialog(this, texts, [folder](const std::atomic<int>&) {
        return UpperCaseShortNames(folder + "*.*", false);
    });
    constexpr StatusCode kNoDirectoryRoom = -140;  // the rename found no room in the folder
    if (status == kNoDirectoryRoom) {
        NUV_INFO("%s", Translate("Cannot rename files because there are too many files on the "
                                 "media.\n\nDelete at least one file, then retry.")
                           .c_str());
    } else if (status != 0 && status != status::kAbortedByUser) {
        NUV_WARNING("%s %d", Translate("Error during uppercase - Error Nr : ").c_str(), status);
    }
}

void CZOLView::OnDeveloperCommand(ViewCommand command) {
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
            RunCommand(ViewCommand::ClearFilter);
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

void CZOLView::OnTraceAllSysex() {
    SetTraceAllSysex(true);
    TraceOn(trace::kDebug);
    // The files are analysed again only for the trace: their data files stay as they are.
    ScanState().writingDisabled = 1;
    Refresh(RefreshKind::SoftRescan);
}

void CZOLView::OnSpecialInfo() {
    ShowBox(StrFormat("%s %zu", Translate("Max. used tweak data entries:").c_str(),
                      CZOLTweak::MaxUsedOfRun()),
            BoxIcon::Information);
}

}  // namespace kelvane

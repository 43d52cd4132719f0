// The main view's command table: which group runs which command, and with what. Each group's
// Run is defined here rather than beside the group's handlers, so that the whole table reads in
// one place; the handlers themselves stay in the groups' own files.
#include <QStatusBar>

#include "app/ZOLExternalPrograms.h"
#include "app/ZOLHelpTopics.h"
#include "fileops/ZOLCopyMove.h"
#include "fileops/ZOLMdbWriter.h"
#include "fileops/ZOLRenameFile.h"
#include "list/ColumnToggle.h"
#include "list/ZOLColumnDefaults.h"
#include "list/ZOLDuplicateSelection.h"
#include "list/ZOLDuplicatesMode.h"
#include "list/ZOLListTableView.h"
#include "list/ZOLListViewMgr.h"
#include "support/NUVDbg.h"
#include "support/NUVTrace.h"
#include "ui/DetailPaneArea.h"
#include "ui/FileCommands.h"
#include "ui/ListCommands.h"
#include "ui/MainFrm.h"
#include "ui/NavigationCommands.h"
#include "ui/OutputCommands.h"
#include "ui/ProgramCommands.h"
#include "ui/ZOLAppUi.h"
#include "ui/ZOLListArea.h"
#include "ui/ZOLListWidget.h"
#include "ui/ZOLPrintListCtrl.h"

namespace kelvane {
namespace {

int DuplicatesModeOf(ViewCommand command) {
    return static_cast<int>(command) - static_cast<int>(ViewCommand::ShowAllFiles);
}

}  // namespace

bool NavigationCommands::Run(ViewCommand command, const CommandRow*) {
    CZOLListViewMgr& manager = ListViewMgr();
    using C = ViewCommand;
    switch (command) {
        case C::OpenFolder:
            OnOpenFolder();
            return true;
        case C::Refresh:
            Refresh(RefreshKind::Normal);
            return true;
        case C::SoftRescan:
            Refresh(RefreshKind::SoftRescan);
            return true;
        case C::HardRescan:
            Refresh(RefreshKind::HardRescan);
            return true;
        case C::HardRefresh:
            OnHardRefresh();
            return true;
        case C::GotoLineNr:
            OnGotoLine();
            return true;
        case C::GotoNextSelected:
            manager.GoToNextSelectedLine(lists_.Current()->LastFullyVisibleRow());
            return true;
        case C::GotoPreviousSelected:
            manager.GoToPreviousSelectedLine(lists_.Current()->FirstVisibleRow());
            return true;
        case C::SelectAll:
            manager.SelectAll();
            return true;
        case C::SelectDuplicatesOfFolder:
        case C::SelectDuplicatesOfTree:
            OnSelectDuplicates(command == C::SelectDuplicatesOfTree);
            return true;
        case C::SelectAllExceptOne:
            SelectAllExceptOneOfEach(manager);
            return true;
        default:
            return false;
    }
}

bool ListCommands::Run(ViewCommand command, const CommandRow*) {
    CZOLListViewMgr& manager = ListViewMgr();
    using C = ViewCommand;
    switch (command) {
        case C::Filter:
            OnFilter();
            return true;
        case C::ClearFilterAll:
            NUV_DEBUG("%s", "ClearZOLFilterAll called");
            manager.ClearAllFilters();
            return true;
        case C::ClearFilter:
            NUV_DEBUG("%s", "ClearZOLFilter called");
            manager.ClearFilterOfView();
            return true;
        case C::Columns:
            OnColumns();
            return true;
        case C::AutoResizeColumns:
            SetColumnAutoresize(!ColumnAutoresizeOn());
            return true;
        case C::RowNumber:
            ToggleRowNumberColumn(manager);
            return true;
        case C::Statistics:
            OnStatistics();
            return true;
        case C::ShowAllFiles:
        case C::ShowUniqueFiles:
        case C::ShowDuplicateFiles:
        case C::ShowUniqueScores:
        case C::ShowRelatedScores:
            manager.SetDuplicatesMode(DuplicatesModeOf(command));
            pathForDuplicates_ = FollowDuplicatesView(
                manager.FileList(), DuplicatesModeOf(command) != 0, pathForDuplicates_);
            return true;
        case C::ViewStyles:
        case C::ViewSongs:
            ShowSongView(command == C::ViewSongs);
            return true;
        case C::ToggleSongStyle:
            ShowSongView(manager.CurrentViewMode() != Songs);
            return true;
        default:
            return false;
    }
}

bool FileCommands::Run(ViewCommand command, const CommandRow* row) {
    using C = ViewCommand;
    switch (command) {
        case C::MoveSelected:
            MoveSelectedFiles();
            return true;
        case C::CopySelected:
            CopySelectedFiles();
            return true;
        case C::CopyToQuickPath:
            CopySelectedToQuickPath();
            return true;
        case C::MoveToTrash:
            MoveSelectedToTrash();
            return true;
        case C::RenameFile:
            RenameSelectedFile();
            return true;
        case C::CdromCompatTest:
            OnCdromTest();
            return true;
        case C::Modify:
            OnModify();
            return true;
        case C::AddSongFromFilename:
            OnAddSongFromFilename();
            return true;
        case C::WriteMdbRecords:
            WriteMdbRecordsOfSelectedStyles();
            return true;
        case C::Play:
        case C::Play2:
            PlaySelectedFile(command == C::Play ? 1 : 2, builtIn_);
            return true;
        case C::Edit:
        case C::Edit2:
        case C::EditCasm:
            EditSelectedFile(command == C::Edit    ? EditorChoice::Editor1
                             : command == C::Edit2 ? EditorChoice::Editor2
                                                   : EditorChoice::Casm);
            return true;
        case C::Dump:
            DumpSelectedFile();
            return true;
        case C::ExtendedInfo:
        case C::ExtendedMidiInfo:
        case C::ViewOtsInfo:
            OnInfo(command, row);
            return true;
        case C::ExploreFolder:
            OnExploreFolder(row);
            return true;
        default:
            return false;
    }
}

bool OutputCommands::Run(ViewCommand command, const CommandRow*) {
    using C = ViewCommand;
    const CZOLListTableView table(ListViewMgr());
    switch (command) {
        case C::Print:
            print_->Print(&parent_, table);
            return true;
        case C::PrintPreview:
            print_->PrintPreview(&parent_, table);
            return true;
        case C::PageSetup:
            print_->PageSetup(&parent_);
            return true;
        case C::WriteRtf:
            WriteListToRtf();
            return true;
        case C::WriteTableToRtf:
            WriteListToRtf(DeveloperRtfFile());
            return true;
        case C::ExportData:
        case C::ExportCsv:
            OnExport(command == C::ExportCsv);
            return true;
        case C::ImportData:
            OnImport();
            return true;
        case C::ImportDefaultData:
            OnImportDefaultData();
            return true;
        case C::CreateFastAccessData:
            OnCreateFastAccessData();
            return true;
        default:
            return false;
    }
}

bool ProgramCommands::Run(ViewCommand command, const CommandRow*) {
    using C = ViewCommand;
    switch (command) {
        case C::Exit:
            frame_.close();
            return true;
        case C::Settings:
            OnSettings();
            return true;
        case C::StatusBar:
            frame_.statusBar()->setHidden(!frame_.statusBar()->isHidden());
            return true;
        case C::DetailPane:
            frame_.PaneArea()->SetPaneShown(!frame_.PaneArea()->PaneShown());
            return true;
        case C::TraceLevel1000:
            TraceOn(trace::kScan);
            return true;
        case C::HelpTopics:
        case C::HelpQuickStart:
            OpenHelpPage(command == C::HelpTopics ? help::kTopics : help::kQuickStart);
            return true;
        case C::About:
            OnAbout();
            return true;
        case C::UppercaseShortNames:
            OnUppercaseShortNames();
            return true;
        case C::TraceAllSysex:
        case C::NewSettings:
        case C::EditCfgFile:
        case C::EditTraceFile:
        case C::Test1:
        case C::Test2:
        case C::AlwaysUseFastAccess:
        case C::SpecialInfo:
            OnDeveloperCommand(command);
            return true;
        default:
            return false;
    }
}

}  // namespace kelvane

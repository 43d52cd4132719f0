// The main view's commands on the selected files: copy, move, trash, rename, the CD-ROM test,
// modify values and songs, write Music Finder records, the external programs, the information
// dialogs and Explore Folder. The work is the core's; this file opens the dialogs around it.
#include "app/ZOLExternalPrograms.h"
#include "fileops/ZOLCdromTest.h"
#include "fileops/ZOLCopyMove.h"
#include "fileops/ZOLMdbWriter.h"
#include "fileops/ZOLRenameFile.h"
#include "list/ZOLListViewMgr.h"
#include "output/ZOLModify.h"
#include "support/NUVLang.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLConfigValues.h"
#include "ui/MainFrm.h"
#include "ui/NuvInfoDlg.h"
#include "ui/ZOLDialogParts.h"
#include "ui/ZOLModifyDlg.h"
#include "ui/ZOLModifySongDlg.h"
#include "ui/ZOLView.h"

namespace kelvane {
namespace {

// The record of the one selected row; nullptr (after a box) for none or several.
const StyleDataPacket* OneSelectedRecord() {
    CZOLListViewMgr& list = ListViewMgr();
    if (list.SelectedCount() != 1) {
        ShowBox(Translate(list.SelectedCount() == 0 ? "Please select one line"
                                                    : "Please select only one line"));
        return nullptr;
    }
    long cursor = list.FirstSelectedRowNumber();
    return list.StyleRecordOfRow(list.NextSelected(cursor));
}

std::string FullPath(const StyleDataPacket& record) {
    return std::string(record.Text(kFieldPath)) + std::string(record.Text(kFieldFilename));
}

}  // namespace

bool CZOLView::RunFileCommand(ViewCommand command) {
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
            PlaySelectedFile(command == C::Play ? 1 : 2);
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
            OnInfo(command);
            return true;
        case C::ExploreFolder:
            OnExploreFolder();
            return true;
        default:
            return false;
    }
}

void CZOLView::OnCdromTest() {
    WaitCursor wait;
    CdromCompatibilityTestCommand(Config().effectiveStartPath);
}

void CZOLView::OnModify() {
    CZOLListViewMgr& list = ListViewMgr();
    switch (CheckModifyCommand()) {
        case ModifyTarget::None:
            return;
        case ModifyTarget::ModifyDialog: {
            CZOLModifyDlg dialog(this);
            dialog.exec();
            break;
        }
        case ModifyTarget::SongDialog: {
            CZOLModifySongLogic logic;
            RunModifySongDialog(this, logic);
            break;
        }
    }
    TraceModifyLine("ModifyDlg return");
    list.Refresh(true, true);
}

void CZOLView::OnAddSongFromFilename() {
    std::unique_ptr<CZOLModifySongLogic> logic = AddSongFromFilenameCommand();
    if (logic != nullptr && RunModifySongDialog(this, *logic)) {
        ListViewMgr().Invalidate(1);
        ListViewMgr().Refresh(true, true);
    }
}

void CZOLView::OnInfo(ViewCommand command) {
    // The context menu's Extended Info names its row; the developer commands take the
    // selected one.
    const StyleDataPacket* record =
        command == ViewCommand::ExtendedInfo && contextRecord_ != nullptr ? contextRecord_
                                                                          : OneSelectedRecord();
    if (record == nullptr) {
        return;
    }
    const InfoMode mode = command == ViewCommand::ViewOtsInfo ? InfoMode::Ots : InfoMode::Extended;
    CNUVMFCInfoDlg dialog(this, FullPath(*record), record, mode);
    dialog.exec();
}

void CZOLView::OnExploreFolder() {
    if (!contextFolder_.empty()) {
        ExploreFolder(contextFolder_);
        return;
    }
    if (const StyleDataPacket* record = OneSelectedRecord()) {
        ExploreFolder(std::string(record->Text(kFieldPath)));
    }
}

}  // namespace kelvane

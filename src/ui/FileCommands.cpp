#include "ui/FileCommands.h"

#include "fileops/ZOLCdromTest.h"
#include "list/ZOLListViewMgr.h"
#include "output/ZOLModify.h"
#include "platform/Launcher.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLConfigValues.h"
#include "ui/NuvInfoDlg.h"
#include "ui/NuvQtText.h"
#include "ui/ZOLDialogParts.h"
#include "ui/ZOLModifyDlg.h"
#include "ui/ZOLModifySongDlg.h"

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

void FileCommands::OnCdromTest() {
    WaitCursor wait;
    CdromCompatibilityTestCommand(Config().effectiveStartPath);
}

void FileCommands::OnModify() {
    CZOLListViewMgr& list = ListViewMgr();
    switch (CheckModifyCommand()) {
        case ModifyTarget::None:
            return;
        case ModifyTarget::ModifyDialog: {
            CZOLModifyDlg dialog(&parent_);
            dialog.exec();
            break;
        }
        case ModifyTarget::SongDialog: {
            CZOLModifySongLogic logic;
            RunModifySongDialog(&parent_, logic);
            break;
        }
    }
    TraceModifyLine("ModifyDlg return");
    list.Refresh(true, true);
}

void FileCommands::OnAddSongFromFilename() {
    std::unique_ptr<CZOLModifySongLogic> logic = AddSongFromFilenameCommand();
    if (logic != nullptr && RunModifySongDialog(&parent_, *logic)) {
        ListViewMgr().Invalidate(1);
        ListViewMgr().Refresh(true, true);
    }
}

void FileCommands::OnInfo(ViewCommand command, const CommandRow* row) {
    // The context menu's Extended Info names its row; the developer commands take the
    // selected one.
    const StyleDataPacket* record =
        command == ViewCommand::ExtendedInfo && row != nullptr && row->record != nullptr
            ? row->record
            : OneSelectedRecord();
    if (record == nullptr) {
        return;
    }
    const InfoMode mode = command == ViewCommand::ViewOtsInfo ? InfoMode::Ots : InfoMode::Extended;
    CNUVMFCInfoDlg dialog(&parent_, FullPath(*record), record, mode);
    dialog.exec();
}

void FileCommands::OnExploreFolder(const CommandRow* row) {
    if (row != nullptr && !row->folder.empty()) {
        ExploreFolder(row->folder);
        return;
    }
    if (const StyleDataPacket* record = OneSelectedRecord()) {
        ExploreFolder(std::string(record->Text(kFieldPath)));
    }
}

void ExploreFolder(const std::string& folder) {
    if (!OpenByType(folder)) {
        ShowBox(StrFormat("%s %s", Translate("Cannot open the folder").c_str(), folder.c_str()));
    }
}

}  // namespace kelvane

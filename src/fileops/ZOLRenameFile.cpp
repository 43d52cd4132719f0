#include "fileops/ZOLRenameFile.h"

#include <vector>

#include "fileops/ZOLFileOpPrompts.h"
#include "fileops/ZOLFileSets.h"
#include "list/ZOLListViewMgr.h"
#include "platform/FileSystem.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLStyleData.h"
#include "scan/ZOLDataFileWriter.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "support/NUVPath.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

// Other style files of the same base name are renamed with the selected one; their records
// follow them, or the next scan would lose what the user entered for them.
void RenameRecordsOfSet(const std::string& folder, const std::vector<std::string>& oldNames,
                        const std::string& newBase) {
    for (StyleDataPacket* record : RecordStore().records) {
        if (record->Text(kFieldPath) != folder) {
            continue;
        }
        for (const std::string& old : oldNames) {
            if (record->Text(kFieldFilename) == old) {
                AssignStyleField(*record, kFieldFilename, newBase + std::string(ExtensionOf(old)));
                record->changed = 1;
                break;
            }
        }
    }
}

}  // namespace

std::string UsableNewName(const std::string& chosen, const std::string& oldName) {
    std::string name = FileNamePart(chosen);
    if (name.empty() || name == "." || name == "..") {
        return {};
    }
    if (name.find('.') == std::string::npos) {
        name += ExtensionOf(oldName);
    }
    return name;
}

StatusCode RenameSelectedFile() {
    CZOLListViewMgr& list = ListViewMgr();
    const bool styleMode = CurrentModeNames().styleMode;
    if (list.SelectedCount() != 1) {
        const char* text = list.SelectedCount() == 0
                               ? (styleMode ? "Please select one style to be renamed"
                                            : "Please select one midi file to be renamed")
                               : (styleMode ? "Please select only one style to be renamed"
                                            : "Please select only one midi file to be renamed");
        ShowBox(Translate(text));
        return 0;
    }
    long cursor = list.FirstSelectedRowNumber();
    const long row = list.NextSelected(cursor);
    StyleDataPacket* record = list.StyleRecordOfRow(row);
    if (record == nullptr) {
        return 0;
    }
    const std::string folder(record->Text(kFieldPath));
    const std::string oldName(record->Text(kFieldFilename));
    std::string newName;
    for (;;) {
        const std::optional<std::string> chosen = FileOpPrompts().ChooseNewName(folder, oldName);
        if (!chosen) {
            return 0;
        }
        newName = UsableNewName(*chosen, oldName);
        if (newName.empty()) {
            return 0;
        }
        if (SameBaseNames(folder, BaseNameOf(newName)).empty() && !PathExists(folder + newName)) {
            break;
        }
        ShowBox(Translate("Selected file already exists"));
    }
    const std::vector<std::string> oldNames = SameBaseNames(folder, BaseNameOf(oldName));
    const StatusCode renamed = RenameWithAllExtensions(folder, oldName, newName);
    if (renamed != 0) {
        NUV_WARNING("%s %d", Translate("Error during rename file").c_str(), 1);
        return renamed;
    }
    // Each file keeps its own extension, so the record names what the file became, also when
    // another extension was typed.
    const std::string newBase(BaseNameOf(newName));
    RenameRecordsOfSet(folder, oldNames, newBase);
    AssignStyleField(*record, kFieldFilename, newBase + std::string(ExtensionOf(oldName)));
    record->changed = 1;
    const StatusCode updated = UpdateStyleDataFiles(RecordStore().records);
    if (updated != 0) {
        NUV_WARNING("%s %d", Translate("Error during rename file").c_str(), 2);
    }
    list.RedrawRow(row);
    return updated;
}

}  // namespace kelvane

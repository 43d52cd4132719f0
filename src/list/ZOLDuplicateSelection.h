// The three selection commands over groups of identical files (equal FILE_ID and FILESIZE):
// select the duplicates of a folder or of a tree that have a copy elsewhere, and select all
// but one member of each group. File list only; in the song list they do nothing. They add to
// the selection and never deselect.
#pragma once

#include <optional>
#include <string>

#include "support/NUVStatus.h"

namespace kelvane {

class CZOLListViewMgr;

// The front end's folder chooser ("Browse for Folder"); no value when the user cancels.
class IFolderChooser {
  public:
    virtual ~IFolderChooser() = default;
    virtual std::optional<std::string> ChooseFolder(const std::string& title,
                                                    const std::string& startFolder) = 0;
};

// The folder last chosen by the folder and tree commands in this run (empty at start).
std::string& LastDuplicatesFolder();

// The trash folder counts when the setting is not empty and the folder exists; the text ends
// with "/". No value otherwise.
std::optional<std::string> ActiveTrashFolder();

// Folder command (tree = false): rows in exactly the chosen folder; tree command: rows in it
// or below. A row is selected when an identical record lies outside the chosen tree and, when
// the trash folder is set, not in the trash folder. Folder comparisons ignore letter case.
// Returns 0 (also when the chooser is cancelled).
StatusCode SelectDuplicatesOfFolder(CZOLListViewMgr& manager, IFolderChooser& chooser, bool tree);

// Keeps one member of every group unselected (the richest texts outside the trash folder) and
// selects the other rows; rows without an identical partner stay unselected. Returns 0.
StatusCode SelectAllExceptOneOfEach(CZOLListViewMgr& manager);

}  // namespace kelvane

// The commands that decide where the user is: which folder tree is read (Browse, the path box,
// the recent folders, the refresh variants) and where the list's cursor and selection stand
// (Go To, Select All, the duplicate selections). Changes of the focused row and the selection
// belong here too.
#pragma once

#include <string>

#include "app/ZOLRefresh.h"
#include "platform/NonCopyable.h"
#include "ui/CommandGroup.h"

class QCheckBox;
class QComboBox;
class QWidget;

namespace kelvane {

class CMainFrame;
class CZOLListArea;

class NavigationCommands final : public CommandGroup, NonCopyable {
  public:
    // `pathBox` and `subfolders` are the form's; `parent` parents the dialogs. Each start folder
    // the scan reads joins the frame's recent folders.
    NavigationCommands(QWidget& parent, CMainFrame& frame, CZOLListArea& lists, QComboBox& pathBox,
                       QCheckBox& subfolders);
    ~NavigationCommands() override;

    bool Run(ViewCommand command, const CommandRow* row) override;

    // Path box text and Incl. Subfolders box into the start folder, checks, then the read.
    void Refresh(RefreshKind kind);
    // Reads the tree of Config().effectiveStartPath: the scan behind the scan window, the list
    // rebuild and the read rate; a start folder new to the scan joins the recent folders.
    void ReadFolderTree(RefreshKind kind);
    // Puts a folder into the path box and refreshes (recent folders, Open Folder).
    void OpenFolder(const std::string& folder);

  private:
    void OnOpenFolder();
    void OnHardRefresh();
    void OnGotoLine();
    void OnSelectDuplicates(bool tree);

    QWidget& parent_;
    CZOLListArea& lists_;
    QComboBox& pathBox_;
    QCheckBox& subfolders_;
};

}  // namespace kelvane

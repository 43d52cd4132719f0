// The form view: the path box with "Incl. Subfolders" and Browse, the row of command buttons,
// and the place of the list. Every command of the menus, buttons, function keys and context
// menu arrives in RunCommand, which holds one case per command that has its work; all others
// reach NotAvailableYet until their module lands.
#pragma once

#include <QWidget>
#include <map>
#include <string>

#include "app/ZOLRefresh.h"
#include "app/ZOLViewCommands.h"

class QCheckBox;
class QComboBox;
class QMenu;
class QPushButton;
class QVBoxLayout;

namespace kelvane {

class CMainFrame;

class CZOLView : public QWidget {
    Q_OBJECT

  public:
    explicit CZOLView(CMainFrame& frame);

    // The one entry of every command.
    void RunCommand(ViewCommand command);
    // The command that reached RunCommand last (also when it was refused for the mode).
    ViewCommand LastCommand() const { return lastCommand_; }

    // How a command that is not built yet answers: a box, or only the status line (used for
    // the read at start, so that the program opens without a box).
    enum class Notice { Box, StatusLine };
    void NotAvailableYet(ViewCommand command, Notice notice = Notice::Box);

    // The list's place: the later list widget replaces the placeholder (the view owns it).
    void InstallListWidget(QWidget* list);
    QWidget* ListWidget() const { return list_; }
    // The font size for the list (0 = its default), applied when set and after the settings.
    void ApplyListFontSize(int pointSize);

    // Path box and Incl. Subfolders box.
    void SetStartFolder(const std::string& folder, bool includeSubfolders);
    std::string PathBoxText() const;
    QComboBox* PathBox() const { return pathBox_; }
    QCheckBox* SubfolderBox() const { return subfolders_; }
    QPushButton* Button(ViewCommand command) const;

    // The start's read of the start folder (the frame is visible).
    void ReadStartFolder();
    // Path box text and Incl. Subfolders box into the start folder, checks, then the read.
    void Refresh(RefreshKind kind);
    // Reads the tree of Config().startPath: the scan behind its progress dialog, the list
    // rebuild and the read rate. The seam of the tree scan.
    void ReadFolderTree(RefreshKind kind, Notice notice);
    // Puts a folder into the path box and refreshes (recent folders, Open Folder).
    void OpenFolder(const std::string& folder);
    // Enter in the path box: keywords or a refresh.
    void OnPathBoxEnter();

    // The toggle button's text and the subfolder box follow the list shown.
    void SetSongView(bool songView);

    // The row context menu at a global position; the list calls it with its selection count
    // and the folder of the row clicked.
    void ShowRowContextMenu(const QPoint& globalPos, bool songView, int selectedRows,
                            const std::string& rowFolder);
    // Opens a folder with the desktop's file manager.
    void ExploreFolder(const std::string& folder);

  private:
    void BuildForm();
    void AddButton(QLayout* row, ViewCommand command);
    void OnOpenFolder();
    void OnEditText(ViewCommand command);
    void OnSettings();
    void OnHardRefresh();
    void OnHelp(const char* page);
    void OnAbout();
    void OnUppercaseShortNames();
    void OnDeveloperCommand(ViewCommand command);

    CMainFrame& frame_;
    QComboBox* pathBox_ = nullptr;
    QCheckBox* subfolders_ = nullptr;
    std::map<ViewCommand, QPushButton*> buttons_;
    QVBoxLayout* layout_ = nullptr;
    QWidget* list_ = nullptr;  // the placeholder until the list is installed
    std::string contextFolder_;
    ViewCommand lastCommand_ = ViewCommand::None;
};

}  // namespace kelvane

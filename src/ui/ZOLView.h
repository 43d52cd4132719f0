// The form view: the path box with "Incl. Subfolders" and Browse, the row of command buttons,
// and the place of the list. Every command of the menus, buttons, function keys, path box and
// context menu arrives in RunCommand, which routes it to its command group (CommandGroup.h):
// navigation, list, files, outputs, the program's own. The view itself only runs the text
// commands of its path box.
#pragma once

#include <QWidget>
#include <map>
#include <memory>
#include <string>

#include "app/ZOLRefresh.h"
#include "app/ZOLViewCommands.h"
#include "ui/CommandGroup.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QVBoxLayout;

namespace kelvane {

class AuditionBar;
class CMainFrame;
class CPrintListCtrl;
class CZOLListArea;
class CZOLRtfListCtrl;
class FileCommands;
class ListCommands;
class NavigationCommands;
class OutputCommands;
class ProgramCommands;
struct StyleDataPacket;

class CZOLView : public QWidget {
    Q_OBJECT

  public:
    explicit CZOLView(CMainFrame& frame);
    ~CZOLView() override;

    // The one entry of every command; `row` names the row of a context menu.
    void RunCommand(ViewCommand command, const CommandRow* row = nullptr);
    // The command that reached RunCommand last (also when it was refused for the mode).
    ViewCommand LastCommand() const { return lastCommand_; }

    // The list's place: the later list widget replaces the placeholder (the view owns it).
    void InstallListWidget(QWidget* list);
    QWidget* ListWidget() const { return list_; }
    // The font size for the list (0 = its default), applied when set and after the settings:
    // the lists take "Arial" of that height, another widget in their place that point size.
    void ApplyListFontSize(int pointSize);
    // The file list and the song list (created with the view).
    CZOLListArea* Lists() const { return lists_; }
    // The built-in player's transport under the list.
    AuditionBar* Audition() const { return audition_; }

    // Path box and Incl. Subfolders box.
    void SetStartFolder(const std::string& folder, bool includeSubfolders);
    std::string PathBoxText() const;
    QComboBox* PathBox() const { return pathBox_; }
    QCheckBox* SubfolderBox() const { return subfolders_; }
    QPushButton* Button(ViewCommand command) const;

    // The start's read of the start folder (the frame is visible).
    void ReadStartFolder();
    // Puts a folder into the path box and refreshes (recent folders, Open Folder).
    void OpenFolder(const std::string& folder);
    // Enter in the path box: keywords or a refresh.
    void OnPathBoxEnter();

    // The toggle button's text and the subfolder box follow the list shown.
    void SetSongView(bool songView);
    // Shows the song list or the file list and switches the menus and the form with it.
    void ShowSongView(bool songView);

    // The row context menu at a global position; the list calls it with its selection count
    // and the folder of the row clicked (`rowRecord`: that row's record, for Extended Info).
    void ShowRowContextMenu(const QPoint& globalPos, bool songView, int selectedRows,
                            const std::string& rowFolder,
                            const StyleDataPacket* rowRecord = nullptr);

    // The RTF writer and the printing object of the run.
    CZOLRtfListCtrl& RtfWriter();
    CPrintListCtrl& Printing();

  private:
    void BuildForm();
    void AddButton(QLayout* row, ViewCommand command);
    void InstallLists();
    void MakeCommandGroups();
    void OnEditText(ViewCommand command);

    CMainFrame& frame_;
    QComboBox* pathBox_ = nullptr;
    QCheckBox* subfolders_ = nullptr;
    std::map<ViewCommand, QPushButton*> buttons_;
    QVBoxLayout* layout_ = nullptr;
    QWidget* list_ = nullptr;  // the placeholder until the list is installed
    CZOLListArea* lists_ = nullptr;
    AuditionBar* audition_ = nullptr;
    std::unique_ptr<NavigationCommands> navigation_;
    std::unique_ptr<ListCommands> listCommands_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<OutputCommands> outputs_;
    std::unique_ptr<ProgramCommands> program_;
    ViewCommand lastCommand_ = ViewCommand::None;
};

}  // namespace kelvane

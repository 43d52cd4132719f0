// The form view: the path box with "Incl. Subfolders" and Browse, the row of command buttons,
// and the place of the list. Every command of the menus, buttons, function keys and context
// menu arrives in RunCommand, which hands it to the core or opens its dialog: the list's
// commands (ZOLViewList.cpp), the file commands (ZOLViewFiles.cpp) and the outputs, imports and
// exports (ZOLViewOutput.cpp).
#pragma once

#include <QWidget>
#include <map>
#include <memory>
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
class CPrintListCtrl;
class CZOLListArea;
class CZOLRtfListCtrl;
struct StyleDataPacket;

class CZOLView : public QWidget {
    Q_OBJECT

  public:
    explicit CZOLView(CMainFrame& frame);
    ~CZOLView() override;

    // The one entry of every command.
    void RunCommand(ViewCommand command);
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
    // Reads the tree of Config().effectiveStartPath: the scan behind the scan window, the list
    // rebuild and the read rate; a start folder new to the scan joins the recent folders.
    void ReadFolderTree(RefreshKind kind);
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
    // Opens a folder with the desktop's file manager.
    void ExploreFolder(const std::string& folder);

    // The RTF writer and the printing object of the run.
    CZOLRtfListCtrl& RtfWriter() { return *rtf_; }
    CPrintListCtrl& Printing() { return *print_; }
    // Writes the list to RTF: with a file name no file dialog and no output dialog open (the
    // developer command). False when nothing was written.
    bool WriteListToRtf(const std::string& fileName = {});
    // The file the developer command "Write table to rtf file" writes: in the home folder.
    static std::string DeveloperRtfFile();

  private:
    void BuildForm();
    void InstallLists();
    // The commands of the list (ZOLViewList.cpp); false for any other command.
    bool RunListCommand(ViewCommand command);
    // Copy, move, rename, trash, modify, songs, external programs, information (ZOLViewFiles.cpp).
    bool RunFileCommand(ViewCommand command);
    // Printing, RTF, export, import, fast access (ZOLViewOutput.cpp).
    bool RunOutputCommand(ViewCommand command);
    void OnModify();
    void OnAddSongFromFilename();
    void OnCdromTest();
    void OnInfo(ViewCommand command);
    void OnExploreFolder();
    void OnExport(bool csv);
    void OnImport();
    void OnImportDefaultData();
    void OnCreateFastAccessData();
    // The output file of an export: the file dialog, then the output-file-exists prompt
    // (Append / Replace; Cancel chooses again). False when cancelled.
    bool ChooseExportFile(std::string& file, bool& append);
    void OnTraceAllSysex();
    void OnSpecialInfo();
    void OnFilter();
    void OnColumns();
    void OnGotoLine();
    void OnSelectDuplicates(bool tree);
    void OnStatistics();
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
    CZOLListArea* lists_ = nullptr;
    std::string contextFolder_;
    const StyleDataPacket* contextRecord_ = nullptr;
    std::unique_ptr<CZOLRtfListCtrl> rtf_;
    std::unique_ptr<CPrintListCtrl> print_;
    ViewCommand lastCommand_ = ViewCommand::None;
};

}  // namespace kelvane

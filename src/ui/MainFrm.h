// The main frame: menu bar built from the command layout, the form view, the status bar with
// five panes, and the function keys. Every menu item runs its command through the view. The
// frame owns the window's arrangement: the view in its middle and any pane placed beside it.
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <map>

#include "app/ZOLRecentFolders.h"
#include "app/ZOLViewCommands.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;

namespace kelvane {

class CZOLView;
class DetailPaneArea;

// The check marks the menus show; the list module supplies them through the provider.
struct ViewCheckState {
    bool autoResizeColumns = false;
    bool rowNumber = false;
    bool alwaysUseFastAccess = false;
    int duplicatesMode = 0;  // FilterDuplicatesMode: 0 all, 1 unique files, 2 duplicate files,
                             // 3 unique scores, 4 related scores
};

class CMainFrame : public QMainWindow {
    Q_OBJECT

  public:
    static constexpr int kPaneCount = 5;

    CMainFrame();
    ~CMainFrame() override;

    CZOLView* View() const { return view_; }
    // The splitter with the view and the detail pane below it.
    DetailPaneArea* PaneArea() const { return area_; }

    // Status pane text (pane 0 the status line, pane 1 the counter and speed).
    void SetPaneText(int pane, const QString& text);
    QString PaneText(int pane) const;

    // Switches the menu wording and greying between the file list and the song list (style
    // mode only) and tells the form to change its toggle button and subfolder box.
    void SetSongView(bool songView);
    bool SongView() const { return context_.songView; }

    // Texts that depend on settings (the quick-copy path) after the settings sheet.
    void UpdateMenuTexts();

    // Where the menus get their check marks from when they open.
    void SetCheckStateProvider(std::function<ViewCheckState()> provider);

    // Runs a function key's action or its normal meaning; true when the key was consumed.
    bool HandleFunctionKey(int key);

    // The recent folders: a folder read is added; the menu lists them newest first.
    CZOLRecentFolders& RecentFolders() { return recent_; }
    void AddRecentFolder(const std::string& folder);

    // The menu action of a command (nullptr when the mode has none); for the later commands
    // and the tests.
    QAction* Action(ViewCommand command) const;
    QMenu* RecentMenu() const { return recentMenu_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Stores the window's place, the list layout and the subfolder box for the next start.
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildCentralArea();
    void BuildMenus();
    QAction* AddCommandAction(QMenu* menu, ViewCommand command);
    void UpdateCheckMarks();
    void FillRecentMenu();
    void BuildStatusBar();

    CZOLView* view_ = nullptr;
    DetailPaneArea* area_ = nullptr;
    std::array<QLabel*, kPaneCount> panes_{};
    std::map<ViewCommand, QAction*> actions_;
    QActionGroup* duplicatesGroup_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    CZOLRecentFolders recent_;
    ViewContext context_;
    std::function<ViewCheckState()> checkState_;
};

}  // namespace kelvane

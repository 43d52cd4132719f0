// The main view's commands: one number per command reached from the menu bar, the form
// buttons, the row context menu, the function keys and the path box. This file holds what
// decides about them without any widget: their menu texts per run mode and list, which ones
// exist in a mode, which ones are greyed while the list shows songs, and the path-box keywords.
// The desktop program renders these decisions; later commands are added here first.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

enum class ViewCommand : int {
    None = 0,
    // File menu
    OpenFolder,
    RecentFolders,
    MoveSelected,
    CopySelected,
    CopyToQuickPath,
    RenameFile,
    MoveToTrash,
    Play,
    Play2,
    Edit,
    Edit2,
    EditCasm,
    Dump,
    Print,
    PrintPreview,
    PageSetup,
    ImportDefaultData,
    ImportData,
    ExportData,
    ExportCsv,
    WriteRtf,
    Exit,
    // Edit menu
    Modify,
    SelectAll,
    Undo,
    Cut,
    CopyText,
    Paste,
    Settings,
    // View menu
    ViewStyles,
    ViewSongs,
    Filter,
    ClearFilterAll,
    Columns,
    AutoResizeColumns,
    RowNumber,
    StatusBar,
    Statistics,
    Refresh,
    HardRefresh,
    // Go to menu
    GotoLineNr,
    GotoNextSelected,
    GotoPreviousSelected,
    // Duplicates menu (the five show items in the order of the visibility modes 0..4)
    ShowAllFiles,
    ShowUniqueFiles,
    ShowDuplicateFiles,
    ShowUniqueScores,
    ShowRelatedScores,
    SelectDuplicatesOfFolder,
    SelectDuplicatesOfTree,
    SelectAllExceptOne,
    // Advanced menu
    CreateFastAccessData,
    CdromCompatTest,
    AddSongFromFilename,
    UppercaseShortNames,
    WriteMdbRecords,
    // Help menu
    HelpTopics,
    About,
    // Developer menu
    TraceAllSysex,
    ExtendedMidiInfo,
    SoftRescan,
    HardRescan,
    NewSettings,
    EditCfgFile,
    EditTraceFile,
    WriteTableToRtf,
    Test1,
    Test2,
    AlwaysUseFastAccess,
    ViewOtsInfo,
    SpecialInfo,
    // Reached from buttons, function keys, the context menu and the path box only
    ToggleSongStyle,
    ClearFilter,
    ExploreFolder,
    ExtendedInfo,
    HelpQuickStart,
    TraceLevel1000,
    // View menu, added later
    DetailPane,
    Count
};

// What the menu texts and the greying depend on.
struct ViewContext {
    int runMode = 1;        // kRunModeStyle / kRunModeMidi
    bool songView = false;  // the list shows songs (style mode only)
};

// False for the items that midi mode removes (View Styles, View Songs, the CASM editor, Write
// MDB Records, Add Song from Filename, Import Default Data, the song/style toggle).
bool CommandPresent(ViewCommand command, int runMode);

// False for the items greyed while the list shows songs (and View Styles while it shows
// files). Absent commands are never enabled.
bool CommandEnabled(ViewCommand command, const ViewContext& context);

// The untranslated (tagged) menu text of a command for the mode and list shown; empty for
// commands without a menu text.
std::string MenuItemKey(ViewCommand command, const ViewContext& context);

// The text to show: the translated key; the copy-to items add the quick-copy path and "/".
std::string MenuItemLabel(ViewCommand command, const ViewContext& context,
                          const std::string& quickCopyPath);

// Splits a menu text at its tab: the text before it and the shortcut text after it.
struct LabelParts {
    std::string text;
    std::string shortcut;
};
LabelParts SplitShortcut(std::string_view label);

// Items with a check mark.
bool CommandCheckable(ViewCommand command);

// The form's view toggle button text: "View Songs" on the file list, "View Styles" on songs.
std::string ToggleButtonKey(bool songView);

// Path-box keywords (compared without regard to case).
enum class PathBoxKeyword { None, SoftRescan, HardRescan, Trace1000 };
PathBoxKeyword ParsePathBoxKeyword(std::string_view text);

// The trace/diagnostic name of a command ("Filter", "Open Folder", ...).
const char* CommandName(ViewCommand command);

// One entry of a menu: a command, a separator, or (for the recent folders) a submenu marker.
struct MenuEntry {
    ViewCommand command = ViewCommand::None;  // None: separator
    bool IsSeparator() const { return command == ViewCommand::None; }
};

struct MenuDefinition {
    std::string titleKey;  // untranslated
    std::vector<MenuEntry> entries;
};

// The menu bar in menu order for the run mode: midi-mode removals applied, the style-mode
// separator before the filter item, the developer menu last and only with `specialMenu`.
std::vector<MenuDefinition> BuildMainMenu(int runMode, bool specialMenu);

// The row context menu: file list Play, Edit, Move, Copy, copy-to, Modify, Explore Folder,
// Rename (only with one selected row), Extended Info; song list Play, Edit, Copy, copy-to,
// Modify.
std::vector<ViewCommand> RowContextMenu(bool songView, int selectedRows);
std::string PopupItemLabel(ViewCommand command, const std::string& quickCopyPath);

// The commands of the form's button row, left to right (Browse and the view toggle included;
// the toggle is absent in midi mode, the rescan buttons only with their configuration flags).
std::vector<ViewCommand> FormButtons(int runMode, bool hardRescanButton, bool rescanButton);
std::string ButtonKey(ViewCommand command, bool songView);

// The command stored in row `row` of the command table (-1 past its end); lets the tests check
// that every row sits at its own number.
int CommandTableRowNumber(std::size_t row);

}  // namespace kelvane

// The layout of the main menu bar, the row context menu and the form's button row.
#include "app/ZOLViewCommands.h"
#include "support/NUVLang.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

using C = ViewCommand;
constexpr C kSeparator = C::None;

MenuDefinition Menu(const char* title, std::initializer_list<C> commands, int runMode) {
    MenuDefinition menu{title, {}};
    for (const C command : commands) {
        if (command != kSeparator && !CommandPresent(command, runMode)) {
            continue;
        }
        // No separator at the start, none doubled after a removed item.
        if (command == kSeparator && (menu.entries.empty() || menu.entries.back().IsSeparator())) {
            continue;
        }
        menu.entries.push_back({command});
    }
    if (!menu.entries.empty() && menu.entries.back().IsSeparator()) {
        menu.entries.pop_back();
    }
    return menu;
}

}  // namespace

std::vector<MenuDefinition> BuildMainMenu(int runMode, bool specialMenu) {
    const bool style = runMode != kRunModeMidi;
    std::vector<MenuDefinition> menus;
    menus.push_back(Menu("&File", {C::OpenFolder,   C::RecentFolders, kSeparator,
                                   C::MoveSelected, C::CopySelected,  C::CopyToQuickPath,
                                   C::RenameFile,   C::MoveToTrash,   kSeparator,
                                   C::Play,         C::Play2,         C::Edit,
                                   C::Edit2,        C::EditCasm,      C::Dump,
                                   kSeparator,      C::Print,         C::PrintPreview,
                                   C::PageSetup,    kSeparator,       C::ImportDefaultData,
                                   C::ImportData,   C::ExportData,    C::ExportCsv,
                                   C::WriteRtf,     kSeparator,       C::Exit},
                         runMode));
    menus.push_back(Menu("&Edit",
                         {C::Modify, C::SelectAll, kSeparator, C::Undo, C::Cut, C::CopyText,
                          C::Paste, kSeparator, C::Settings},
                         runMode));
    // Style mode separates the list choice from the filter items.
    menus.push_back(
        style ? Menu("&View",
                     {C::ViewStyles, C::ViewSongs, kSeparator, C::Filter, C::ClearFilterAll,
                      C::Columns, kSeparator, C::AutoResizeColumns, C::RowNumber, C::StatusBar,
                      kSeparator, C::Statistics, C::DetailPane, kSeparator, C::Refresh,
                      C::HardRefresh},
                     runMode)
              : Menu("&View",
                     {C::Filter, C::ClearFilterAll, C::Columns, kSeparator, C::AutoResizeColumns,
                      C::RowNumber, C::StatusBar, kSeparator, C::Statistics, C::DetailPane,
                      kSeparator, C::Refresh, C::HardRefresh},
                     runMode));
    menus.push_back(
        Menu("&Go to", {C::GotoLineNr, C::GotoNextSelected, C::GotoPreviousSelected}, runMode));
    menus.push_back(
        Menu("&Duplicates",
             {C::ShowAllFiles, C::ShowUniqueFiles, C::ShowUniqueScores, C::ShowDuplicateFiles,
              C::ShowRelatedScores, kSeparator, C::SelectDuplicatesOfFolder,
              C::SelectDuplicatesOfTree, C::SelectAllExceptOne},
             runMode));
    menus.push_back(Menu("&Advanced",
                         {C::CreateFastAccessData, C::CdromCompatTest, C::AddSongFromFilename,
                          C::UppercaseShortNames, C::WriteMdbRecords},
                         runMode));
    menus.push_back(Menu("&Help", {C::HelpTopics, kSeparator, C::About}, runMode));
    if (specialMenu) {
        menus.push_back(
            Menu("&NUV-Spezial",
                 {C::TraceAllSysex, C::ExtendedMidiInfo, C::SoftRescan, C::HardRescan, kSeparator,
                  C::NewSettings, C::EditCfgFile, C::EditTraceFile, C::WriteTableToRtf, kSeparator,
                  C::Test1, C::Test2, C::AlwaysUseFastAccess, C::ViewOtsInfo, C::SpecialInfo},
                 runMode));
    }
    return menus;
}

std::vector<ViewCommand> RowContextMenu(bool songView, int selectedRows) {
    if (songView) {
        return {C::Play, C::Edit, C::CopySelected, C::CopyToQuickPath, C::Modify};
    }
    std::vector<ViewCommand> items = {
        C::Play,   C::Edit,         C::MoveSelected, C::CopySelected, C::CopyToQuickPath,
        C::Modify, C::ExploreFolder};
    if (selectedRows <= 1) {
        items.push_back(C::RenameFile);
    }
    items.push_back(C::MoveToTrash);
    items.push_back(C::ExtendedInfo);
    return items;
}

std::string PopupItemLabel(ViewCommand command, const std::string& quickCopyPath) {
    switch (command) {
        case C::Play:
            return Translate("@menu_popup_play@Play");
        case C::Edit:
            return Translate("@menu_popup_edit@Edit");
        case C::MoveSelected:
            return Translate("@menu_popup_move@Move");
        case C::CopySelected:
            return Translate("@menu_popup_copy@Copy");
        case C::CopyToQuickPath:
            return Translate("@menu_popup_copy_to_a@Copy to ") + quickCopyPath + "/";
        case C::Modify:
            return Translate("@menu_popup_modify@Modify");
        case C::ExploreFolder:
            return Translate("@menu_popup_explore_folder@Explore Folder");
        case C::RenameFile:
            return Translate("@menu_popup_rename@Rename");
        case C::ExtendedInfo:
            return Translate("@menu_popup_extended_info@Extended Info");
        case C::MoveToTrash:
            return Translate("@menu_popup_move_to_trash@Move to Trash\tDel");
        default:
            return {};
    }
}

std::vector<ViewCommand> FormButtons(int runMode, bool hardRescanButton, bool rescanButton) {
    std::vector<ViewCommand> buttons = {
        C::Filter,       C::Columns, C::CopySelected, C::CopyToQuickPath,
        C::MoveSelected, C::Modify,  C::Play,         C::SelectAll};
    if (runMode != kRunModeMidi) {
        buttons.push_back(C::ToggleSongStyle);
    }
    buttons.push_back(C::Refresh);
    if (hardRescanButton) {
        buttons.push_back(C::HardRescan);
    }
    if (rescanButton) {
        buttons.push_back(C::SoftRescan);
    }
    return buttons;
}

std::string ButtonKey(ViewCommand command, bool songView) {
    switch (command) {
        case C::OpenFolder:
            return "@button_browse2@Browse";
        case C::Filter:
            return "@button_filter@Filter / Search";
        case C::Columns:
            return "@button_columns@Columns";
        case C::CopySelected:
            return "@button_copy@Copy";
        case C::CopyToQuickPath:
            return "@button_copy_to_a@Copy to";
        case C::MoveSelected:
            return "@button_move@Move";
        case C::Modify:
            return "@button_modify@Modify";
        case C::Play:
            return "@button_play@Play";
        case C::SelectAll:
            return "@button_select_all@Select All";
        case C::ToggleSongStyle:
            return ToggleButtonKey(songView);
        case C::Refresh:
            return "Refresh";
        case C::HardRescan:
            return "Hard Rescan";
        case C::SoftRescan:
            return "Soft Rescan";
        default:
            return {};
    }
}

}  // namespace kelvane

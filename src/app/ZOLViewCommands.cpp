#include "app/ZOLViewCommands.h"

#include <array>

#include "support/NUVConfig.h"
#include "support/NUVLang.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

enum : unsigned {
    kGreyInSongs = 1u << 0,   // greyed while the list shows songs
    kOnlyInSongs = 1u << 1,   // enabled only while the list shows songs
    kStyleOnly = 1u << 2,     // removed in midi mode
    kCheckable = 1u << 3,     // carries a check mark
    kQuickPathText = 1u << 4  // the quick-copy path and "/" follow the text
};

struct CommandInfo {
    ViewCommand command;
    const char* name;
    const char* styleKey;  // menu text in style mode (nullptr: no menu text)
    const char* midiKey;   // nullptr: same as style mode
    const char* songKey;   // wording while the list shows songs; nullptr: the style wording
    unsigned flags;
};

using C = ViewCommand;

// In the order of ViewCommand; the tests check that every row sits at its own number.
constexpr std::array<CommandInfo, static_cast<std::size_t>(C::Count)> kCommands = {{
    {C::None, "", nullptr, nullptr, nullptr, 0},
    {C::OpenFolder, "Open Folder", "@menu_open_style_folder@&Open Style Folder",
     "@menu_open_midi_folder@&Open Midi Folder", nullptr, 0},
    {C::RecentFolders, "Recent used Folders", "@menu_recent_used_folders@&Recent used Folders",
     nullptr, nullptr, 0},
    {C::MoveSelected, "Move", "@menu_file_move_stylefiles@&Move selected Style Files",
     "@menu_file_move_midifiles@&Move Selected Midi Files", nullptr, kGreyInSongs},
    {C::CopySelected, "Copy", "@menu_file_copy_stylefiles@&Copy selected Style Files",
     "@menu_file_copy_midifiles@&Copy Selected Midi Files", nullptr, 0},
    {C::CopyToQuickPath, "Copy to",
     "@menu_file_copy_stylefiles_to_floppy@Copy se&lected Style Files to ",
     "@menu_file_copy_midifiles_to_floppy@Copy Se&lected Midi Files to ", nullptr, kQuickPathText},
    {C::RenameFile, "Rename File", "@menu_file_rename_file@Re&name selected Style File",
     "@menu_file_rename_midifile@Re&name Selected Midi File", nullptr, kGreyInSongs},
    {C::MoveToTrash, "Move to Trash", "@menu_file_move_to_trash@Move selected files to &trash",
     nullptr, nullptr, kGreyInSongs},
    {C::Play, "Play", "@menu_file_play_stylefile@Pla&y Style File",
     "@menu_file_play_midifile@&Play Midi File", nullptr, 0},
    {C::Play2, "Play 2", "@menu_file_play_stylefile2@Play Style File (using player 2)",
     "@menu_file_play_midifile2@Play Midi File (using player 2)", nullptr, 0},
    {C::Edit, "Edit", "@menu_file_edit_stylefile@&Edit Style File",
     "@menu_file_edit_midifile@&Edit Midi File", nullptr, 0},
    {C::Edit2, "Edit 2", "@menu_file_edit_stylefile2@Edit Style File (using editor 2)",
     "@menu_file_edit_midifile2@Edit Midi File (using editor 2)", nullptr, 0},
    {C::EditCasm, "Edit CASM", "@menu_file_edit_stylefile_casm@Edit &Style File (CASM)", nullptr,
     nullptr, kStyleOnly},
    {C::Dump, "Dump", "@menu_file_dump_stylefile@&Dump Style File",
     "@menu_file_dump_midifile@&Dump Midi File", nullptr, 0},
    {C::Print, "Print", "@menu_file_print@&Print...\tCtrl+P", nullptr, nullptr, 0},
    {C::PrintPreview, "Print Preview", "@menu_file_print_preview@Print Pre&view", nullptr, nullptr,
     0},
    {C::PageSetup, "Page Setup", "@menu_file_page_setup@Page Set&up", nullptr, nullptr, 0},
    {C::ImportDefaultData, "Import Default Data",
     "@menu_file_import_styledata_default@Import Default Data", nullptr, nullptr, kStyleOnly},
    {C::ImportData, "Import", "@menu_file_import_styledata@&Import Style Data",
     "@menu_file_import_mididata@&Import Midi Data",
     "@menu_file_import_styledata@&Import Style Data", 0},
    {C::ExportData, "Export", "@menu_file_export_styledata@Expo&rt Style Data",
     "@menu_file_export_mididata@Expo&rt Midi Data",
     "@menu_file_export_styledata@Expo&rt Style Data", 0},
    {C::ExportCsv, "Export to CSV",
     "@menu_file_export_csv_file_style@Export Style Data to CS&V File",
     "@menu_file_export_csv_midifile@Export Midi Data to CS&V File",
     "@menu_file_export_csv_file_song@Export Song Data to CS&V File", 0},
    {C::WriteRtf, "Write list to RTF file",
     "@menu_file_write_list_to_rtf_file@&Write List to RTF File", nullptr, nullptr, 0},
    {C::Exit, "Exit", "@menu_file_exit@E&xit", nullptr, nullptr, 0},
    {C::Modify, "Modify", "@menu_edit_modify_styledata@&Modify Style Data",
     "@menu_edit_modify_mididata@&Modify Midi Data", "@menu_edit_modify_songdata@&Modify Song Data",
     0},
    {C::SelectAll, "Select All", "@menu_edit_select_all@&Select All\tCtrl+A", nullptr, nullptr, 0},
    {C::Undo, "Undo", "@menu_edit_undo@&Undo\tCtrl+Z", nullptr, nullptr, 0},
    {C::Cut, "Cut", "@menu_edit_cut@Cu&t\tCtrl+X", nullptr, nullptr, 0},
    {C::CopyText, "Copy Text", "@menu_edit_copy@&Copy\tCtrl+C", nullptr, nullptr, 0},
    {C::Paste, "Paste", "@menu_edit_paste@&Paste\tCtrl+V", nullptr, nullptr, 0},
    {C::Settings, "Settings", "@menu_edit_settings@Setti&ngs", nullptr, nullptr, 0},
    {C::ViewStyles, "View Styles", "@menu_view_zol_view_styles@View St&yles", nullptr, nullptr,
     kStyleOnly | kOnlyInSongs},
    {C::ViewSongs, "View Songs", "@menu_view_zol_view_songs@View So&ngs", nullptr, nullptr,
     kStyleOnly | kGreyInSongs},
    {C::Filter, "Filter", "@menu_view_zol_filter_styles@&Filter/Search Styles",
     "@menu_view_zol_filter_midis@&Filter/Search Midi Files",
     "@menu_view_zol_filter_songs@&Filter/Search Songs", 0},
    {C::ClearFilterAll, "Clear All Filters", "@menu_view_zol_filter_clear_all@&Clear Filter",
     nullptr, nullptr, 0},
    {C::Columns, "Columns", "@menu_view_zol_columns@&Select Display Columns", nullptr, nullptr, 0},
    {C::AutoResizeColumns, "Auto-Resize Columns",
     "@menu_view_autoresize_columns@&Auto-Resize Columns", nullptr, nullptr, kCheckable},
    {C::RowNumber, "View Row Number", "@menu_view_row_nr@&View Row Number", nullptr, nullptr,
     kCheckable},
    {C::StatusBar, "Status Bar", "@menu_view_statusbar@Status &Bar", nullptr, nullptr, kCheckable},
    {C::Statistics, "Statistics", "@menu_view_statistics@S&tatistics", nullptr, nullptr, 0},
    {C::Refresh, "Refresh List", "@menu_view_refresh_list@&Refresh List\tF5", nullptr, nullptr, 0},
    {C::HardRefresh, "Hard Refresh List", "@menu_view_refresh_list_hard@Hard Refresh List", nullptr,
     nullptr, 0},
    {C::GotoLineNr, "Go to line nr", "@menu_goto_line_nr@Go to &line nr", nullptr, nullptr, 0},
    {C::GotoNextSelected, "Go to next selected line",
     "@menu_goto_line_selected_next@Go to &next selected line", nullptr, nullptr, 0},
    {C::GotoPreviousSelected, "Go to previous selected line",
     "@menu_goto_line_selected_previous@Go to &previous selected line", nullptr, nullptr, 0},
    {C::ShowAllFiles, "Show all files", "@menu_duplicates_show_all_files@Show &all files", nullptr,
     nullptr, kCheckable},
    {C::ShowUniqueFiles, "Show unique files",
     "@menu_duplicates_show_unique_files@Show &unique files", nullptr, nullptr, kCheckable},
    {C::ShowDuplicateFiles, "Show duplicate files",
     "@menu_duplicates_show_only_duplicates@Show &duplicate files", nullptr, nullptr, kCheckable},
    {C::ShowUniqueScores, "Show unique scores",
     "@menu_duplicates_show_unique_scores@Show unique &scores", nullptr, nullptr, kCheckable},
    {C::ShowRelatedScores, "Show related scores",
     "@menu_duplicates_show_related_scores@Show &related scores", nullptr, nullptr, kCheckable},
    {C::SelectDuplicatesOfFolder, "Select all duplicates of folder",
     "@menu_duplicates_mark_duplicates_of_folder@Select all duplicates of &folder", nullptr,
     nullptr, kGreyInSongs},
    {C::SelectDuplicatesOfTree, "Select all duplicates of tree",
     "@menu_duplicates_mark_duplicates_of_tree@Select all duplicates of &tree", nullptr, nullptr,
     kGreyInSongs},
    {C::SelectAllExceptOne, "Select all except one of each",
     "@menu_duplicates_mark_duplicates_except_one@Select all except one of &each", nullptr, nullptr,
     kGreyInSongs},
    {C::CreateFastAccessData, "Create Fast Access Data",
     "@menu_advanced_create_fast_access_data@&Create Fast Access Data", nullptr, nullptr, 0},
    {C::CdromCompatTest, "CD-ROM Compatibility Test",
     "@menu_advanced_compat@CD-ROM Compatibility &Test", nullptr, nullptr, 0},
    {C::AddSongFromFilename, "Add Song from Filename",
     "@menu_advanced_add_song_from_filename@&Add Song from Filename", nullptr, nullptr,
     kStyleOnly | kGreyInSongs},
    {C::UppercaseShortNames, "Uppercase short (8.3) Filenames",
     "@menu_advanced_uppercase_short_filenames_on_a@&Uppercase short (8.3) Filenames on ", nullptr,
     nullptr, kQuickPathText},
    {C::WriteMdbRecords, "Write MDB Records",
     "@menu_advanced_write_mdb_records@&Write MDB Records of selected Styles to File", nullptr,
     nullptr, kStyleOnly | kGreyInSongs},
    {C::HelpTopics, "Help Topics", "@menu_help_help_topics@&Help Topics", nullptr, nullptr, 0},
    {C::About, "About", "@menu_help_about@&About Kelvane", "@menu_help_about_midi@&About Morvane",
     nullptr, 0},
    {C::TraceAllSysex, "Trace all SYSEX", "Trace all SYSEX", nullptr, nullptr, 0},
    {C::ExtendedMidiInfo, "Extended Midi Info", "Extended Midi Info", nullptr, nullptr, 0},
    {C::SoftRescan, "Soft Rescan", "Soft Rescan", nullptr, nullptr, 0},
    {C::HardRescan, "Hard Rescan", "Hard Rescan", nullptr, nullptr, 0},
    {C::NewSettings, "New Settings", "New Settings", nullptr, nullptr, 0},
    {C::EditCfgFile, "Edit Cfg File", "Edit Cfg File", nullptr, nullptr, 0},
    {C::EditTraceFile, "Edit Trace File", "Edit Trace File", nullptr, nullptr, 0},
    {C::WriteTableToRtf, "Write table to rtf file", "Write table to rtf file", nullptr, nullptr, 0},
    {C::Test1, "Test 1", "Test 1", nullptr, nullptr, 0},
    {C::Test2, "Test 2", "Test 2", nullptr, nullptr, 0},
    {C::AlwaysUseFastAccess, "Always Use Fast Access", "Always Use Fast Access", nullptr, nullptr,
     kCheckable},
    {C::ViewOtsInfo, "View OTS Info", "View OTS Info", nullptr, nullptr, 0},
    {C::SpecialInfo, "Special Info", "Special Info", nullptr, nullptr, 0},
    {C::ToggleSongStyle, "Toggle Song/Style Mode", nullptr, nullptr, nullptr, kStyleOnly},
    {C::ClearFilter, "Clear Filter", nullptr, nullptr, nullptr, 0},
    {C::ExploreFolder, "Explore Folder", nullptr, nullptr, nullptr, 0},
    {C::ExtendedInfo, "Extended Info", nullptr, nullptr, nullptr, 0},
    {C::HelpQuickStart, "Help", nullptr, nullptr, nullptr, 0},
    {C::TraceLevel1000, "Trace 1000", nullptr, nullptr, nullptr, 0},
    {C::DetailPane, "Detail Pane", "@menu_view_detail_pane@&Detail Pane\tF9", nullptr, nullptr,
     kCheckable},
}};

const CommandInfo& Info(ViewCommand command) {
    const auto index = static_cast<std::size_t>(command);
    return index < kCommands.size() ? kCommands[index] : kCommands[0];
}

}  // namespace

bool CommandPresent(ViewCommand command, int runMode) {
    if (command == ViewCommand::None || command >= ViewCommand::Count) {
        return false;
    }
    return runMode != kRunModeMidi || (Info(command).flags & kStyleOnly) == 0;
}

bool CommandEnabled(ViewCommand command, const ViewContext& context) {
    if (!CommandPresent(command, context.runMode)) {
        return false;
    }
    // Midi mode has no song list, so its flag is ignored there.
    const bool songs = context.songView && context.runMode != kRunModeMidi;
    const unsigned flags = Info(command).flags;
    if ((flags & kGreyInSongs) != 0 && songs) {
        return false;
    }
    return (flags & kOnlyInSongs) == 0 || songs;
}

std::string MenuItemKey(ViewCommand command, const ViewContext& context) {
    const CommandInfo& info = Info(command);
    if (info.styleKey == nullptr) {
        return {};
    }
    if (context.runMode == kRunModeMidi) {
        return info.midiKey != nullptr ? info.midiKey : info.styleKey;
    }
    if (context.songView && info.songKey != nullptr) {
        return info.songKey;
    }
    return info.styleKey;
}

std::string MenuItemLabel(ViewCommand command, const ViewContext& context,
                          const std::string& quickCopyPath) {
    const std::string key = MenuItemKey(command, context);
    if (key.empty()) {
        return {};
    }
    std::string label = Translate(key);
    if ((Info(command).flags & kQuickPathText) != 0) {
        label += quickCopyPath + "/";
    }
    return label;
}

LabelParts SplitShortcut(std::string_view label) {
    const std::size_t tab = label.find('\t');
    if (tab == std::string_view::npos) {
        return {std::string(label), {}};
    }
    return {std::string(label.substr(0, tab)), std::string(label.substr(tab + 1))};
}

bool CommandCheckable(ViewCommand command) {
    return (Info(command).flags & kCheckable) != 0;
}

std::string ToggleButtonKey(bool songView) {
    return songView ? "@button_song_style_mode_styles@View Styles"
                    : "@button_song_style_mode_songs@View Songs";
}

PathBoxKeyword ParsePathBoxKeyword(std::string_view text) {
    if (EqualsIgnoreCase(text, "<softrescan>")) {
        return PathBoxKeyword::SoftRescan;
    }
    if (EqualsIgnoreCase(text, "<hardrescan>")) {
        return PathBoxKeyword::HardRescan;
    }
    if (EqualsIgnoreCase(text, "<trace1000>")) {
        return PathBoxKeyword::Trace1000;
    }
    return PathBoxKeyword::None;
}

const char* CommandName(ViewCommand command) {
    return Info(command).name;
}

// Exposed for the tests only: the number stored in a row of the table.
int CommandTableRowNumber(std::size_t row) {
    return row < kCommands.size() ? static_cast<int>(kCommands[row].command) : -1;
}

}  // namespace kelvane

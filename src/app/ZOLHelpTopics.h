// Help pages and the About box texts. Help pages are HTML files in the help folder of the run
// mode and language (HelpFilePath(): help/kelvane[MIDI]_<lang>/, English when the language has
// none); a topic names a page below its "html/" folder.
#pragma once

#include <string>

namespace kelvane {

namespace help {
inline constexpr const char* kQuickStart = "quick_start.htm";
inline constexpr const char* kTopics = "index.htm";  // Help Topics: the help without a topic
inline constexpr const char* kSettingsFolders = "settings_dialog_folders.htm";
inline constexpr const char* kSettingsPlayers = "settings_dialog_external_players.htm";
inline constexpr const char* kSettingsEditors = "settings_dialog_external_editors.htm";
inline constexpr const char* kSettingsTools = "settings_dialog_external_tools.htm";
inline constexpr const char* kSettingsFunctionKeys = "settings_dialog_function_keys.htm";
inline constexpr const char* kSettingsView = "settings_dialog_view.htm";
inline constexpr const char* kSettingsMiscellaneous = "settings_dialog_miscellaneous.htm";
inline constexpr const char* kFilterStyles = "filter_dialog.htm";
inline constexpr const char* kFilterSongs = "filter_songs_dialog.htm";
inline constexpr const char* kColumns = "specifying_which_columns_should_be_displayed.htm";
inline constexpr const char* kModifyDialog = "modify_dialog.htm";
inline constexpr const char* kModifySongDialog = "modify_song_dialog.htm";
inline constexpr const char* kCdroms = "working_with_cd-roms.htm";
}  // namespace help

// The file of a help page: the help folder + "html/" + page.
std::string HelpPageFile(const std::string& page);

// The message shown when a help page is missing (translated, with the file name).
std::string MissingHelpPageMessage(const std::string& file);

// About box lines: product name and version, and the translated "by" + " Tessary".
std::string AboutProductLine();
std::string AboutAuthorLine();

// The hidden About box text, restored from its stored form (each character offset).
std::string HiddenAboutText();
// The stored form of a text (exposed so the tests can check the round trip).
std::string EncodeHiddenText(const std::string& text);
std::string DecodeHiddenText(const std::string& stored);

// How close to the About box's top-left corner the right-button double click must be.
inline constexpr int kHiddenTextCorner = 10;

}  // namespace kelvane

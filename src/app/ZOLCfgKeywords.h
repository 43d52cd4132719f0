// The keyword handler of the program configuration file and the analyser configuration file.
//
// Keywords (compared without regard to case): START_PATH, INCLUDE_SUBFOLDERS, SEARCH_TAG, DEBUG,
// HARD_RESCAN_BUTTON, RESCAN_BUTTON, NUV_SPECIAL_MENU, IGNORE_UNKNOWN_FIELDS,
// USE_SHORT_NAMES_FOR_MIDI_PLAYER, USE_SHORT_NAMES_FOR_MIDI_EDITOR, SHOW_UNKNOWN_KEYBOARD_IDS,
// SHOW_UNKNOWN_STYLE_IDS, MODE, TRACE, TRACE_TARGET_FILE_PROBLEMS, TRACE_TARGET_FILE_ANALYSIS,
// LANGUAGE, SORT_SEQUENCE. Others are warned about and passed over.
#pragma once

#include <string>
#include <string_view>

#include "support/NUVStatus.h"

namespace kelvane {

// Applies one keyword to the start-up state (Config(), run mode, search tags, language, trace).
// Returns 0 to go on, else the status that stops the reading of the file: -222 for a value
// that is not a number where one is needed, the search-tag statuses, -10010, or the status of
// the language change.
StatusCode ProcessCfgKeyword(const std::string& keyword, const std::string& value,
                             const std::string& fileName, int lineNumber, char separator);

// The sort sequence a name selects: "Modern", "Classic", "Windows" (any case), else "Default".
std::string SortSequenceName(std::string_view name);

}  // namespace kelvane

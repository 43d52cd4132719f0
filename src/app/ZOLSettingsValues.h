// The values of the settings sheet, taken from the program-wide values when the sheet opens and
// stored when the user confirms it: each value goes to its section and key of the settings
// store, and the program-wide values change at once. The language takes effect after a restart.
//
// "QuickCopyPath" and "DefaultSortOrder" are read and written in the section "General" in both
// run modes, so that a value changed in midi mode survives a restart.
#pragma once

#include <array>
#include <string>

#include "app/ZOLFunctionKeys.h"
#include "support/NUVStatus.h"

namespace kelvane {

struct SettingsValues {
    // Folders
    std::string defaultStartPath;
    int defaultIncludeSubdirectories = 0;
    std::string trashFolder;
    // Players, editors, tools (the run mode's programs)
    std::string player1, player2, karaokePlayer;
    std::string editor1, editor2, casmEditor;
    std::string dumpProgram;
    int playWith = 0;       // 0 the external player (when one is named), 1 the built-in player
    std::string soundFont;  // the built-in player's SoundFont; empty = the usual places
    // Function keys F1..F12 (F1 and F5 are never written)
    std::array<int, kFunctionKeyCount> functionKeys{};
    // View
    int listViewFontSize = 0;  // 0 = the list's default font, else 3..99
    std::string sortOrder = "Default";
    std::string languageFullName = "English";
    // Miscellaneous
    std::string quickCopyPath;
    int uppercaseShortFilenamesOnCopyToA = 0;
    int renameToStyOnCopyToA = 0;  // style mode only
    int autoCorrectIllegalFileDates = 0;
    int changeBackgroundColorIfFilterIsActive = 1;
    // Scanning: threads that analyse files, kMinScanWorkers..kMaxScanWorkers; 0 = one per core
    int scanWorkers = 0;
};

// The values in force (Config(), the current language).
SettingsValues CurrentSettingsValues();

// Writes every value to its section and key (texts trimmed) and updates Config(), the sort
// sequence and, when the language changed, the loaded language and "Global"/"Language". A
// failing write is logged as "Error - Cannot store setting - " with section and key and makes
// the result -10020; the other values are still written. Never shows a box.
StatusCode StoreSettingsValues(const SettingsValues& values);

// The font sizes the View page offers after "(default)".
inline constexpr int kMinListFontSize = 3;
inline constexpr int kMaxListFontSize = 99;

// The range of the scan's worker setting ("General"/"ScanWorkers"; 0 stands for one worker per
// core of the machine); a value outside it counts as 0.
inline constexpr int kMinScanWorkers = 0;
inline constexpr int kMaxScanWorkers = 64;
int ScanWorkersSetting(int value);

// The four sort sequence names in the order the View page lists them.
const std::array<const char*, 4>& SortOrderNames();

}  // namespace kelvane

// Program-wide values read at start from the two configuration files and from the settings
// store, and changed by the settings pages. One instance, reached through Config().
#pragma once

#include <array>
#include <string>

namespace kelvane {

struct ConfigValues {
    // From the program and analyser configuration files (keywords).
    std::string startPath;                 // START_PATH, -p; empty until given
    int includeSubfoldersRequest = -1;     // INCLUDE_SUBFOLDERS; -1 = not given
    int debugLevel = 1;                    // DEBUG (mirrored into the message facility)
    int hardRescanButton = 0;              // HARD_RESCAN_BUTTON
    int rescanButton = 0;                  // RESCAN_BUTTON
    int specialMenu = 0;                   // NUV_SPECIAL_MENU (working value)
    int specialMenuCopy = 0;               // NUV_SPECIAL_MENU (copy; decides empty data-file lines)
    int ignoreUnknownFields = 0;           // IGNORE_UNKNOWN_FIELDS
    int useShortNamesForMidiPlayer = 0;    // USE_SHORT_NAMES_FOR_MIDI_PLAYER
    int useShortNamesForMidiEditor = 0;    // USE_SHORT_NAMES_FOR_MIDI_EDITOR
    int showUnknownKeyboardIds = 0;        // SHOW_UNKNOWN_KEYBOARD_IDS
    int showUnknownStyleIds = 0;           // SHOW_UNKNOWN_STYLE_IDS
    int traceTargetFileProblems = 0;       // TRACE_TARGET_FILE_PROBLEMS
    int traceTargetFileAnalysis = 0;       // TRACE_TARGET_FILE_ANALYSIS
    std::string sortSequence = "Default";  // SORT_SEQUENCE / "DefaultSortOrder"

    // Names computed at start.
    std::string programConfigFile;   // program folder + "kelvane.CFG" or -c
    std::string analyserConfigFile;  // program folder + "kelvane.CFA" / ".CFM"
    std::string helpFilePath;

    // Effective start folder (ends with "/") and include-subfolders flag after start.
    std::string effectiveStartPath;
    int includeSubfolders = 0;

    // Settings store values (sections "General", mode section, program section, ...).
    std::string trashFolder;                        // General/TrashFolder
    std::string quickCopyPath = "/media/usb";       // General/QuickCopyPath
    int uppercaseShortFilenamesOnCopyToA = 0;       // mode/DefaultUppercaseShortFilenamesOnCopyToA
    int renameToStyOnCopyToA = 0;                   // General/DefaultRenameToStyOnCopyToA (style)
    int listViewFontSize = 0;                       // mode/DefaultListViewFontSize
    int autoCorrectIllegalFileDates = 0;            // mode/AutoCorrectIllegalFileDates
    int changeBackgroundColorIfFilterIsActive = 1;  // mode/ChangeBackgroundColorIfFilterIsActive
    int scanWorkers = 0;  // General/ScanWorkers: threads that analyse files; 0 = one per core
    std::string defaultStartPath;          // mode/DefaultStartPath (home folder by default)
    int defaultIncludeSubdirectories = 0;  // mode/DefaultIncludeSubdirectories
    int columnAutoresize = 2;              // Columns/DefaultColumnAutoresize (2 = not set)

    // External programs of the run mode (empty = not specified).
    std::string player1, player2, karaokePlayer;  // Style/MidiPlayer(2), KaraokePlayer
    std::string editor1, editor2, casmEditor;     // Style/MidiEditor(2), StyleCASMEditor
    std::string dumpProgram;                      // DumpProgram
    int playWith = 0;       // PlayWith: 0 the external player (when named), 1 the built-in one
    std::string soundFont;  // General/SoundFont: the audition's .sf2; empty = the usual places

    // Function keys F1..F12: action numbers (0 = none).
    std::array<int, 12> functionKeys{};
};

// The one instance.
ConfigValues& Config();

}  // namespace kelvane

// The start-up values of the settings store, read into Config() after both configuration files.
#pragma once

#include <string>

namespace kelvane {

// The settings section of the run mode: "General" / "GeneralMidi".
const char* ModeSection();
// The external programs' section: "ExternalPrograms" / "ExternalProgramsMidi".
const char* ProgramSection();

// The user's home folder with a trailing "/" (the default start folder).
std::string HomeFolder();

// Reads the start-up values with their defaults, then fixes the effective start folder and the
// include-subfolders flag, the help path, the mode's external programs and the column setting.
void ReadStartSettings();

}  // namespace kelvane

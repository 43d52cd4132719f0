// What the program remembers of its last run in the run mode, and what it decides on the very
// first start: the window's place, the Incl. Subfolders box, and whether a start folder whose
// files all lie in subfolders is read with them.
#pragma once

#include <string>

#include "support/NUVStatus.h"

namespace kelvane {

// True until a window of the run mode has been closed once (no place of it is stored).
bool IsFirstStart();

// The window's place as the toolkit saved it (its own encoding, kept as text); empty when none.
std::string StoredWindowPlace();
// Stores the window's place and the state of the Incl. Subfolders box of the run mode.
StatusCode StoreWindowState(const std::string& place, bool includeSubfolders);

// The Incl. Subfolders box at start when no INCLUDE_SUBFOLDERS keyword decides: as it was left
// last time, else the default of the settings page.
bool LastIncludeSubfolders(bool defaultValue);

// True when `folder` itself holds no file of the run mode but has subfolders (hidden folders
// aside): its files lie below it, so reading it without subfolders would show nothing.
bool FilesOnlyInSubfolders(const std::string& folder);

}  // namespace kelvane

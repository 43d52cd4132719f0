// The desktop's trash (the freedesktop.org trash: $XDG_DATA_HOME/Trash for files on the home
// file system, a .Trash-UID folder at the top of other file systems). A file moved there keeps
// a note of where it came from, so the file manager can put it back.
#pragma once

#include <string>

namespace kelvane {

// Moves the file at `path` into the desktop's trash. True when it went; `trashedPath` (when
// given) receives the path it has there.
bool MoveToDesktopTrash(const std::string& path, std::string* trashedPath);

}  // namespace kelvane

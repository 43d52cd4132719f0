// Opening configuration files in the user's text editor.
#pragma once

#include <string>
#include <vector>

#include "support/NUVStatus.h"

namespace kelvane {

// The program's base name: "kelvane.CFG", "kelvane.CFA", "kelvane.CFM", help "kelvane_eng".
inline constexpr const char* kProgramBaseName = "kelvane";
// Longest configuration file name accepted (a path of the platform).
inline constexpr std::size_t kMaxConfigFileName = 4095;

// Program folder + base name + "." + extension; empty when the program folder is unknown.
std::string FileOnExePath(const std::string& name, const std::string& extension);

// Opens the program configuration file (program folder + "kelvane.CFG") in the editor.
StatusCode EditProgramConfigFile();
// Opens program folder + name + "." + extension in the editor.
StatusCode EditFileOnExePath(const std::string& name, const std::string& extension);

// Starts the editor ($VISUAL, else $EDITOR, else xdg-open) on `path`, given as one argument and
// never through a shell. 0 when the editor started, else -200.
StatusCode OpenInEditor(const std::string& path);

// The editor command line for `path` (the variable's words, then the path as one element).
std::vector<std::string> EditorCommand(const std::string& path);

}  // namespace kelvane

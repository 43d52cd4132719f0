// The program folder: configuration files, keyboard data, language files, default import
// files and help live there. KELVANE_HOME overrides it (tests and the build tree use that).
#pragma once

#include <string>

namespace kelvane {

// Folder of the program files, with a trailing "/".
std::string ProgramFolder();
// Full path of the running executable (from /proc/self/exe).
std::string ExecutablePath();

}  // namespace kelvane

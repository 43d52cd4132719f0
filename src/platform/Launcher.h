// Starting external programs. A file name is handed over as exactly one argument, never
// through a shell and never quoted, so names with blanks or shell characters arrive intact.
#pragma once

#include <string>
#include <vector>

namespace kelvane {

// Starts `program` detached with `argument` as its only argument; false when it cannot be
// started.
bool LaunchProgram(const std::string& program, const std::string& argument);

// Starts `program` detached with the given arguments, each one argv element.
bool LaunchProgramWithArguments(const std::string& program,
                                const std::vector<std::string>& arguments);

// Opens a file or folder with the program the desktop associates with its type (xdg-open).
bool OpenByType(const std::string& path);

}  // namespace kelvane

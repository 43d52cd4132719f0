// Renaming the file behind one selected row, with every file of its base name.
#pragma once

#include <string>

#include "support/NUVStatus.h"

namespace kelvane {

// The rename command: refuses unless exactly one row is selected, asks for the new name
// (again while a file of that base name exists), renames the set, and updates the records of
// the renamed files and their folder's data file. Every file keeps its own extension, also the
// selected one when another extension is typed. Returns 0 (also for refusals and Cancel) or the
// failing status.
StatusCode RenameSelectedFile();

// The new name as the file gets it: the folder part of the choice dropped, the old extension
// added to a name without "."; empty for an unusable choice.
std::string UsableNewName(const std::string& chosen, const std::string& oldName);

}  // namespace kelvane

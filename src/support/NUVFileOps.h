// Changing files: delete (plain and forced), rename, copy, setting file times, and the
// pattern-driven renames built on the walker.
#pragma once

#include <string>

#include "platform/FileTime.h"
#include "support/NUVStatus.h"

namespace kelvane {

// 0; -103 not found; -104 write protected (read-only attribute, or the folder or medium
// refuses); -153 any other failure.
StatusCode FileDelete(const std::string& path);

// Clears the read-only attribute, then deletes: 0, or -103 when either step fails.
StatusCode FileDeleteForced(const std::string& path);

// Never replaces an existing target. 0; -111 old file not found; -109 access denied or
// target exists or bad name; -110 different file system; -140 no space; -114 any other.
StatusCode FileRename(const std::string& oldPath, const std::string& newPath);

// Traces "Copying file : <source>" at level 10, then copies over an existing target.
// 0; -170 write-protected medium; -172 medium not ready; -184 the target cannot be made;
// -166 medium full; -119 any other failure.
StatusCode CopyFileStatus(const std::string& source, const std::string& target);

// Sets the last-access and last-write time of an existing writable file: 1, else 0.
int SetFileTimes(const std::string& path, FileTime time);

// Renames each file matching `fileSpec` (folder + pattern, no subfolders) to `newName` up to
// its last "." followed by the file's own extension. 0, or the first failing rename status.
StatusCode RenameByPattern(const std::string& fileSpec, const std::string& newName);

// Renames every file matching `fileSpec` whose name is short (IsShortName) and not all upper
// case to its upper-case form. Returns the walk's status, or when the walk succeeded the
// first failing rename status.
StatusCode UpperCaseShortNames(const std::string& fileSpec, bool recurse);

}  // namespace kelvane

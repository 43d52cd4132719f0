// Copying one file over another, as the platform's copy did: an existing target is replaced,
// the copy keeps the source's last-write time and read-only attribute, and a copy that fails
// half-way leaves the old target (or no target) behind. The copy is written through the atomic
// file (NUVAtomicFile.h), like every other file the program replaces.
#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace kelvane {

// Failures: FileNotFound / PathNotFound (source), AccessDenied, WriteProtected, NotReady,
// DiskFull, CannotMake, InvalidName, Other.
PlatformStatus CopyFileOverwrite(const std::string& source, const std::string& target);

}  // namespace kelvane

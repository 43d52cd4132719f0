// Buffered file streams. A folder is never opened as a file: reading one would fail on the
// first read instead of at the open, unlike on the platform the program was first made for.
#pragma once

#include <cstdio>
#include <string>

namespace kelvane {

// fopen with the given C mode ("r", "wb", "a+", ...), close-on-exec, folders refused
// (errno EISDIR). nullptr on failure with errno set.
std::FILE* OpenFileStream(const std::string& path, const std::string& mode);

}  // namespace kelvane

// Free space of the file system that holds a path. A medium with no block left for the user,
// or mounted read-only, counts as full: the scan treats it like a read-only medium.
#pragma once

#include <cstdint>
#include <string>

#include "platform/FileSystem.h"

namespace kelvane {

struct FreeSpaceInfo {
    std::uint64_t bytesAvailable = 0;  // to an unprivileged user
    bool readOnlyMount = false;
    bool NoFreeSpace() const { return bytesAvailable == 0 || readOnlyMount; }
};

// Asks the file system holding `path`; a path that does not exist yet is answered for its
// nearest existing folder.
PlatformStatus QueryFreeSpace(const std::string& path, FreeSpaceInfo& info);

}  // namespace kelvane

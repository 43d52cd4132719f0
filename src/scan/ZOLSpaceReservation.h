// The space reservation file "ZOLSPACE" + ".SDE" / ".SDM": copy and move write it into a
// target folder before copying a file there and delete it right before appending the record
// to that folder's move file, so that the append finds room even when the copy filled the
// medium. Its lines begin with "#", so a scan that meets it reads no record from it, and it
// matches the extra data-file pattern, so the scan deletes it with the other extra files.
#pragma once

#include <string>

#include "support/NUVStatus.h"

namespace kelvane {

inline constexpr const char* kSpaceFileBaseName = "ZOLSPACE";
inline constexpr int kSpaceFileLines = 10;

// folder + "ZOLSPACE" + the extra data-file extension of the run mode.
std::string SpaceFilePath(const std::string& folder);

// Writes the reservation file: ten lines of the translated reservation text (which carries
// its own line feed) each followed by CR LF; 1050 bytes in English. Returns 0; -10385 when
// the file cannot be created; the status of a failing line write; -166 when closing fails.
StatusCode ReserveDestinationSpace(const std::string& folder);

// Deletes the reservation file and returns the delete status.
StatusCode ReleaseDestinationSpace(const std::string& folder);

}  // namespace kelvane

#include "scan/ZOLSpaceReservation.h"

#include "platform/FileSystem.h"
#include "support/NUVFile.h"
#include "support/NUVFileOps.h"
#include "support/NUVLang.h"
#include "support/NUVPath.h"
#include "support/NUVStatus.h"
#include "support/ZOLRunMode.h"

namespace kelvane {

std::string SpaceFilePath(const std::string& folder) {
    return WithSlash(folder) + kSpaceFileBaseName + CurrentModeNames().extraExtension;
}

StatusCode ReserveDestinationSpace(const std::string& folder) {
    const std::string path = SpaceFilePath(folder);
    if (PathExists(path)) {
        SetReadOnly(path, false);
    }
    // Not replaced atomically on purpose: the point of the file is to take up room now.
    FileHandle file = FileOpen(path, kFileBinary, kFileModeWrite);
    if (file == nullptr) {
        return status::kSpaceFileCreate;
    }
    const std::string line = Translate(
        "# ========= This file was used to allocate some space on the disk === You can delete "
        "it ==============\n");
    StatusCode result = 0;
    for (int i = 0; i < kSpaceFileLines && result == 0; ++i) {
        result = FileWriteLine(file, line);
    }
    if (FileClose(file) != 0 && result == 0) {
        result = status::kNoSpaceLeft;
    }
    return result;
}

StatusCode ReleaseDestinationSpace(const std::string& folder) {
    return FileDelete(SpaceFilePath(folder));
}

}  // namespace kelvane

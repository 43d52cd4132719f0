#include "support/NUVPath.h"

#include <atomic>
#include <cerrno>
#include <cstdint>

#include "platform/FileSystem.h"
#include "support/NUVText.h"

namespace kelvane {
namespace {

constexpr std::size_t kMaxCounterDigits = 10;
// Names tried by one UniqueFileName call before giving up (a folder that refuses every look).
constexpr int kMaxUniqueTries = 100000;

std::atomic<std::uint32_t>& UniqueNameCounter() {
    static std::atomic<std::uint32_t> counter{0};
    return counter;
}

}  // namespace

void AppendSlash(std::string& folder) {
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
}

std::string WithSlash(std::string_view folder) {
    std::string result(folder);
    AppendSlash(result);
    return result;
}

StatusCode create_full_filename(std::string& destination, std::string_view folder,
                                std::string_view name, std::string_view extension) {
    std::string result(folder);
    AppendSlash(result);
    result += name;
    if (!extension.empty() && extension[0] != '.') {
        result += '.';
    }
    result += extension;
    if (result.size() > kMaxPathLength) {
        return status::kFullNameError;
    }
    destination = std::move(result);
    return 0;
}

StatusCode ExpandPath(std::string& destination, const std::string& path) {
    std::string absolute = AbsolutePath(path);
    if (absolute.empty() || absolute.size() > kMaxPathLength) {
        return status::kExpandPathError;
    }
    destination = std::move(absolute);
    return 0;
}

StatusCode FolderOfPath(std::string& destination, const std::string& path) {
    destination.clear();
    std::string absolute;
    if (ExpandPath(absolute, path) != 0) {
        return status::kExpandPathError;
    }
    const auto slash = absolute.rfind('/');
    if (absolute.find('.') == std::string::npos || slash == std::string::npos) {
        return status::kProgramPathError;
    }
    destination = absolute.substr(0, slash);
    return 0;
}

PathParts SplitPath(std::string_view path) {
    PathParts parts;
    const auto slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    parts.folder = path.substr(0, nameStart);
    parts.nameExtension = path.substr(nameStart);
    const auto dot = parts.nameExtension.rfind('.');
    if (dot == std::string::npos) {
        parts.name = parts.nameExtension;
    } else {
        parts.name = parts.nameExtension.substr(0, dot);
        parts.extension = parts.nameExtension.substr(dot);
    }
    parts.driveFolder = parts.folder;
    return parts;
}

std::string FileNamePart(std::string_view path) {
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

int HasExtension(std::string_view name, std::string_view extension) {
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        return 0;
    }
    if (!extension.empty() && extension[0] == '.') {
        extension.remove_prefix(1);
    }
    return EqualsIgnoringCase(name.substr(dot + 1), extension) ? 1 : 0;
}

int IsShortName(std::string_view path) {
    const PathParts parts = SplitPath(path);
    return parts.name.size() <= 8 && parts.extension.size() <= 4 ? 1 : 0;
}

void UpperCaseNamePart(std::string& path) {
    const auto slash = path.rfind('/');
    for (std::size_t i = slash == std::string::npos ? 0 : slash; i < path.size(); ++i) {
        path[i] = UpperChar(path[i]);
    }
}

int MakeFolderPath(const std::string& folder) {
    const std::string path = WithSlash(folder);
    if (IsFolder(path + ".")) {
        return 1;
    }
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string soFar = path.substr(0, slash);
        if (!IsFolder(soFar + "/.") && !CreateFolder(soFar).Ok()) {
            return 0;
        }
    }
    return 1;
}

StatusCode UniqueFileName(const std::string& folder, std::string& destination) {
    const std::string base = WithSlash(folder);
    if (base.size() + kMaxCounterDigits > kMaxPathLength) {
        return status::kUniqueNameTooLong;
    }
    const int savedErrno = errno;
    for (int tries = 0; tries < kMaxUniqueTries; ++tries) {
        std::uint32_t number = ++UniqueNameCounter();
        if (number == 0) {
            number = ++UniqueNameCounter();  // after the largest number, go on with 1
        }
        std::string candidate = base + std::to_string(number);
        if (NameIsFree(candidate)) {
            destination = std::move(candidate);
            errno = savedErrno;
            return 0;
        }
    }
    errno = savedErrno;
    return status::kUniqueNameError;
}

}  // namespace kelvane

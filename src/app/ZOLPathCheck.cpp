#include "app/ZOLPathCheck.h"

#include <sys/stat.h>

#include <cerrno>
#include <string_view>

#include "app/ZOLStartSettings.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVTranslateFormat.h"

namespace kelvane {
namespace {

// ":", "\" and dots are ordinary characters in Linux folder names ("Live: 2024", hidden
// folders such as ".styles"); "." and ".." are no folder names of their own.
constexpr std::string_view kForbidden = "\"*/<>?|";

bool EdgeCharacter(char c) {
    return c == ' ' || c == '\t';
}

std::string ExpandHome(const std::string& typed) {
    if (typed == "~") {
        return HomeFolder();
    }
    if (typed.rfind("~/", 0) == 0) {
        return HomeFolder() + typed.substr(2);
    }
    return typed;
}

}  // namespace

bool FolderPartValid(const std::string& part) {
    if (part.empty() || part == "." || part == ".." || EdgeCharacter(part.front()) ||
        EdgeCharacter(part.back())) {
        return false;
    }
    return part.find_first_of(kForbidden) == std::string::npos;
}

FolderPathCheck CheckFolderPath(const std::string& typed) {
    FolderPathCheck result;
    std::string path = ExpandHome(typed);
    result.folder = path;
    if (path.empty() || path.front() != '/') {
        return result;
    }
    if (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    // Parts after the root "/", which plays the part of the drive.
    std::size_t start = 1;
    while (start <= path.size() && path.size() > 1) {
        const std::size_t slash = path.find('/', start);
        const std::size_t end = slash == std::string::npos ? path.size() : slash;
        if (!FolderPartValid(path.substr(start, end - start))) {
            return result;
        }
        start = end + 1;
    }
    result.folder = path == "/" ? path : path + "/";
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        result.state = FolderPathState::Missing;
    } else {
        result.state = S_ISDIR(info.st_mode) ? FolderPathState::Exists : FolderPathState::NotFolder;
    }
    return result;
}

std::string InvalidFolderMessage(const std::string& path) {
    return StrFormat(TranslateFormat("The folder:\n\n%s\n\nis invalid. Please reenter.").c_str(),
                     path.c_str());
}

std::string CreateFolderQuestion(const std::string& path) {
    return StrFormat(
        TranslateFormat(
            "The folder:\n\n%s\n\ndoes not exist. Do you want the folder to be created?")
            .c_str(),
        path.c_str());
}

std::string CannotCreateFolderMessage(const std::string& path) {
    return StrFormat(
        TranslateFormat("The folder:\n\n%s\n\ncan not be created. Please double check.").c_str(),
        path.c_str());
}

NewFolderResult CreateNewFolder(const std::string& parent, const std::string& name,
                                std::string& created) {
    if (!FolderPartValid(name)) {
        return NewFolderResult::InvalidName;
    }
    std::string path = parent;
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    path += name;
    if (::mkdir(path.c_str(), 0777) == 0) {
        created = path + "/";
        return NewFolderResult::Created;
    }
    switch (errno) {
        case EEXIST:
            return NewFolderResult::AlreadyExists;
        case ENOENT:
        case ENOTDIR:
            return NewFolderResult::PathNotFound;
        default:
            return NewFolderResult::OtherError;
    }
}

std::string NewFolderMessage(NewFolderResult result, const std::string& name) {
    switch (result) {
        case NewFolderResult::Created:
            return {};
        case NewFolderResult::InvalidName:
            return InvalidFolderMessage(name);
        case NewFolderResult::AlreadyExists:
            return Translate("Error creating folder: Directory already exists");
        case NewFolderResult::PathNotFound:
            return Translate("Error creating folder: Path was not found");
        case NewFolderResult::OtherError:
            break;
    }
    // Permission and medium errors: say so rather than blame the path.
    return Translate("Error creating folder: Access denied");
}

}  // namespace kelvane

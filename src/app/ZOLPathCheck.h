// The checks of the folder chooser: a typed folder path is tested part by part, a valid path
// that does not exist can be created, and the New Folder button creates one folder below the
// selected one. No widgets here; the chooser shows the messages these functions build.
#pragma once

#include <string>

namespace kelvane {

enum class FolderPathState {
    Invalid,   // a part breaks the naming rules (or the path is not absolute)
    Exists,    // an existing folder
    Missing,   // valid but not there yet (may be created)
    NotFolder  // the path names something that is not a folder
};

struct FolderPathCheck {
    FolderPathState state = FolderPathState::Invalid;
    std::string folder;  // the path as checked, with a trailing "/"
};

// True when one path part is acceptable: not empty, no leading or trailing blank, tab or dot,
// none of  " * / < > ? |  inside (":" and "\" are allowed, as in any Linux folder name).
bool FolderPartValid(const std::string& part);

// Checks a typed path: it must start with "/" (a leading "~" stands for the home folder);
// every part between the slashes must pass FolderPartValid (one trailing "/" is allowed).
FolderPathCheck CheckFolderPath(const std::string& typed);

// The messages of the chooser (translated, with the path filled in).
std::string InvalidFolderMessage(const std::string& path);
std::string CreateFolderQuestion(const std::string& path);
std::string CannotCreateFolderMessage(const std::string& path);

// New Folder: creates `name` below `parent`.
enum class NewFolderResult { Created, InvalidName, AlreadyExists, PathNotFound, OtherError };
NewFolderResult CreateNewFolder(const std::string& parent, const std::string& name,
                                std::string& created);
// The message of a failed New Folder; empty for Created.
std::string NewFolderMessage(NewFolderResult result, const std::string& name);

}  // namespace kelvane

// Building, expanding and splitting paths. Folder texts end with "/"; a path is split into
// folder (up to and including the last "/"), name and extension (from the name's last ".",
// with the ".").
#pragma once

#include <string>
#include <string_view>

#include "support/NUVStatus.h"

namespace kelvane {

// Appends "/" unless the text is empty or already ends with one.
void AppendSlash(std::string& folder);
std::string WithSlash(std::string_view folder);

// folder + "/" (unless the folder is empty or ends with "/") + name + "." (unless the
// extension is empty or begins with ".") + extension. 0, or -130 when the result is longer
// than the longest path.
StatusCode create_full_filename(std::string& destination, std::string_view folder,
                                std::string_view name, std::string_view extension);

// The absolute path (see AbsolutePath); -131 when it cannot be had.
StatusCode ExpandPath(std::string& destination, const std::string& path);

// The absolute path cut before its last "/", for paths that contain a "." somewhere;
// otherwise an empty destination and -129. -131 when the path cannot be expanded.
StatusCode FolderOfPath(std::string& destination, const std::string& path);

struct PathParts {
    std::string drive;          // always empty: no drives here
    std::string folder;         // up to and including the last "/"
    std::string name;           // before the name's last "."
    std::string extension;      // from the name's last ".", with the "."
    std::string driveFolder;    // drive + folder
    std::string nameExtension;  // name + extension
};
PathParts SplitPath(std::string_view path);

// The text after the last "/", or the whole path.
std::string FileNamePart(std::string_view path);

// 1 when the text after the last "." of `name` equals `extension` (given with or without its
// "."), letters compared without regard to case; 0 otherwise and for names without ".".
int HasExtension(std::string_view name, std::string_view extension);

// 1 when the name part has at most 8 characters and the extension with its "." at most 4.
int IsShortName(std::string_view path);

// Upper-cases the text from the last "/" on (the whole path when there is none).
void UpperCaseNamePart(std::string& path);

// Creates every missing folder along `folder`: 1 when the whole path exists at the end, 0
// when a folder cannot be created.
int MakeFolderPath(const std::string& folder);

// destination = folder + "/" + the next number of a program-wide counter (starting at 1)
// that names nothing existing and nothing the platform refuses to look at. 0; -137 when the
// result could exceed the longest path; -138 when no free name turns up. errno is kept.
StatusCode UniqueFileName(const std::string& folder, std::string& destination);

}  // namespace kelvane

#include "support/NUVConfigEdit.h"

#include <cstdlib>

#include "platform/Launcher.h"
#include "platform/ProgramDir.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"

namespace kelvane {
namespace {

// Starts `args` (program first) detached from this process, without a shell.
bool LaunchDetached(const std::vector<std::string>& args) {
    if (args.empty()) {
        return false;
    }
    return LaunchProgramWithArguments(args.front(), {args.begin() + 1, args.end()});
}

// Splits an editor variable such as "code --wait" into words at blanks; no shell rules.
std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) {
                words.push_back(word);
                word.clear();
            }
        } else {
            word.push_back(c);
        }
    }
    if (!word.empty()) {
        words.push_back(word);
    }
    return words;
}

StatusCode EditComputedFile(const std::string& name, const char* warning, const char* debugText) {
    if (name.empty()) {
        NUV_WARNING("%s", Translate(warning).c_str());
        return status::kUnspecified;
    }
    NUV_DEBUG("%s %s", debugText, name.c_str());
    return OpenInEditor(name);
}

}  // namespace

std::string FileOnExePath(const std::string& name, const std::string& extension) {
    const std::string folder = ProgramFolder();
    if (folder.empty()) {
        return {};
    }
    std::string path = folder + name;
    if (!extension.empty()) {
        if (extension[0] != '.') {
            path += '.';
        }
        path += extension;
    }
    return path.size() <= kMaxConfigFileName ? path : std::string();
}

StatusCode EditProgramConfigFile() {
    return EditComputedFile(FileOnExePath(kProgramBaseName, "CFG"),
                            "Error when determining configuration file name",
                            "CFG NAME CALCULATED");
}

StatusCode EditFileOnExePath(const std::string& name, const std::string& extension) {
    return EditComputedFile(FileOnExePath(name, extension),
                            "Error when determining configuration file name",
                            "EditFileOnExePath calculated");
}

std::vector<std::string> EditorCommand(const std::string& path) {
    std::vector<std::string> command;
    for (const char* variable : {"VISUAL", "EDITOR"}) {
        if (const char* value = std::getenv(variable); value != nullptr) {
            command = SplitWords(value);
            if (!command.empty()) {
                break;
            }
        }
    }
    if (command.empty()) {
        command.push_back("xdg-open");
    }
    command.push_back(path);
    return command;
}

StatusCode OpenInEditor(const std::string& path) {
    // Shortcut files are not resolved on this platform: the path is used as it is.
    const std::vector<std::string> command = EditorCommand(path);
    if (!LaunchDetached(command)) {
        NUV_DEBUG("%s %s", "Cannot start editor", command.front().c_str());
        return status::kCannotOpenFile;
    }
    return status::kOk;
}

}  // namespace kelvane

#include "support/NUVConfigEdit.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/NuvProgramDir.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"

namespace kelvane {
namespace {

// Starts `argv` detached from this process (no shell, no wait for it to end). Returns true when
// the program could be executed. A double fork leaves no zombie behind; a close-on-exec pipe
// tells whether the exec itself failed.
// To be replaced by the platform launcher once it exists.
bool LaunchDetached(const std::vector<std::string>& args) {
    if (args.empty()) {
        return false;
    }
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        return false;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return false;
    }
    if (child == 0) {
        ::close(pipeFds[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            ::execvp(argv[0], argv.data());
            const char failed = 1;
            [[maybe_unused]] ssize_t n = ::write(pipeFds[1], &failed, 1);
            ::_exit(127);
        }
        ::_exit(grandchild < 0 ? 1 : 0);
    }
    ::close(pipeFds[1]);
    int childStatus = 0;
    while (::waitpid(child, &childStatus, 0) < 0 && errno == EINTR) {
    }
    char failed = 0;
    ssize_t n;
    do {
        n = ::read(pipeFds[0], &failed, 1);
    } while (n < 0 && errno == EINTR);
    ::close(pipeFds[0]);
    const bool forked = WIFEXITED(childStatus) && WEXITSTATUS(childStatus) == 0;
    return forked && n == 0;
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

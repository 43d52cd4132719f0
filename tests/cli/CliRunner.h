// Runs the built kelvane-cli as a child process with a program folder and a settings file of
// its own: arguments passed as they are (no shell), standard output and error captured.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/ScopedEnv.h"
#include "support/TestEnv.h"

extern char** environ;

namespace kelvane::test {

struct CliResult {
    int status = -1;  // exit status; -1 when killed by a signal
    std::string out;
    std::string err;
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }
};

class CliRunner {
  public:
    CliRunner() {
        for (const char* name : {"kelvane.CFG", "kelvane.CFA", "kelvane.CFM"}) {
            home.Write(name, ReadFileBytes(SourceDir() / "data" / name));
        }
    }

    // Runs `kelvane-cli args...` with `input` as its standard input; `whileRunning` (optional)
    // is called with the child's pid after it started and before it is waited for.
    CliResult Run(const std::vector<std::string>& args,
                  const std::function<void(pid_t)>& whileRunning = {},
                  const std::string& input = {}) {
        ScopedEnv homeEnv("KELVANE_HOME", home.Folder());
        ScopedEnv settingsEnv("KELVANE_SETTINGS", home.Folder() + "settings.ini");
        const std::string outPath = home.Folder() + "out.txt";
        const std::string errPath = home.Folder() + "err.txt";
        const std::string inPath = home.Folder() + "in.txt";
        WriteFileBytes(inPath, input);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, inPath.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::vector<std::string> all{KELVANE_CLI_PATH};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& arg : all) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        CliResult result;
        pid_t pid = 0;
        const int spawned =
            posix_spawn(&pid, KELVANE_CLI_PATH, &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            return result;
        }
        if (whileRunning) {
            whileRunning(pid);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = ReadFileBytes(outPath);
        result.err = ReadFileBytes(errPath);
        return result;
    }

    TempDir home;
};

// Waits (at most `limit`) until `ready` holds.
inline bool WaitFor(const std::function<bool()>& ready,
                    std::chrono::milliseconds limit = std::chrono::milliseconds(20000)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!ready()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace kelvane::test

#include "common/BenchGrep.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace kelvane::bench {

void WarmFile(const std::string& path) {
    std::ifstream warm(path, std::ios::binary);
    std::vector<char> block(1 << 16);
    while (warm.read(block.data(), static_cast<std::streamsize>(block.size()))) {
    }
}

void RunGrep(const std::string& word, const std::string& path) {
    const std::string output = path + ".count";
    const char* argv[] = {"grep", "-ci", word.c_str(), path.c_str(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    char locale[] = "LC_ALL=C";
    char* env[] = {locale, nullptr};
    pid_t pid = 0;
    const int spawned =
        posix_spawnp(&pid, "grep", &actions, nullptr, const_cast<char* const*>(argv), env);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) > 1) {
        std::fprintf(stderr, "cannot run grep\n");
        std::exit(1);
    }
}

long GrepCount(const std::string& path) {
    std::ifstream in(path + ".count");
    long count = -1;
    in >> count;
    return count;
}

}  // namespace kelvane::bench

// bench/run walk DIR: our walker over DIR (recursive, counting "*.sty" files) against
// `find DIR -name '*.sty'`. The tree is read once before each timed command (these machines
// drop unused page cache after about a minute), runs alternate ours / find, medians quoted.
// Both must count the same files (make the tree with bench/make-tree: no "."-folders).
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/BenchTiming.h"
#include "support/NUVWalk.h"

extern char** environ;

namespace {

constexpr int kRuns = 7;

// Reads every folder and the status of every entry once.
void ReadTree(const std::string& root) {
    std::error_code error;
    std::size_t entries = 0;
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        entries += it->is_regular_file(error) ? 1 : 0;
    }
    if (entries == 0) {
        std::fprintf(stderr, "walk: no files under %s\n", root.c_str());
    }
}

long OurCount(const std::string& root) {
    kelvane::WalkContext context;
    kelvane::InitWalkContext(context);
    context.fileSpec = root + "/*.sty";
    context.recurse = 1;
    long count = 0;
    context.fileCallback = [&count](kelvane::WalkContext&) {
        ++count;
        return 0;
    };
    const kelvane::StatusCode result = kelvane::ProcessAllFiles(context);
    if (result != 0 && result != kelvane::status::kNoFilesFound) {
        std::fprintf(stderr, "walk: status %d\n", result);
    }
    return count;
}

// Runs find with its output in a pipe and counts the lines.
long FindCount(const std::string& root) {
    int fds[2];
    if (pipe(fds) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    std::string dir = root;
    std::string name = "-name";
    std::string pattern = "*.sty";
    std::string program = "find";
    char* argv[] = {program.data(), dir.data(), name.data(), pattern.data(), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "find", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    long lines = 0;
    char buffer[65536];
    for (ssize_t got; (got = read(fds[0], buffer, sizeof buffer)) > 0;) {
        for (ssize_t i = 0; i < got; ++i) {
            lines += buffer[i] == '\n' ? 1 : 0;
        }
    }
    close(fds[0]);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return -1;
    }
    return lines;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench/run walk DIR\n");
        return 2;
    }
    std::string root = argv[1];
    while (root.size() > 1 && root.back() == '/') {
        root.pop_back();
    }
    std::vector<double> oursTimes;
    std::vector<double> findTimes;
    long ours = 0;
    long reference = 0;
    for (int run = 0; run < kRuns; ++run) {
        ReadTree(root);
        oursTimes.push_back(kelvane::bench::TimeSeconds([&] { ours = OurCount(root); }));
        ReadTree(root);
        findTimes.push_back(kelvane::bench::TimeSeconds([&] { reference = FindCount(root); }));
        if (ours != reference) {
            std::fprintf(stderr, "walk: counts differ: ours %ld, find %ld\n", ours, reference);
            return 1;
        }
    }
    std::fprintf(stderr, "walk: %ld files named *.sty under %s\n", ours, root.c_str());
    kelvane::bench::PrintResult("walk", kelvane::bench::Median(oursTimes),
                                kelvane::bench::Median(findTimes));
    return 0;
}

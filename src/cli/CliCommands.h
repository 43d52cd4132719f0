// The commands of kelvane-cli. Each lives in its own Cli<Name>.cpp and returns the process
// exit status: 0 success, 1 failure of the operation, 2 bad usage or unreadable input,
// 130 aborted by Ctrl-C.
#pragma once

namespace kelvane::cli {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(int argc, char** argv);  // argv[0] is the command name
};

// Every command, in the order `kelvane-cli --help` lists them.
const Command* Commands();
int CommandCount();

}  // namespace kelvane::cli

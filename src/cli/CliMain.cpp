// kelvane-cli: the headless front end. `kelvane-cli COMMAND [OPTIONS] ...`
#include <cstdio>
#include <cstring>

#include "cli/CliCommands.h"

namespace {

void PrintUsage(FILE* out) {
    std::fprintf(out, "usage: kelvane-cli COMMAND [OPTIONS] ...\n\ncommands:\n");
    for (int i = 0; i < kelvane::cli::CommandCount(); ++i) {
        const auto& command = kelvane::cli::Commands()[i];
        std::fprintf(out, "  %-12s %s\n", command.name, command.summary);
    }
    std::fprintf(out, "\n`kelvane-cli COMMAND --help` describes a command.\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintUsage(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    for (int i = 0; i < kelvane::cli::CommandCount(); ++i) {
        const auto& command = kelvane::cli::Commands()[i];
        if (std::strcmp(argv[1], command.name) == 0) {
            return command.run(argc - 1, argv + 1);
        }
    }
    std::fprintf(stderr, "kelvane-cli: unknown command '%s'\n\n", argv[1]);
    PrintUsage(stderr);
    return 2;
}

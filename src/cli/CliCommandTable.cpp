#include <cstdio>
#include <iterator>

#include "cli/CliCommands.h"

namespace kelvane::cli {

// One declaration and one table row per command; each command's code is in its own file.
int RunInfo(int argc, char** argv);

namespace {
const Command kCommands[] = {
    {"version", "print the program version",
     [](int, char**) -> int {
         std::puts("kelvane-cli V 4.5");
         return 0;
     }},
    {"info", "analyse style or MIDI files and print their records", RunInfo},
};
}  // namespace

const Command* Commands() {
    return kCommands;
}
int CommandCount() {
    return static_cast<int>(std::size(kCommands));
}

}  // namespace kelvane::cli

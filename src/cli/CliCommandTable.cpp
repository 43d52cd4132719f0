#include <cstdio>
#include <iterator>

#include "cli/CliCommands.h"

namespace kelvane::cli {

// One declaration and one table row per command; each command's code is in its own file.
int RunInfo(int argc, char** argv);
int RunScanCommand(int argc, char** argv);
int RunListCommand(int argc, char** argv);
int RunFastAccessCommand(int argc, char** argv);
int RunExportCommand(int argc, char** argv);
int RunImportCommand(int argc, char** argv);

namespace {
const Command kCommands[] = {
    {"version", "print the program version",
     [](int, char**) -> int {
         std::puts("kelvane-cli V 4.5");
         return 0;
     }},
    {"info", "analyse style or MIDI files and print their records", RunInfo},
    {"scan", "read a folder tree and print its records as CSV", RunScanCommand},
    {"list", "read a folder tree and print the list as the program shows it", RunListCommand},
    {"fast-access", "write the fast access files of a folder tree", RunFastAccessCommand},
    {"export", "export the records of a folder tree (data file format or CSV)", RunExportCommand},
    {"import", "merge import files into the records and data files of a folder tree",
     RunImportCommand},
};
}  // namespace

const Command* Commands() {
    return kCommands;
}
int CommandCount() {
    return static_cast<int>(std::size(kCommands));
}

}  // namespace kelvane::cli

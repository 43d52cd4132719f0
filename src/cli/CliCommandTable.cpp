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
int RunCopyCommand(int argc, char** argv);
int RunMoveCommand(int argc, char** argv);
int RunTrashCommand(int argc, char** argv);
int RunRenameCommand(int argc, char** argv);
int RunModifyCommand(int argc, char** argv);
int RunWriteMdbCommand(int argc, char** argv);
int RunCdromTestCommand(int argc, char** argv);
int RunSectionsCommand(int argc, char** argv);
int RunRenderCommand(int argc, char** argv);

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
    {"copy", "copy the files of the listed rows into a folder", RunCopyCommand},
    {"move", "move the files of the listed rows into a folder", RunMoveCommand},
    {"trash", "move the files of the listed rows into the trash folder", RunTrashCommand},
    {"rename", "rename the file of the one listed row with its companions", RunRenameCommand},
    {"modify", "set hand-kept values of the listed rows (or songs)", RunModifyCommand},
    {"write-mdb", "write the Music Finder songs of the listed styles into their files",
     RunWriteMdbCommand},
    {"cdrom-test", "list the listed files whose names do not fit a CD-ROM", RunCdromTestCommand},
    {"sections", "print the sections of a style (or the channels of a MIDI file)",
     RunSectionsCommand},
    {"render", "render a style section or a MIDI song into a WAV file", RunRenderCommand},
};
}  // namespace

const Command* Commands() {
    return kCommands;
}
int CommandCount() {
    return static_cast<int>(std::size(kCommands));
}

}  // namespace kelvane::cli

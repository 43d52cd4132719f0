// kelvane-cli sections [-m] FILE
//
// Prints the picture of one file as text (see picture/PictureLines.h): for a style one line
// per section marker, NAME, FIRST_BAR, BARS and the note-ons of the eight parts; with -m (a
// MIDI song) one line per channel with notes, CHANNEL, PROGRAM, NOTES and LOWEST-HIGHEST.
// Fields are separated by tabs. A file that is read only in part prints what was read and
// names the fault on standard error. Exit status 0; 1 when the file cannot be read or holds
// no MIDI data; 2 for bad usage.
#include <cstdio>
#include <string>

#include "cli/CliCommon.h"
#include "picture/FilePicture.h"
#include "picture/PictureLines.h"

namespace kelvane::cli {
namespace {

constexpr const char* kUsage =
    "usage: kelvane-cli sections [-m] FILE\n"
    "  Reads the MIDI data of FILE and prints, tab-separated:\n"
    "  a style:      one line per section marker\n"
    "                NAME  FIRST_BAR  BARS  N9 N10 N11 N12 N13 N14 N15 N16\n"
    "                (the note-ons of channels 9 to 16 from the marker to the next one)\n"
    "  -m, -M        a MIDI song: one line per channel with notes\n"
    "                CHANNEL  PROGRAM  NOTES  LOWEST-HIGHEST\n"
    "  Exit status: 0 done, 1 the file cannot be read, 2 bad usage.\n";

}  // namespace

int RunSectionsCommand(int argc, char** argv) {
    ArgCursor args(argc, argv);
    bool midi = false;
    std::vector<std::string> files;
    while (args.Next()) {
        const std::string& arg = args.Arg();
        if (args.IsOperand()) {
            files.push_back(arg);
        } else if (arg == "-m" || arg == "-M") {
            midi = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return kExitOk;
        } else {
            std::fprintf(stderr, "kelvane-cli sections: unknown option '%s'\n\n%s", arg.c_str(),
                         kUsage);
            return kExitUsage;
        }
    }
    if (files.size() != 1) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const FilePicture picture = ReadFilePicture(
        files[0], midi ? PictureKind::kSong : PictureKind::kStyle, PictureOptions{.facts = false});
    if (!picture.bytesRead) {
        std::fprintf(stderr, "kelvane-cli sections: %s\n", picture.problem.c_str());
        return kExitFailure;
    }
    if (!picture.readable) {
        std::fprintf(stderr, "kelvane-cli sections: '%s' holds no MIDI data: %s\n",
                     files[0].c_str(), picture.problem.c_str());
        return kExitFailure;
    }
    for (const std::string& line : PictureLines(picture)) {
        std::printf("%s\n", line.c_str());
    }
    if (!picture.problem.empty()) {
        std::fprintf(stderr, "kelvane-cli sections: '%s' is read in part: %s\n", files[0].c_str(),
                     picture.problem.c_str());
    }
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
}

}  // namespace kelvane::cli

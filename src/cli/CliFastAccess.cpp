// kelvane-cli fast-access: reads a folder tree with its subfolders and writes the fast access
// files of every folder of it.
#include <chrono>
#include <cstdio>

#include "cli/CliCommon.h"
#include "records/ZOLRecordStore.h"
#include "scan/ZOLFastAccess.h"
#include "scan/ZOLScanState.h"

namespace kelvane::cli {
namespace {

constexpr const char* kUsage =
    "usage: kelvane-cli fast-access [-m] [-s] [--soft|--hard] FOLDER\n"
    "  Reads FOLDER with all its subfolders (-s is implied) as the program does, then writes a "
    "fast access\n"
    "  file (\"ZOLFA.SDB\", midi mode \"ZOLMIDIFA.SDB\") into FOLDER and every folder below it,\n"
    "  each listing the records of its subtree. A copy of the tree on a read-only medium is\n"
    "  then listed from that file alone (`kelvane-cli list -s --read-only COPY`).\n"
    "  Exit status: 0 written, 1 refused or failed (the reason on standard error), 2 bad\n"
    "  usage or no such folder, 130 stopped by Ctrl-C.\n";

}  // namespace

int RunFastAccessCommand(int argc, char** argv) {
    FolderOptions options;
    ArgCursor args(argc, argv);
    while (args.Next()) {
        const std::string& arg = args.Arg();
        if (args.IsOperand()) {
            options.operands.push_back(arg);
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return kExitOk;
        } else if (arg == "--read-only" || !TakeFolderOption(arg, options)) {
            std::fprintf(stderr, "kelvane-cli fast-access: unknown option '%s'\n\n%s", arg.c_str(),
                         kUsage);
            return kExitUsage;
        }
    }
    if (options.operands.size() != 1) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    options.subfolders = true;
    CliSession session("fast-access");
    if (!session.Start(options)) {
        return kExitFailure;
    }
    if (const int read = session.ReadFolder(options); read != kExitOk) {
        return read;
    }
    const ScanStateValues& state = ScanState();
    const bool refused = state.treeComplete == 0 || state.readOnlyMedium != 0;
    // The command itself explains a refusal.
    const StatusCode written =
        WriteFastAccessDataFiles(RecordStore().records, std::chrono::milliseconds(0));
    return refused || written != 0 ? kExitFailure : kExitOk;
}

}  // namespace kelvane::cli

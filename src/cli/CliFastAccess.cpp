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
    "usage: kelvane-cli fast-access [-m] [-s] [--soft|--hard] [--jobs N] FOLDER\n"
    "  Reads FOLDER with all its subfolders (-s is implied) as the program does, then writes a "
    "fast access\n"
    "  file (\"ZOLFA.SDB\", midi mode \"ZOLMIDIFA.SDB\") into FOLDER and every folder below it,\n"
    "  each listing the records of its subtree. A copy of the tree on a read-only medium is\n"
    "  then listed from that file alone (`kelvane-cli list -s --read-only COPY`).\n"
    "  Exit status: 0 written, 1 refused or failed (the reason on standard error), 2 bad\n"
    "  usage or no such folder, 130 stopped by Ctrl-C.\n";

int WriteFastAccess(FolderOptions& options, CliSession& session) {
    options.subfolders = true;
    if (const int read = session.StartAndRead(options); read != kExitOk) {
        return read;
    }
    const ScanStateValues& state = ScanState();
    const bool refused = state.treeComplete == 0 || state.readOnlyMedium != 0;
    // The command itself explains a refusal.
    const StatusCode written =
        WriteFastAccessDataFiles(RecordStore().records, std::chrono::milliseconds(0));
    return refused || written != 0 ? kExitFailure : kExitOk;
}

int ReadArgs(int argc, char** argv, FolderOptions& options) {
    return ReadWritingFolderArgs(argc, argv, {"fast-access", kUsage, 1, 1}, options);
}

}  // namespace

int RunFastAccessCommand(int argc, char** argv) {
    return RunCommand("fast-access", argc, argv, FolderOptions{}, ReadArgs, WriteFastAccess);
}

}  // namespace kelvane::cli

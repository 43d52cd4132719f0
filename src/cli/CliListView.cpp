#include "cli/CliListView.h"

#include "list/ZOLColumnDefaults.h"
#include "list/ZOLListViewMgr.h"

namespace kelvane::cli {

bool TakeListArg(ArgCursor& args, ListArgs& list) {
    if (args.Arg() == "--songs") {
        list.songs = true;
        return true;
    }
    for (const char* name : {"--sort", "--columns", "--filter", "--quick", "--show"}) {
        std::string value;
        if (args.Value(name, value)) {
            list.given.emplace_back(name, value);
            return true;
        }
    }
    return false;
}

int ParseListArgs(const ListArgs& list, ListCliOptions& options, const CliSession& session) {
    const ViewMode view = list.songs ? Songs : Files;
    for (const auto& [name, value] : list.given) {
        std::string error;
        if (ParseListOption(name, value, view, options, error) != status::kOk) {
            session.Complain(name + ": " + error);
            return kExitUsage;
        }
    }
    return kExitOk;
}

int BuildList(const ListArgs& list, const ListCliOptions& options, const CliSession& session) {
    CZOLListViewMgr& manager = ListViewMgr();
    LoadColumnDefaults(manager, ProgramColumnSettings());
    if (list.songs) {
        manager.ShowSongList();
    } else {
        manager.ShowFileList();
    }
    std::string error;
    if (ApplyListOptions(options, manager, error) != status::kOk) {
        session.Complain(error);
        return kExitUsage;
    }
    return kExitOk;
}

}  // namespace kelvane::cli

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

int StartAndBuildList(CliSession& session, const FolderOptions& folder, const ListArgs& list,
                      const std::function<int()>& check) {
    if (!session.Start(folder)) {
        return kExitFailure;
    }
    ListCliOptions options;
    if (const int parsed = ParseListArgs(list, options, session); parsed != kExitOk) {
        return parsed;
    }
    if (const int checked = check ? check() : kExitOk; checked != kExitOk) {
        return checked;
    }
    if (const int read = session.ReadFolder(folder); read != kExitOk) {
        return read;
    }
    return BuildList(list, options, session);
}

}  // namespace kelvane::cli

// The list options of kelvane-cli (list, export): taken from the arguments, checked once the
// run mode is known, applied to the list after the folder has been read.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "cli/CliCommon.h"
#include "list/ZOLListOptions.h"

namespace kelvane::cli {

// --sort, --columns, --filter (repeatable), --quick, --show with their values, as given.
struct ListArgs {
    std::vector<std::pair<std::string, std::string>> given;
    bool songs = false;  // --songs: the song list
};

// Takes the list option at the cursor (true), else false.
bool TakeListArg(ArgCursor& args, ListArgs& list);

// Parses the options for the list they are meant for (after the program start). Returns 0,
// or 2 with the reason printed.
int ParseListArgs(const ListArgs& list, ListCliOptions& options, const CliSession& session);

// After the folder was read: loads the column defaults, shows the file or song list, applies
// the options. Returns 0, or 2 when a filter does not parse (the program's message printed).
int BuildList(const ListArgs& list, const ListCliOptions& options, const CliSession& session);

// What list, export and the row commands start with: the program started, the list options
// parsed, the folder read and the list built. `check`, when given, runs before the folder is read
// (the command's own checks that need the run mode). Returns the first failing exit status, 0
// when the list is built.
int StartAndBuildList(CliSession& session, const FolderOptions& folder, const ListArgs& list,
                      const std::function<int()>& check = {});

}  // namespace kelvane::cli

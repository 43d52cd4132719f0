#include "cli/CliRowCommand.h"

#include "list/ZOLListViewMgr.h"
#include "support/NUVFileInfo.h"
#include "support/NUVPath.h"

namespace kelvane::cli {

std::string RowCommandUsage(const char* format) {
    std::string usage = format;
    const size_t at = usage.find("%s");
    return at == std::string::npos ? usage : usage.replace(at, 2, kRowSelectionUsage);
}

bool TakeRowCommandArg(ArgCursor& args, RowCommandOptions& options) {
    if (args.Arg() == "--yes" || args.Arg() == "-y") {
        options.yes = true;
        return true;
    }
    return TakeFolderOption(args, options.folder) || TakeListArg(args, options.list);
}

int PrepareRows(CliSession& session, const RowCommandOptions& options) {
    if (const int built = StartAndBuildList(session, options.folder, options.list);
        built != kExitOk) {
        return built;
    }
    ListViewMgr().SelectAll();
    return kExitOk;
}

BoxAnswer CCliQuestionBoxes::MessageBox(const std::string& text, BoxIcon, BoxButtons buttons,
                                        BoxAnswer) {
    std::fprintf(stderr, "%s\n", text.c_str());
    if (buttons == BoxButtons::Ok) {
        return BoxAnswer::Ok;
    }
    const BoxAnswer yes = buttons == BoxButtons::YesNo ? BoxAnswer::Yes : BoxAnswer::Ok;
    const BoxAnswer no = buttons == BoxButtons::YesNo ? BoxAnswer::No : BoxAnswer::Cancel;
    if (yes_) {
        return yes;
    }
    for (;;) {
        std::fprintf(stderr, "[y/n] > ");
        std::fflush(stderr);
        std::string line;
        int c = 0;
        while ((c = std::fgetc(in_)) != EOF && c != '\n') {
            if (line.size() < 16) {
                line += static_cast<char>(c);
            }
        }
        if (c == EOF && line.empty()) {
            std::fprintf(stderr, "\n");
            return no;  // nobody to answer: nothing is changed
        }
        if (line == "y" || line == "Y" || line == "yes") {
            return yes;
        }
        if (line == "n" || line == "N" || line == "no") {
            return no;
        }
    }
}

int ExitStatusOf(StatusCode status, const CliSession& session) {
    if (status == 0) {
        return kExitOk;
    }
    return status == status::kAbortedByUser && session.Interrupted() ? kExitAborted : kExitFailure;
}

std::string ExistingFolder(const std::string& path) {
    std::string absolute;
    if (path.empty() || ExpandPath(absolute, path) != status::kOk) {
        return {};
    }
    absolute = WithSlash(absolute);
    return FolderExists(absolute) != 0 ? absolute : std::string();
}

}  // namespace kelvane::cli

#include "app/ZOLRefresh.h"

#include <unistd.h>

#include "app/ZOLStartSettings.h"
#include "support/NUVConfig.h"
#include "support/NUVFileInfo.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane {

std::string ShownFolderText(const std::string& folder) {
    const std::string home = HomeFolder();  // ends with "/"
    if (home.size() <= 1 || folder.size() <= home.size() ||
        folder.compare(0, home.size(), home) != 0) {
        return folder;
    }
    return "~/" + folder.substr(home.size());
}

std::string ExpandHomeFolder(const std::string& text) {
    if (text.empty() || text[0] != '~' || (text.size() > 1 && text[1] != '/')) {
        return text;
    }
    std::string home = HomeFolder();
    home.pop_back();  // the "/" that follows the "~" stays
    return home + text.substr(1);
}

StatusCode PrepareRefresh(const std::string& pathText, bool includeSubfolders) {
    std::string folder = ExpandHomeFolder(pathText);
    EnsureTrailingBackslash(folder);
    ConfigValues& config = Config();
    config.startPath = folder;
    config.effectiveStartPath = folder;
    config.includeSubfolders = includeSubfolders ? 1 : 0;
    return CheckRefreshFolder(folder);
}

StatusCode CheckRefreshFolder(const std::string& folder) {
    if (FolderExists(folder) == 0) {
        ShowBox(Translate("Folder does not exist.\n(Or drive is not ready)"));
        return status::kRefreshFolderMissing;
    }
    // A folder that cannot be listed or entered cannot be scanned.
    if (::access(folder.c_str(), R_OK | X_OK) != 0) {
        ShowBox(Translate("Folder is not accessible"));
        return status::kRefreshFolderNotAccessible;
    }
    return status::kOk;
}

std::string ReadingStatusText() {
    return Translate(IsStyleMode() ? "Reading style data..." : "Reading midi data...");
}

std::string ReadRateText(long rows, double seconds) {
    // A read faster than the clock resolves shows the row count as the rate.
    const double rate =
        seconds > 0.0 ? static_cast<double>(rows) / seconds : static_cast<double>(rows);
    return StrFormat("%.0f ", rate) + Translate("files/sec");
}

std::string HardRefreshQuestion() {
    return Translate(
        "Executing this function should not be necessary under normal conditions.\n\n"
        "Execute it only if there is a reasonable doubt that the displayed list is outdated\n"
        "and could not be refreshed with the 'Refresh List' command.\n\n"
        "Do you really want to execute it?");
}

}  // namespace kelvane

// The first steps of every refresh of the list (Refresh List, F5, the refresh button, Enter in
// the path box, the rescan variants): the path box and the Incl. Subfolders box become the
// start folder and flag, and the folder must exist and be readable before the scan runs.
#pragma once

#include <string>

#include "support/NUVStatus.h"

namespace kelvane {

enum class RefreshKind {
    Normal,
    SoftRescan,  // every file analysed again although the data files are read
    HardRescan,  // the data files are not read at all
};

// Takes the path box text (trimmed, "/" appended) and the flag into Config().startPath /
// effectiveStartPath and includeSubfolders, then checks the folder: a missing one shows
// "Folder does not exist.\n(Or drive is not ready)", an unreadable one "Folder is not
// accessible" (boxes), with the statuses above. 0 when the scan may run.
StatusCode PrepareRefresh(const std::string& pathText, bool includeSubfolders);

// The folder as the path box shows it: a folder below the home folder begins with "~/"
// ("~/Music/Styles/"); others as they are.
std::string ShownFolderText(const std::string& folder);
// A typed folder: a leading "~" alone or before "/" stands for the home folder.
std::string ExpandHomeFolder(const std::string& text);

// The folder check alone: the boxes and statuses above, 0 when the folder can be scanned.
StatusCode CheckRefreshFolder(const std::string& folder);

// Status pane 0 while reading: "Reading style data..." / "Reading midi data..." (translated).
std::string ReadingStatusText();

// Status pane 1 after a read: rows / seconds as "%.0f " + the translated "files/sec".
std::string ReadRateText(long rows, double seconds);

// The question of "Hard Refresh List" (Yes runs a soft rescan).
std::string HardRefreshQuestion();

}  // namespace kelvane

#include "app/ZOLRecentFolders.h"

#include <algorithm>

#include "platform/SettingsStore.h"
#include "support/NUVTrace.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

std::string EntryName(int number) {
    return "File" + std::to_string(number);
}

}  // namespace

const char* RecentFolderSection(int runMode) {
    return runMode == kRunModeMidi ? "Recent File List Midi" : "Recent File List";
}

void CZOLRecentFolders::Load(int runMode) {
    section_ = RecentFolderSection(runMode);
    folders_.clear();
    for (int number = 1; number <= kRecentFolderCount; ++number) {
        std::string folder = SettingsStore().ReadText(section_, EntryName(number), "");
        if (!folder.empty() && folder.size() <= kRecentFolderMaxLength &&
            std::find(folders_.begin(), folders_.end(), folder) == folders_.end()) {
            folders_.push_back(std::move(folder));
        }
    }
}

int CZOLRecentFolders::Add(const std::string& folder) {
    if (folder.empty() || folder.size() > kRecentFolderMaxLength) {
        return 0;
    }
    // Folders are file identities: compared exactly.
    folders_.erase(std::remove(folders_.begin(), folders_.end(), folder), folders_.end());
    folders_.insert(folders_.begin(), folder);
    if (folders_.size() > static_cast<std::size_t>(kRecentFolderCount)) {
        folders_.resize(kRecentFolderCount);
    }
    return Save();
}

int CZOLRecentFolders::Save() const {
    int result = 0;
    for (int number = 1; number <= kRecentFolderCount; ++number) {
        const auto index = static_cast<std::size_t>(number - 1);
        const std::string value = index < folders_.size() ? folders_[index] : std::string();
        // Each write replaces the whole store file: write only what changed.
        if (SettingsStore().ReadText(section_, EntryName(number), "") == value) {
            continue;
        }
        const int status = SettingsStore().WriteText(section_, EntryName(number), value);
        if (status != 0 && result == 0) {
            TraceFormat(trace::kAlways, true, "%s %s %s", "Error - Cannot store setting - ",
                        section_.c_str(), EntryName(number).c_str());
            result = status;
        }
    }
    return result;
}

}  // namespace kelvane

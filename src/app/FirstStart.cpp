#include "app/FirstStart.h"

#include "app/ZOLStartSettings.h"
#include "fileops/ZOLFileSets.h"
#include "platform/FindFile.h"
#include "platform/SettingsStore.h"

namespace kelvane {
namespace {

constexpr const char* kPlaceKey = "LastWindowPlace";
constexpr const char* kSubfoldersKey = "LastIncludeSubfolders";

}  // namespace

bool IsFirstStart() {
    return !SettingsStore().Contains(ModeSection(), kPlaceKey);
}

std::string StoredWindowPlace() {
    return SettingsStore().ReadText(ModeSection(), kPlaceKey, "");
}

StatusCode StoreWindowState(const std::string& place, bool includeSubfolders) {
    const StatusCode stored = SettingsStore().WriteText(ModeSection(), kPlaceKey, place);
    const StatusCode box =
        SettingsStore().WriteInt(ModeSection(), kSubfoldersKey, includeSubfolders ? 1 : 0);
    return stored != 0 ? stored : box;
}

bool LastIncludeSubfolders(bool defaultValue) {
    return SettingsStore().ReadInt(ModeSection(), kSubfoldersKey, defaultValue ? 1 : 0) != 0;
}

bool FilesOnlyInSubfolders(const std::string& folder) {
    CNuvFindFile find;
    FindEntry entry;
    bool subfolders = false;
    for (PlatformStatus found = find.First(folder + "*", entry); found.Ok();
         found = find.Next(entry)) {
        if (entry.isFolder) {
            subfolders = subfolders || entry.name.front() != '.';
        } else if (IsStyleFileExtension(entry.name)) {
            return false;
        }
    }
    return subfolders;
}

}  // namespace kelvane

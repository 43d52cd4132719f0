// The recent folders of the File menu: up to 16 folders, newest first, kept in the settings
// store under "Recent File List" (style mode) or "Recent File List Midi" as "File1".."File16".
#pragma once

#include <string>
#include <vector>

namespace kelvane {

inline constexpr int kRecentFolderCount = 16;
// Longer entries are not kept (the menu shows at most this many characters).
inline constexpr std::size_t kRecentFolderMaxLength = 260;

const char* RecentFolderSection(int runMode);

class CZOLRecentFolders {
  public:
    // Reads the run mode's list; missing and empty values are skipped.
    void Load(int runMode);
    // Puts `folder` first (an equal entry moves up instead of doubling) and writes the list.
    // Returns the settings store's status (0 when written).
    int Add(const std::string& folder);
    const std::vector<std::string>& Folders() const { return folders_; }

  private:
    int Save() const;

    std::string section_ = RecentFolderSection(1);
    std::vector<std::string> folders_;
};

}  // namespace kelvane

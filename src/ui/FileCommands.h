// The commands on the selected files: copy, move, trash, rename, the CD-ROM test, modify
// values and songs, write Music Finder records, the external programs, the information dialogs
// and Explore Folder. The work is the core's; this group opens the dialogs around it.
#pragma once

#include <string>

#include "app/ZOLExternalPrograms.h"
#include "ui/CommandGroup.h"

class QWidget;

namespace kelvane {

class FileCommands final : public CommandGroup {
  public:
    // `parent` parents the dialogs; `builtIn` is the built-in player for Play.
    FileCommands(QWidget& parent, BuiltInPlayer builtIn)
        : parent_(parent), builtIn_(std::move(builtIn)) {}

    bool Run(ViewCommand command, const CommandRow* row) override;

  private:
    void OnCdromTest();
    void OnModify();
    void OnAddSongFromFilename();
    void OnInfo(ViewCommand command, const CommandRow* row);
    void OnExploreFolder(const CommandRow* row);

    QWidget& parent_;
    BuiltInPlayer builtIn_;
};

// Opens a folder with the desktop's file manager; a box says when it cannot.
void ExploreFolder(const std::string& folder);

}  // namespace kelvane

// A group of the main view's commands. CZOLView routes every command to its groups in turn:
// a group runs the commands it knows and returns false for any other. A group is given what it
// works on when it is made (the dialogs' parent, the frame, the list area, the form's boxes);
// the row a context-menu command was chosen on comes with the command.
//
// The groups: NavigationCommands (which folder is read, where the list's cursor and selection
// are), ListCommands (what the list shows: filters, columns, visibility modes, file or song
// list), FileCommands (the selected files), OutputCommands (printing, RTF, exports, imports)
// and ProgramCommands (settings, help, the frame, the developer menu). The groups' Run methods
// are together in CommandRoutes.cpp, the view's command table. A new group is one more class
// beside these, its Run in that table and one more entry in CZOLView::RunCommand's list.
#pragma once

#include <string>

#include "app/ZOLViewCommands.h"

namespace kelvane {

struct StyleDataPacket;

// The row of the context menu a command was chosen from.
struct CommandRow {
    std::string folder;
    const StyleDataPacket* record = nullptr;
};

class CommandGroup {
  public:
    virtual ~CommandGroup() = default;
    // `row` is null unless the command came from a row's context menu.
    virtual bool Run(ViewCommand command, const CommandRow* row) = 0;
};

}  // namespace kelvane

// Program start as a core operation: everything CZOLApp does before a window exists. The front
// ends (desktop program, kelvane-cli) call InitInstance, stop when the status is not 0, and
// otherwise create their window or run their command with the result.
//
// After its main window exists, the desktop program calls SetRunMode(RunMode()) again (so the
// translated mode text follows the language now loaded), shows WindowTitle() and reads
// Config().effectiveStartPath with Config().includeSubfolders.
#pragma once

#include <string>
#include <vector>

#include "support/NUVStatus.h"

namespace kelvane {

struct StartResult {
    StatusCode status = 0;         // not 0: the program does not start (no further message)
    std::string documentArgument;  // the plain command-line argument, for the front end
    std::string windowTitle;
};

class CZOLApp {
  public:
    // Chooses the settings store and runs the start-up routine: language, command line, the
    // program and analyser configuration files, run mode, start-up settings into Config().
    // `args` holds the program name first, as argv does.
    StartResult InitInstance(const std::vector<std::string>& args);
    StartResult InitInstance(int argc, char** argv);

    // Ends the record store and the copy/move queue; the first failing status.
    StatusCode ExitInstance();

  private:
    StatusCode StartUp(const std::vector<std::string>& args, StartResult& result);
};

// Back to the state before any start: default Config(), no run mode, no search tags, English,
// debug level 1, trace off. The start-up routine begins with it, so that it can run again.
void ResetStartState();

// "Kelvane" or "Morvane", two blanks, "V 4.5", eight blanks, Translate("by"), " Tessary".
std::string WindowTitle();

// The help folder of the run mode and language: program folder + "help/kelvane[MIDI]_<lang>/",
// English when the language has none.
std::string HelpFilePath();

}  // namespace kelvane

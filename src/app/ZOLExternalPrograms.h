// Playing, editing and dumping the file behind the one selected row with the programs named in
// the settings (two players, two editors, the CASM editor in style mode, the karaoke player in
// midi mode, the dump program). A song row stands for its style file. The program is started
// with exactly one argument, the file's path (this platform has no short 8.3 names, so the
// short-name switches leave the path as it is). Every refusal is a box with an exclamation
// icon, and nothing is started.
//
// Play can also use the built-in audition (the desktop's transport): the settings choose it
// ("Play with"), and it plays whenever no external player is named for the file, so that Play
// works without any set-up. Play 2 always starts the second external player.
#pragma once

#include <functional>
#include <string>

#include "support/ZOLConfigValues.h"

namespace kelvane {

enum class EditorChoice { Editor1, Editor2, Casm };

// Plays a file with the built-in audition; true when it started.
using BuiltInPlayer = std::function<bool(const std::string& path)>;

// True when Play (`player` 1) plays `path` with the built-in player: "Play with" chose it, or
// no external player would play the file (neither the run mode's player nor, for a ".kar"
// file, the karaoke player is named). Always false for Play 2.
bool PlaysWithBuiltInPlayer(int player, const ConfigValues& config, const std::string& path);

// Play with player 1 or 2 (a ".kar" file in midi mode with the karaoke player when it exists).
// With `builtIn` given, a file that PlaysWithBuiltInPlayer goes to it instead. True when a
// program or the built-in player was started.
bool PlaySelectedFile(int player, const BuiltInPlayer& builtIn = {});
bool EditSelectedFile(EditorChoice editor);
bool DumpSelectedFile();

}  // namespace kelvane

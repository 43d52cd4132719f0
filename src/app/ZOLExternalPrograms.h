// Playing, editing and dumping the file behind the one selected row with the programs named in
// the settings (two players, two editors, the CASM editor in style mode, the karaoke player in
// midi mode, the dump program). A song row stands for its style file. The program is started
// with exactly one argument, the file's path (this platform has no short 8.3 names, so the
// short-name switches leave the path as it is). Every refusal is a box with an exclamation
// icon, and nothing is started.
#pragma once

namespace kelvane {

enum class EditorChoice { Editor1, Editor2, Casm };

// Play with player 1 or 2 (a ".kar" file in midi mode with the karaoke player when it exists).
// True when a program was started.
bool PlaySelectedFile(int player);
bool EditSelectedFile(EditorChoice editor);
bool DumpSelectedFile();

}  // namespace kelvane

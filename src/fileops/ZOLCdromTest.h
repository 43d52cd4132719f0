// The CD-ROM (Joliet) compatibility test command over the rows of the file list.
#pragma once

#include <string>

namespace kelvane {

// Refuses in the song list ("This function is not available in this mode", INFO), asks for
// the test selection (FileOpPrompts().CdromTestChoice()), keeps only the incompatible rows of
// the file list and shows their number in the status line. Returns that number, or -1 when no
// test ran (refused, cancelled, or neither box ticked).
long CdromCompatibilityTestCommand(const std::string& startFolder);

}  // namespace kelvane

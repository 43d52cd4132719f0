// A picture as lines of text, tab-separated, as `kelvane-cli sections` prints them.
//
// Style, one line per section marker (the initialisation part gets none):
//   NAME<TAB>FIRST_BAR<TAB>BARS<TAB>N9 N10 N11 N12 N13 N14 N15 N16
// the marker's text, its bar (from 1), the section's length in bars (a bar begun counts whole)
// and the note-ons of each part (channels 9 to 16) from the marker to the next section marker
// or the end of the MIDI data.
// Song, one line per channel with notes, channels counted from 1:
//   CHANNEL<TAB>PROGRAM<TAB>NOTES<TAB>LOWEST-HIGHEST
// PROGRAM is the channel's first program change (0..127) or "-" without one; the pitches are
// MIDI note numbers.
#pragma once

#include <string>
#include <vector>

#include "picture/FilePicture.h"

namespace kelvane {

std::vector<std::string> PictureLines(const FilePicture& picture);

}  // namespace kelvane

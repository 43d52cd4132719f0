// Where the audition's General MIDI SoundFont comes from: the one a setting names, else the
// first found in the usual places of a Debian system (fluid-soundfont-gm, timgm6mb-soundfont,
// the default-GM link, then any *.sf2 in the SoundFont folders).
#pragma once

#include <string>
#include <vector>

namespace kelvane {

// Files are tried as named; a place ending in "/" is a folder whose *.sf2 files are tried in
// name order.
std::vector<std::string> DefaultSoundFontPlaces();

// `configured` when not empty (a missing file is reported when it is loaded), else the first
// SoundFont found in `places`; empty when there is none.
std::string FindSoundFont(const std::string& configured, const std::vector<std::string>& places);

// The message for the user when no SoundFont was found (translated).
std::string NoSoundFontMessage();

}  // namespace kelvane

// The facts shown beside a file's picture, as the analysis finds them: tempo, time signature,
// the section list, the Music Finder songs and the problems found (the ERRORS text).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/ZOLAnalysisResult.h"
#include "records/ZOLSongCollector.h"

namespace kelvane {

struct PictureFacts {
    bool analysed = false;  // false when the facts were not asked for
    int tempoBpm = 0;
    std::string timeSignature;  // as the list shows it: "4/4", "0/0" without one
    int tracks = 0;
    int division = 0;
    // Style.
    std::vector<SectionEntry> sections;    // the section list in listing order
    std::vector<MusicFinderRecord> songs;  // the Music Finder records, in file order
    // Song.
    int lengthMinutes = 0;
    int lengthSeconds = 0;
    bool karaoke = false;
    bool lyrics = false;
    std::string problems;  // the ERRORS text; "-" when nothing was found
};

// Analyses the bytes of a style (`style`) or MIDI file with a fresh analyser.
PictureFacts AnalyseFacts(std::span<const uint8_t> bytes, bool style, const std::string& name);

}  // namespace kelvane

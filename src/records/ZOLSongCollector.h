// Songs from the analysis: the collector that turns each Music Finder record of a style file
// into a song of the record being analysed, and the merge that carries the user's song data
// over when a file is analysed again.
#pragma once

#include <cstdint>
#include <string>

#include "records/ZOLDataPacket.h"
#include "support/NUVStatus.h"

namespace kelvane {

// One Music Finder record as read from a style file's "FNRc" section.
struct MusicFinderRecord {
    int32_t tempoMicroseconds = 0;  // per quarter note, as stored
    int32_t bpm = 0;                // the same tempo in beats per minute
    int numerator = 0;
    int denominator = 0;
    std::string title;
    std::string genre;
    std::string keyword1;
    std::string keyword2;
};

// Adds the Music Finder record to `target` as a song with status 1. When the target already
// has a song of the same title (ignoring case, any status) that song takes the new tempo,
// title, genre, keywords and time signature instead and keeps its own status, real title,
// native title and artist. Without a target nothing happens (0). No song record: -13808.
StatusCode CollectSong(StyleDataPacket* target, const MusicFinderRecord& record);

// Carries the songs of `oldRecord` into `newRecord`, which replaces it after a new analysis:
// a song matched by title or real title (ignoring case, blanks trimmed) takes the old song's
// values where its own are empty or 0 (only the fields not stored in the style file, or
// all fields when the new song has status 2); an unmatched old song is copied over with
// status 2. `newRecord` is marked changed. A song that cannot be copied is dropped (-10490
// is returned; the other songs are still merged).
StatusCode MergeSongsOnReanalysis(StyleDataPacket* oldRecord, StyleDataPacket* newRecord);

}  // namespace kelvane

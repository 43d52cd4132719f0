// The time axis of a picture: where each bar begins, the tempo changes, and the lyric or
// karaoke lines as marks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "analysis/MidiEvents.h"
#include "analysis/MidiTimeMap.h"
#include "picture/FilePicture.h"

namespace kelvane {

// The first tick of bar 1, 2, ... for every bar that begins before `endTick` (bar 1 always),
// at most `maxBars`; `cut` tells whether bars were left out.
std::vector<int64_t> BarStartTicks(const MeterMap& meter, int64_t endTick, std::size_t maxBars,
                                   bool& cut);

// The lyric lines of a song: its lyric metas, or, in a file without any, the text metas of a
// karaoke file (one with an "@KMIDI" text, in any case, as the analysis recognises it; "@"
// texts are its header, not lyrics). A line begins with a syllable that
// starts with "/" or "\" (the karaoke line and paragraph marks) or follows one that ends in a
// line break; the marks and breaks are not part of the text.
std::vector<PictureMark> LyricLines(const MidiEventList& list);

}  // namespace kelvane

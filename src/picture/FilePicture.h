// The picture of one file: what the detail pane draws and `kelvane-cli sections` prints,
// read again from the file whenever it is asked for (nothing of it is kept in the data files).
//
// A style: its sections along the bar axis, the initialisation part before the first section
// marker, and one lane per accompaniment part (channels 9 to 16: Rhythm 1, Rhythm 2, Bass,
// Chord 1, Chord 2, Pad, Phrase 1, Phrase 2) holding its notes as spans.
// A MIDI song: one lane per channel with notes, the program of each channel, the tempo
// changes and the lyric or karaoke lines as marks on the time axis.
// Both: the facts shown beside the picture, as the analysis finds them.
//
// Everything is measured in ticks of the file's MIDI data; `barTicks` gives the start of each
// bar, so a drawing maps ticks to bars without the meter map.
//
//   const FilePicture picture = ReadFilePicture(path, PictureKind::kStyle);
//   if (!picture.readable) { show picture.problem; }
//   for (const PictureLane& lane : picture.lanes) { for (const NoteSpan& n : lane.notes) ... }
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/MidiTimeMap.h"
#include "analysis/SectionMap.h"
#include "picture/PictureFacts.h"

namespace kelvane {

enum class PictureKind { kStyle, kSong };

// One note: from its note-on to its note-off (or to the end of the MIDI data when it is never
// released).
struct NoteSpan {
    int64_t startTick = 0;
    int64_t endTick = 0;
    uint8_t pitch = 0;
    uint8_t velocity = 0;
};

struct PictureLane {
    int channel = 0;      // counted from 0
    int program = -1;     // the channel's first program change; -1 without one
    int64_t noteOns = 0;  // note-ons with a velocity above 0 (also those beyond kMaxPictureNotes)
    int lowest = -1;      // pitch range of the note-ons; -1 without any
    int highest = -1;
    std::vector<NoteSpan> notes;  // by start tick
    // The longest span's ticks: the notes sounding from `tick` on start at or after
    // tick - longestNote, so a drawing finds the first visible note by binary search.
    int64_t longestNote = 0;
};

inline constexpr int kStyleParts = 8;
inline constexpr int kFirstPartChannel = 8;  // Rhythm 1 plays on channel 9 (counted from 1)

// A style section with the note-ons of each part from its marker up to the next section
// marker or the end of the MIDI data.
struct PictureSection {
    StyleSection section;
    std::array<int64_t, kStyleParts> noteOns{};
};

// A lyric or karaoke line: the tick of its first syllable and its text.
struct PictureMark {
    int64_t tick = 0;
    std::string text;
};

struct FilePicture {
    PictureKind kind = PictureKind::kStyle;
    bool bytesRead = false;  // the file could be read (always true for bytes in memory)
    bool readable = false;   // the MIDI header was read; otherwise `problem` says why
    std::string problem;     // the reader's first complaint (also for a file read in part)
    bool notesCut = false;   // more notes than kMaxPictureNotes: later spans were left out
    bool barsCut = false;    // more bars than kMaxPictureBars: `barTicks` stops there

    int ticksPerQuarter = 480;
    int64_t endTick = 0;            // the end of the MIDI data
    std::vector<int64_t> barTicks;  // the first tick of bar 1, 2, ... up to endTick
    MeterMap meter;
    std::vector<TempoPoint> tempoChanges;  // by tick, the first at tick 0

    // Style.
    int64_t initEndTick = 0;  // the initialisation part runs from 0 to here
    std::array<int64_t, kStyleParts> initNoteOns{};
    std::vector<PictureSection> sections;  // in the order of their markers

    // Style: kStyleParts lanes, channels 9..16, always present. Song: a lane per channel
    // with at least one note-on, in channel order.
    std::vector<PictureLane> lanes;
    std::vector<PictureMark> lyrics;  // song

    PictureFacts facts;
};

// Caps on what a file can make the picture hold.
inline constexpr std::size_t kMaxPictureNotes = 1'000'000;
inline constexpr std::size_t kMaxPictureBars = 20'000;
inline constexpr std::size_t kMaxPictureMarks = 20'000;
inline constexpr std::size_t kMaxMarkText = 200;
inline constexpr std::size_t kMaxTempoChanges = 20'000;

struct PictureOptions {
    bool facts = true;  // analyse the file for the facts as well
};

// Reads the file at `path` as the given kind. A file that cannot be read, or holds no MIDI
// header, gives an empty picture with `readable` false and a problem text.
FilePicture ReadFilePicture(const std::string& path, PictureKind kind,
                            const PictureOptions& options = {});
// The same from bytes in memory (`name` names them in the analysis' trace lines).
FilePicture BuildFilePicture(std::span<const uint8_t> bytes, PictureKind kind,
                             const PictureOptions& options = {}, const std::string& name = {});

// The English name of a style part, 0..7 ("Rhythm 1" ... "Phrase 2"); translate for display.
const char* StylePartName(int part);

}  // namespace kelvane

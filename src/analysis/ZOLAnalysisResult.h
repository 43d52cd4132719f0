// What the analyser learns about one file: the facts collected while the MIDI data are read,
// the counters of the style sections behind them, and the values derived at the end. Reset
// before each file; the texts keep their capacity, so a reused analyser does not allocate per
// file once it has seen a few.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "support/NUVStatus.h"

namespace kelvane {

namespace analysis {
inline constexpr int kTrackSlots = 17;    // tracks 0..16 keep a name and a content flag
inline constexpr int kChannelSlots = 18;  // channel indexes 0..17 keep voice entries
inline constexpr int kMaxVoicesPerChannel = 50;
inline constexpr int kMaxSections = 32;         // entries of the section list
inline constexpr int kKaraokeTexts = 3;         // the "@T" texts kept
inline constexpr size_t kMaxMetaText = 500;     // text metas are cut to this many characters
inline constexpr int kMaxOtsTracks = 10;        // tracks counted per OTS section
inline constexpr size_t kMaxFinderText = 2000;  // Music Finder texts are cut to this
}  // namespace analysis

// One entry of the section list: a Main, Intro, Fill In, Ending or Break marker.
struct SectionEntry {
    std::string name;
    int startMeasure = 0;
    int endMeasure = 0;
};

// A voice of a channel, started by a program change.
struct VoiceEntry {
    int program = -1;
    int bankHigh = -1;
    int bankLow = -1;
    int reverb = -1;
    int chorus = -1;
    char shortName[12] = {};  // the program's short name (or its number)
};

struct ChannelVoices {
    int count = 0;
    std::array<VoiceEntry, analysis::kMaxVoicesPerChannel> entries{};
};

struct AnalysisResult {
    // Header.
    int tracks = 0;
    int division = 0;
    int format = 0;
    int64_t track1Length = 0;

    int32_t relatedId = 0;
    bool tempoSeen = false;
    uint32_t firstTempo = 0;  // 0 until the first tempo event
    int tempoBpm = 0;
    bool timeSigSeen = false;
    int timeSigNumerator = 0;
    int timeSigDenominator = 0;

    std::string infoText;
    std::string copyright;
    std::array<std::string, analysis::kKaraokeTexts> karaokeTexts;
    int karaokeTextCount = 0;

    bool midiError = false;
    bool midiProblems = false;
    bool karaoke = false;
    bool lyrics = false;
    bool chords = false;
    bool xgOn = false;
    bool gsReset = false;
    bool gmOn = false;

    std::array<std::string, analysis::kTrackSlots> trackNames;
    std::array<bool, analysis::kTrackSlots> trackContent{};

    // Markers.
    int markers = 0;
    int mainCount = 0;
    int introCount = 0;
    int endingCount = 0;
    int fillInCount = 0;
    int breakCount = 0;
    bool mainA = false;
    int sff1Count = 0;
    int sff2Count = 0;
    int sintCount = 0;
    std::vector<SectionEntry> sections;  // at most kMaxSections; names keep their capacity
    int sectionCount = 0;                // entries in use

    int64_t longestTrackMs = 0;
    int64_t longestTrackTicks = 0;
    int lengthMinutes = 0;
    int lengthSeconds = 0;

    // Keyboard identification (midi files recorded on a keyboard).
    bool keyboardIdentified = false;
    std::string keyboardModel;
    std::string keyboardStyle;
    int vocalHarmonyChannel = 0;  // 0 none, else 1..16

    std::vector<ChannelVoices> voices;  // kChannelSlots channel indexes

    // Style sections.
    int casmCount = 0;
    int64_t lastCasmLength = 0;
    bool casmError = false;
    int otsCount = 0;
    int otsTracks = -1;  // tracks of the last OTS section
    int64_t otsPosition = -1;
    bool otsError = false;
    int mdbCount = 0;
    int mdbRecords = -1;    // records of the last Music Finder section
    int64_t mdbStart = -1;  // position of the last "FNRc" tag
    int64_t mdbEnd = -1;    // and of that section's last byte
    bool mdbError = false;
    bool xfPresent = false;
    bool mhhdPresent = false;
    int64_t mhhdLength = 0;
    bool mhtrPresent = false;
    int64_t mhtrLength = 0;
    int unexpectedBytes = 0;

    // Back to the state before a file, keeping the capacity of the texts.
    void Reset();
    // The voice entries of a channel index in use.
    const VoiceEntry* VoicesBegin(int channel) const { return voices[channel].entries.data(); }
    const VoiceEntry* VoicesEnd(int channel) const {
        return voices[channel].entries.data() + voices[channel].count;
    }
};

// round(60,000,000 / tempo) the way the keyboards' own tables round it: q = 600,000,000 / tempo,
// then q / 10, plus one when the last digit of q is 5 or more. A tempo of 0 gives 0.
int TempoToBpm(uint32_t microsecondsPerQuarter);

}  // namespace kelvane

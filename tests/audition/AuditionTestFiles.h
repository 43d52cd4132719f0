// Fixture files for the audition tests: style and song bytes built in code, a WAV reader,
// and the SoundFont of this machine (the tests that need one skip without it).
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "audition/SoundFontSearch.h"
#include "support/SmfBuilder.h"
#include "support/TestEnv.h"

namespace kelvane::test {

// A style of `sections` (names), each one 4/4 bar at 120 quarters per minute (2 s at 480
// ticks per quarter) after a one-bar initialisation part. The initialisation part sets a
// voice, a controller and a system exclusive message and holds a note (not to be played);
// each section plays a note on channel 1, a drum note on channel 9 and one on channel 10
// (counted from 1), and its last note still sounds at the section's end.
inline std::string SectionStyleBytes(const std::vector<std::string>& sections) {
    SmfBuilder smf(0, 480);
    TrackBuilder& track = smf.AddTrack();
    track.Tempo(0, 500000).TimeSignature(0, 4, 4).Marker(0, "SFF1").Marker(0, "SInt");
    track.ProgramChange(0, 0, 33).Controller(0, 0, 7, 100);
    track.Sysex(0, Bytes({0x7E, 0x7F, 0x09, 0x01, 0xF7}));
    track.Note(0, 0, 40, 90, 100);
    uint32_t gap = 1920 - 100;
    for (const std::string& name : sections) {
        // At the marker: 0..480 a note, 480..720 and 720..960 the two drum notes, from 1440
        // a note that is still sounding at the next marker.
        track.Marker(gap, name);
        track.Note(0, 0, 60, 100, 480);
        track.Note(0, 8, 36, 100, 240).Note(0, 9, 38, 100, 240);
        track.NoteOn(480, 0, 64, 100);
        gap = 480;
    }
    track.NoteOff(gap, 0, 64);
    return smf.Bytes();
}

// A song: 960 ticks at 120 quarters per minute, then 960 at 240 (1.5 s), a note throughout.
inline std::string TempoChangeSongBytes() {
    SmfBuilder smf(1, 480);
    smf.AddTrack().Tempo(0, 500000).Tempo(960, 250000).EndOfTrack(960);
    smf.AddTrack().ProgramChange(0, 0, 0).Note(0, 0, 60, 100, 1900).NoteOn(0, 9, 42, 80);
    return smf.Bytes();
}

// The SoundFont for tests: the small General MIDI one first (quick to load), else whichever
// the program finds; empty when there is none.
inline std::string TestSoundFont() {
    std::vector<std::string> places = DefaultSoundFontPlaces();
    places.insert(places.begin(), "/usr/share/sounds/sf2/TimGM6mb.sf2");
    return FindSoundFont("", places);
}

struct WavFacts {
    bool valid = false;
    int channels = 0;
    int sampleRate = 0;
    int bits = 0;
    int64_t frames = 0;
    std::vector<int16_t> samples;  // interleaved

    double Seconds() const { return sampleRate > 0 ? double(frames) / sampleRate : 0; }
    // Root mean square level of the frames [from, to), 0..1.
    double Rms(int64_t from, int64_t to) const {
        double sum = 0;
        int64_t n = 0;
        for (int64_t i = from * channels; i < to * channels && i < int64_t(samples.size()); ++i) {
            sum += double(samples[i]) * samples[i];
            ++n;
        }
        return n == 0 ? 0 : std::sqrt(sum / n) / 32768.0;
    }
};

inline uint32_t Le(const std::string& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | uint8_t(b[at + i]);
    }
    return v;
}

// Reads a canonical 44-byte-header PCM WAV file.
inline WavFacts ReadWav(const std::string& path) {
    const std::string b = ReadFileBytes(path);
    WavFacts wav;
    if (b.size() < 44 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 8, "WAVEfmt ") != 0 ||
        b.compare(36, 4, "data") != 0 || Le(b, 4, 4) != b.size() - 8 ||
        Le(b, 40, 4) != b.size() - 44) {
        return wav;
    }
    wav.channels = int(Le(b, 22, 2));
    wav.sampleRate = int(Le(b, 24, 4));
    wav.bits = int(Le(b, 34, 2));
    wav.valid = Le(b, 20, 2) == 1 && wav.channels > 0 && wav.bits == 16;
    if (!wav.valid) {
        return wav;
    }
    wav.frames = int64_t(b.size() - 44) / (2 * wav.channels);
    wav.samples.resize(size_t(wav.frames) * wav.channels);
    for (size_t i = 0; i < wav.samples.size(); ++i) {
        wav.samples[i] = int16_t(Le(b, 44 + 2 * i, 2));
    }
    return wav;
}

}  // namespace kelvane::test

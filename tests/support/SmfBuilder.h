// Builds Standard MIDI Files in code, byte for byte, including broken ones. Bytes are kept in
// std::string. Everything is big-endian, as in the files.
//
//   SmfBuilder smf(1, 480);                       // format 1, 480 ticks per quarter
//   smf.AddTrack().Tempo(0, 500000).TimeSignature(0, 3, 4).TrackName(0, "Drums");
//   smf.AddTrack().UseRunningStatus().NoteOn(0, 9, 36, 100).NoteOn(480, 9, 36, 0);
//   std::string bytes = smf.Bytes();              // each track gets FF 2F 00 at its end
//
// Every event method takes the delta time before it (in ticks) first. Faults on purpose:
//   smf.Prefix("RIFF....")              bytes before "MThd"
//   smf.DeclaredTracks(3)               a track count other than the tracks added
//   smf.HeaderLength(4) / (10, "xxxx")  another header length (with extra bytes)
//   track.DeclaredLength(0xFFFFFFFF)    a track length field as given
//   track.LengthAdjust(-3)              the real length plus or minus some bytes
//   track.NoEndOfTrack()                no automatic end-of-track; EndOfTrack(delta) puts one
//                                       anywhere (then none is added at the end)
//   track.SysexDeclared(0, 99, body)    a wrong sysex length field; SysexNoLength(0, body) none
//   track.MetaDeclared(0, 0x01, 500, "x")  a meta whose length field lies
//   track.Raw("\x90\x3C")               any bytes as they are (no delta time is added)
//   smf.RawChunk("XXXX" ...)            any bytes between the tracks
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace kelvane::test {

std::string Be16(uint32_t value);
std::string Be24(uint32_t value);
std::string Be32(uint32_t value);
// A variable-length quantity (at most four bytes; values above 0FFFFFFFH are cut).
std::string VarLen(uint32_t value);
// A chunk: four-byte tag, 32-bit length of `content`, `content`.
std::string Chunk(std::string_view tag, std::string_view content);
// The same with a length field that says `declared`.
std::string ChunkDeclared(std::string_view tag, uint32_t declared, std::string_view content);
// Bytes from a list of numbers: Bytes({0xF0, 0x43, 0x10}).
std::string Bytes(std::initializer_list<int> values);

class TrackBuilder {
  public:
    // Channel messages (channel 0..15).
    TrackBuilder& NoteOn(uint32_t delta, int channel, int note, int velocity);
    TrackBuilder& NoteOff(uint32_t delta, int channel, int note, int velocity = 64);
    // A note-on and, `duration` ticks later, its note-off.
    TrackBuilder& Note(uint32_t delta, int channel, int note, int velocity, uint32_t duration);
    TrackBuilder& PolyPressure(uint32_t delta, int channel, int note, int value);
    TrackBuilder& Controller(uint32_t delta, int channel, int number, int value);
    TrackBuilder& ProgramChange(uint32_t delta, int channel, int program);
    TrackBuilder& ChannelPressure(uint32_t delta, int channel, int value);
    // value14: 0..16383, 8192 is the centre.
    TrackBuilder& PitchBend(uint32_t delta, int channel, int value14);
    // Controllers 101 = 0, 100 = 0, 6 = semitones, with zero deltas and every status written.
    TrackBuilder& PitchBendSensitivity(uint32_t delta, int channel, int semitones);
    // Later channel messages with the status of the one before leave the status byte out.
    TrackBuilder& UseRunningStatus(bool on = true);

    // Metas.
    TrackBuilder& Meta(uint32_t delta, int type, std::string_view data);
    TrackBuilder& MetaDeclared(uint32_t delta, int type, uint32_t declared, std::string_view data);
    TrackBuilder& Text(uint32_t delta, int type, std::string_view text) {
        return Meta(delta, type, text);
    }
    TrackBuilder& Copyright(uint32_t delta, std::string_view text) { return Meta(delta, 2, text); }
    TrackBuilder& TrackName(uint32_t delta, std::string_view text) { return Meta(delta, 3, text); }
    TrackBuilder& Lyric(uint32_t delta, std::string_view text) { return Meta(delta, 5, text); }
    TrackBuilder& Marker(uint32_t delta, std::string_view text) { return Meta(delta, 6, text); }
    TrackBuilder& SequencerSpecific(uint32_t delta, std::string_view data) {
        return Meta(delta, 0x7F, data);
    }
    TrackBuilder& Tempo(uint32_t delta, uint32_t microsecondsPerQuarter);
    // `denominator` as a note value (a power of two: 2, 4, 8, ...).
    TrackBuilder& TimeSignature(uint32_t delta, int numerator, int denominator,
                                int clocksPerClick = 24, int thirtySecondsPerQuarter = 8);
    TrackBuilder& KeySignature(uint32_t delta, int sharpsFlats, int minor);
    TrackBuilder& EndOfTrack(uint32_t delta = 0);
    TrackBuilder& NoEndOfTrack();

    // System exclusive. `body` is everything after the length field, normally ending in F7.
    TrackBuilder& Sysex(uint32_t delta, std::string_view body);
    TrackBuilder& SysexDeclared(uint32_t delta, uint32_t declared, std::string_view body);
    // F0 directly followed by the body, no length field.
    TrackBuilder& SysexNoLength(uint32_t delta, std::string_view body);

    // Bytes as given, and a delta time alone.
    TrackBuilder& Raw(std::string_view bytes);
    TrackBuilder& Delta(uint32_t delta);

    TrackBuilder& DeclaredLength(uint32_t length);
    TrackBuilder& LengthAdjust(int64_t bytes);

    // The events, with the automatic end-of-track.
    std::string Body() const;
    // "MTrk", length, events.
    std::string Bytes() const;

  private:
    TrackBuilder& Channel(uint32_t delta, int status, const std::string& data);

    std::string events_;
    int lastStatus_ = -1;
    bool runningStatus_ = false;
    bool endWritten_ = false;
    bool autoEnd_ = true;
    bool declared_ = false;
    uint32_t declaredLength_ = 0;
    int64_t lengthAdjust_ = 0;
};

class SmfBuilder {
  public:
    explicit SmfBuilder(int format = 1, int division = 480);

    SmfBuilder& Prefix(std::string_view bytes);
    SmfBuilder& DeclaredTracks(int tracks);
    // Header length field `declared`, followed by `extra` bytes after the six standard ones.
    SmfBuilder& HeaderLength(uint32_t declared, std::string_view extra = {});
    // A new track; the reference stays valid while the builder lives.
    TrackBuilder& AddTrack();
    TrackBuilder& Track(size_t index) { return items_.at(index).track; }
    // Bytes placed between tracks (after those added so far).
    SmfBuilder& RawChunk(std::string_view bytes);

    std::string Bytes() const;

  private:
    struct Item {
        TrackBuilder track;
        std::string raw;
        bool isRaw = false;
    };
    int format_;
    int division_;
    int declaredTracks_ = -1;
    bool headerDeclared_ = false;
    uint32_t headerLength_ = 6;
    std::string headerExtra_;
    std::string prefix_;
    std::deque<Item> items_;
};

}  // namespace kelvane::test

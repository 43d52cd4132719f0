// Builds style files in code: the MIDI part (see SmfBuilder.h) followed by any sequence of the
// sections a keyboard stores behind it, each a four-character tag and a 32-bit big-endian
// length counting the bytes after the length field. Sections come out in the order added.
//
//   StyleFileBuilder style(StyleMidi({"SFF1", "SInt", "Main A", "Fill In AA"}));
//   style.Casm(std::string(40, '\0'))              // "CASM", 40, content
//        .Ots(4)                                   // "OTSc" holding 4 small "MTrk" tracks
//        .Mdb({FinderRecord{.title = "Song", .genre = "Pop"}})   // "FNRc" with one "FNRP"
//        .Stray("\0\0")                            // bytes that belong to no section
//        .Xfih("data").Mhhd("x").Mhtr("y");
//   std::string file = style.Bytes();               // or style.Truncated(n)
//
// Faults: CasmDeclared/Section(tag, declared, content) lie about a length; Mdb(records,
// lengthAdjust, trailing) makes the "FNRc" length disagree with its records; a FinderRecord can
// misspell a tag, lie about its own or a text's length.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/SmfBuilder.h"

namespace kelvane::test {

// One Music Finder record ("FNRP"). Layout: "FNRP", L, tempo (3 bytes), numerator,
// denominator, then "Mnam", "Gnam", "Kwd1", "Kwd2", each with a 32-bit length and the text;
// L = sum of the text lengths + 37.
struct FinderRecord {
    uint32_t tempo = 500000;  // microseconds per quarter note
    int numerator = 4;
    int denominator = 4;  // as written, e.g. 4
    std::string title;
    std::string genre;
    std::string keyword1;
    std::string keyword2;

    // Faults.
    std::string recordTag = "FNRP";
    std::array<std::string, 4> tags = {"Mnam", "Gnam", "Kwd1", "Kwd2"};
    std::optional<uint32_t> declaredLength;                     // L as written
    std::array<std::optional<uint32_t>, 4> declaredTextLength;  // text length fields

    // L as it should be (from the texts).
    uint32_t Length() const;
    std::string Bytes() const;
};

class StyleFileBuilder {
  public:
    StyleFileBuilder() = default;
    explicit StyleFileBuilder(const SmfBuilder& midi) : midi_(midi.Bytes()) {}
    explicit StyleFileBuilder(std::string midiBytes) : midi_(std::move(midiBytes)) {}

    StyleFileBuilder& Midi(std::string midiBytes);
    StyleFileBuilder& Casm(std::string_view content) { return Section("CASM", content); }
    StyleFileBuilder& CasmDeclared(uint32_t declared, std::string_view content) {
        return Section("CASM", declared, content);
    }
    // "OTSc" holding one "MTrk" chunk per body (track events; see TrackBuilder::Bytes()).
    StyleFileBuilder& Ots(const std::vector<TrackBuilder>& tracks);
    // "OTSc" holding `tracks` small tracks (a program change and a note each).
    StyleFileBuilder& Ots(int tracks);
    // "FNRc" holding the records; its length is the sum of (L + 8) plus `lengthAdjust`, and
    // `trailing` bytes follow the records inside the section.
    StyleFileBuilder& Mdb(const std::vector<FinderRecord>& records, int64_t lengthAdjust = 0,
                          std::string_view trailing = {});
    StyleFileBuilder& Xfih(std::string_view content) { return Section("XFIH", content); }
    StyleFileBuilder& Mhhd(std::string_view content) { return Section("MHhd", content); }
    StyleFileBuilder& Mhtr(std::string_view content) { return Section("MHtr", content); }
    // Any tagged section, with its true or a declared length.
    StyleFileBuilder& Section(std::string_view tag, std::string_view content);
    StyleFileBuilder& Section(std::string_view tag, uint32_t declared, std::string_view content);
    // Bytes outside any section.
    StyleFileBuilder& Stray(std::string_view bytes);

    std::string Bytes() const { return midi_ + tail_; }
    // The first `size` bytes of the file (all of it when shorter).
    std::string Truncated(size_t size) const { return Bytes().substr(0, size); }
    // Where the sections begin (the size of the MIDI part).
    size_t MidiSize() const { return midi_.size(); }
    // Start of each section or stray run, in the order added.
    const std::vector<size_t>& Offsets() const { return offsets_; }

  private:
    void Begin() { offsets_.push_back(midi_.size() + tail_.size()); }

    std::string midi_;
    std::string tail_;
    std::vector<size_t> offsets_;
};

// The MIDI part of a style: format 0, one track with tempo, time signature and the given
// markers one measure apart (the first at tick 0), a note in every measure.
SmfBuilder StyleMidi(const std::vector<std::string>& markers, int division = 480,
                     uint32_t tempo = 500000, int numerator = 4, int denominator = 4);

}  // namespace kelvane::test

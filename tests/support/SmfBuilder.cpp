#include "support/SmfBuilder.h"

#include <stdexcept>

namespace kelvane::test {

std::string Be16(uint32_t value) {
    return {char(value >> 8), char(value)};
}

std::string Be24(uint32_t value) {
    return {char(value >> 16), char(value >> 8), char(value)};
}

std::string Be32(uint32_t value) {
    return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

std::string VarLen(uint32_t value) {
    value &= 0x0FFFFFFF;
    std::string out(1, char(value & 0x7F));
    for (value >>= 7; value != 0; value >>= 7) {
        out.insert(out.begin(), char(0x80 | (value & 0x7F)));
    }
    return out;
}

std::string Chunk(std::string_view tag, std::string_view content) {
    return ChunkDeclared(tag, static_cast<uint32_t>(content.size()), content);
}

std::string ChunkDeclared(std::string_view tag, uint32_t declared, std::string_view content) {
    std::string out(tag);
    out += Be32(declared);
    out += content;
    return out;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) {
        out += char(v);
    }
    return out;
}

TrackBuilder& TrackBuilder::Channel(uint32_t delta, int status, const std::string& data) {
    events_ += VarLen(delta);
    if (!runningStatus_ || status != lastStatus_) {
        events_ += char(status);
    }
    events_ += data;
    lastStatus_ = status;
    return *this;
}

TrackBuilder& TrackBuilder::NoteOn(uint32_t delta, int channel, int note, int velocity) {
    return Channel(delta, 0x90 | channel, std::string{char(note), char(velocity)});
}

TrackBuilder& TrackBuilder::NoteOff(uint32_t delta, int channel, int note, int velocity) {
    return Channel(delta, 0x80 | channel, std::string{char(note), char(velocity)});
}

TrackBuilder& TrackBuilder::Note(uint32_t delta, int channel, int note, int velocity,
                                 uint32_t duration) {
    NoteOn(delta, channel, note, velocity);
    return NoteOff(duration, channel, note, 64);
}

TrackBuilder& TrackBuilder::PolyPressure(uint32_t delta, int channel, int note, int value) {
    return Channel(delta, 0xA0 | channel, std::string{char(note), char(value)});
}

TrackBuilder& TrackBuilder::Controller(uint32_t delta, int channel, int number, int value) {
    return Channel(delta, 0xB0 | channel, std::string{char(number), char(value)});
}

TrackBuilder& TrackBuilder::ProgramChange(uint32_t delta, int channel, int program) {
    return Channel(delta, 0xC0 | channel, std::string(1, char(program)));
}

TrackBuilder& TrackBuilder::ChannelPressure(uint32_t delta, int channel, int value) {
    return Channel(delta, 0xD0 | channel, std::string(1, char(value)));
}

TrackBuilder& TrackBuilder::PitchBend(uint32_t delta, int channel, int value14) {
    return Channel(delta, 0xE0 | channel,
                   std::string{char(value14 & 0x7F), char((value14 >> 7) & 0x7F)});
}

TrackBuilder& TrackBuilder::PitchBendSensitivity(uint32_t delta, int channel, int semitones) {
    const bool running = runningStatus_;
    runningStatus_ = false;
    Controller(delta, channel, 101, 0);
    Controller(0, channel, 100, 0);
    Controller(0, channel, 6, semitones);
    runningStatus_ = running;
    return *this;
}

TrackBuilder& TrackBuilder::UseRunningStatus(bool on) {
    runningStatus_ = on;
    return *this;
}

TrackBuilder& TrackBuilder::Meta(uint32_t delta, int type, std::string_view data) {
    return MetaDeclared(delta, type, static_cast<uint32_t>(data.size()), data);
}

TrackBuilder& TrackBuilder::MetaDeclared(uint32_t delta, int type, uint32_t declared,
                                         std::string_view data) {
    events_ += VarLen(delta);
    events_ += char(0xFF);
    events_ += char(type);
    events_ += VarLen(declared);
    events_ += data;
    return *this;
}

TrackBuilder& TrackBuilder::Tempo(uint32_t delta, uint32_t microsecondsPerQuarter) {
    return Meta(delta, 0x51, Be24(microsecondsPerQuarter));
}

TrackBuilder& TrackBuilder::TimeSignature(uint32_t delta, int numerator, int denominator,
                                          int clocksPerClick, int thirtySecondsPerQuarter) {
    int power = 0;
    while ((1 << power) < denominator && power < 30) {
        ++power;
    }
    if ((1 << power) != denominator) {
        throw std::invalid_argument("time signature denominator must be a power of two");
    }
    return Meta(delta, 0x58,
                std::string{char(numerator), char(power), char(clocksPerClick),
                            char(thirtySecondsPerQuarter)});
}

TrackBuilder& TrackBuilder::KeySignature(uint32_t delta, int sharpsFlats, int minor) {
    return Meta(delta, 0x59, std::string{char(sharpsFlats), char(minor)});
}

TrackBuilder& TrackBuilder::EndOfTrack(uint32_t delta) {
    endWritten_ = true;
    return Meta(delta, 0x2F, {});
}

TrackBuilder& TrackBuilder::NoEndOfTrack() {
    autoEnd_ = false;
    return *this;
}

TrackBuilder& TrackBuilder::Sysex(uint32_t delta, std::string_view body) {
    return SysexDeclared(delta, static_cast<uint32_t>(body.size()), body);
}

TrackBuilder& TrackBuilder::SysexDeclared(uint32_t delta, uint32_t declared,
                                          std::string_view body) {
    events_ += VarLen(delta);
    events_ += char(0xF0);
    events_ += VarLen(declared);
    events_ += body;
    return *this;
}

TrackBuilder& TrackBuilder::SysexNoLength(uint32_t delta, std::string_view body) {
    events_ += VarLen(delta);
    events_ += char(0xF0);
    events_ += body;
    return *this;
}

TrackBuilder& TrackBuilder::Raw(std::string_view bytes) {
    events_ += bytes;
    return *this;
}

TrackBuilder& TrackBuilder::Delta(uint32_t delta) {
    events_ += VarLen(delta);
    return *this;
}

TrackBuilder& TrackBuilder::DeclaredLength(uint32_t length) {
    declared_ = true;
    declaredLength_ = length;
    return *this;
}

TrackBuilder& TrackBuilder::LengthAdjust(int64_t bytes) {
    lengthAdjust_ = bytes;
    return *this;
}

std::string TrackBuilder::Body() const {
    std::string body = events_;
    if (autoEnd_ && !endWritten_) {
        body += std::string("\x00\xFF\x2F\x00", 4);
    }
    return body;
}

std::string TrackBuilder::Bytes() const {
    const std::string body = Body();
    const uint32_t length =
        declared_ ? declaredLength_ : static_cast<uint32_t>(int64_t(body.size()) + lengthAdjust_);
    return ChunkDeclared("MTrk", length, body);
}

SmfBuilder::SmfBuilder(int format, int division) : format_(format), division_(division) {}

SmfBuilder& SmfBuilder::Prefix(std::string_view bytes) {
    prefix_ = bytes;
    return *this;
}

SmfBuilder& SmfBuilder::DeclaredTracks(int tracks) {
    declaredTracks_ = tracks;
    return *this;
}

SmfBuilder& SmfBuilder::HeaderLength(uint32_t declared, std::string_view extra) {
    headerDeclared_ = true;
    headerLength_ = declared;
    headerExtra_ = extra;
    return *this;
}

TrackBuilder& SmfBuilder::AddTrack() {
    items_.emplace_back();
    return items_.back().track;
}

SmfBuilder& SmfBuilder::RawChunk(std::string_view bytes) {
    Item item;
    item.raw = bytes;
    item.isRaw = true;
    items_.push_back(std::move(item));
    return *this;
}

std::string SmfBuilder::Bytes() const {
    int tracks = 0;
    for (const Item& item : items_) {
        tracks += item.isRaw ? 0 : 1;
    }
    if (declaredTracks_ >= 0) {
        tracks = declaredTracks_;
    }
    std::string out = prefix_;
    out += "MThd";
    out += Be32(headerDeclared_ ? headerLength_ : 6 + static_cast<uint32_t>(headerExtra_.size()));
    out += Be16(format_) + Be16(tracks) + Be16(division_);
    out += headerExtra_;
    for (const Item& item : items_) {
        out += item.isRaw ? item.raw : item.track.Bytes();
    }
    return out;
}

}  // namespace kelvane::test

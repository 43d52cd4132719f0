// A MidiRead that writes every callback as one line of text ("NoteOn 0 60 100"), so tests
// compare what a file delivers with a short expected list. Reports are kept apart with their
// positions.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "analysis/MidiRead.h"
#include "support/NUVFormat.h"

namespace kelvane::test {

struct MidiReport {
    std::string text;
    int64_t position;
};

class MidiRecorder : public MidiRead {
  public:
    std::vector<std::string> log;
    std::vector<MidiReport> errors;
    std::vector<MidiReport> warnings;
    std::vector<int> progress;
    std::vector<int64_t> trackMs;     // elapsed time at each OnTrackEnd
    std::vector<int64_t> trackTicks;  // tick sum at each OnTrackEnd
    bool logDeltas = false;

    // Reads `bytes` from memory; `window` > 0 reads window by window with that window size.
    // The bytes are used in place: keep them alive to read again or to use the byte access.
    int ReadBytes(const std::string& bytes, int64_t window = 0) {
        if (window > 0) {
            SetWindowSize(window);
        }
        OpenMemory(
            std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
            window > 0 ? kModeWindowed : kModeWholeFile);
        return ReadFile();
    }

    // Lines of the log that start with `prefix`.
    std::vector<std::string> Lines(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& line : log) {
            if (line.rfind(prefix, 0) == 0) {
                out.push_back(line);
            }
        }
        return out;
    }

    void OnError(const std::string& text, int64_t position) override {
        errors.push_back({text, position});
    }
    void OnWarning(const std::string& text, int64_t position) override {
        warnings.push_back({text, position});
    }
    void OnHeader(int format, int tracks, int division) override {
        Add(StrFormat("Header %d %d %d", format, tracks, division));
    }
    void OnTrackStart(int n, int64_t length, int channel) override {
        Add(StrFormat("TrackStart %d %lld %d", n, static_cast<long long>(length), channel));
    }
    void OnTrackEnd(int n) override {
        trackMs.push_back(TrackMilliseconds());
        trackTicks.push_back(TrackTicks());
        Add(StrFormat("TrackEnd %d", n));
    }
    void OnDeltaTime(uint32_t ticks) override {
        if (logDeltas) {
            Add(StrFormat("Delta %u", ticks));
        }
    }
    void OnRawEventInFile(int status, int, int64_t position, int64_t length) override {
        Add(StrFormat("RawEventInFile %02X %lld %lld", status, static_cast<long long>(position),
                      static_cast<long long>(length)));
    }
    void OnRawEvent(int status, std::span<const uint8_t> bytes) override {
        Add(StrFormat("RawEvent %02X", status) + Hex(bytes));
    }
    void OnRawMetaInFile(int type, int, int64_t position, int64_t length) override {
        Add(StrFormat("RawMetaInFile %02X %lld %lld", type, static_cast<long long>(position),
                      static_cast<long long>(length)));
    }
    void OnMeta(int type, std::span<const uint8_t> bytes) override {
        Add(StrFormat("Meta %02X", type) + Hex(bytes));
    }
    void OnTextMeta(int type, std::string_view name, std::string_view text) override {
        Add(StrFormat("Text %d %.*s %.*s", type, int(name.size()), name.data(), int(text.size()),
                      text.data()));
    }
    void OnEndOfTrack() override { Add("EndOfTrack"); }
    void OnChannelPrefix(int channel) override { Add(StrFormat("ChannelPrefix %d", channel)); }
    void OnPort(int port) override { Add(StrFormat("Port %d", port)); }
    void OnSequenceNumber(int number) override { Add(StrFormat("SequenceNumber %d", number)); }
    void OnSmpteOffset(int rate, int h, int m, int s, int f, int sf) override {
        Add(StrFormat("SmpteOffset %d %d %d %d %d %d", rate, h, m, s, f, sf));
    }
    void OnTimeSignature(int nn, int dd, int cc, int bb) override {
        Add(StrFormat("TimeSignature %d %d %d %d", nn, dd, cc, bb));
    }
    void OnTempo(uint32_t tempo) override { Add(StrFormat("Tempo %u", tempo)); }
    void OnKeySignature(int sf, int mi) override { Add(StrFormat("KeySignature %d %d", sf, mi)); }
    void OnProgramChange(int ch, int program) override {
        Add(StrFormat("ProgramChange %d %d", ch, program));
    }
    void OnController(int ch, int number, int value) override {
        Add(StrFormat("Controller %d %d %d", ch, number, value));
    }
    void OnNoteOn(int ch, int note, int velocity) override {
        Add(StrFormat("NoteOn %d %d %d", ch, note, velocity));
    }
    void OnNoteOff(int ch, int note, int velocity) override {
        Add(StrFormat("NoteOff %d %d %d", ch, note, velocity));
    }
    void OnPitchBend(int ch, int value) override { Add(StrFormat("PitchBend %d %d", ch, value)); }
    void OnPolyPressure(int ch, int note, int value) override {
        Add(StrFormat("PolyPressure %d %d %d", ch, note, value));
    }
    void OnChannelPressure(int ch, int value) override {
        Add(StrFormat("ChannelPressure %d %d", ch, value));
    }
    void OnSongPosition(int beats) override { Add(StrFormat("SongPosition %d", beats)); }
    void OnSongSelect(int song) override { Add(StrFormat("SongSelect %d", song)); }
    void OnTuneRequest() override { Add("TuneRequest"); }
    void OnClock() override { Add("Clock"); }
    void OnStart() override { Add("Start"); }
    void OnContinue() override { Add("Continue"); }
    void OnStop() override { Add("Stop"); }
    void OnActiveSensing() override { Add("ActiveSensing"); }
    void OnSysexInFile(int, int64_t position, int64_t length) override {
        Add(StrFormat("SysexInFile %lld %lld", static_cast<long long>(position),
                      static_cast<long long>(length)));
    }
    void OnSysex(std::span<const uint8_t> bytes) override { Add("Sysex" + Hex(bytes)); }
    void OnXgOn() override { Add("XgOn"); }
    void OnGmOn() override { Add("GmOn"); }
    void OnGsReset() override { Add("GsReset"); }
    void OnGsModeSet() override { Add("GsModeSet"); }
    void OnEndOfFile() override { Add(StrFormat("EndOfFile %lld", (long long)Position())); }
    void OnProgress(int percent) override { progress.push_back(percent); }

    static std::string Hex(std::span<const uint8_t> bytes) {
        std::string out;
        for (uint8_t b : bytes) {
            out += StrFormat(" %02X", b);
        }
        return out;
    }

  private:
    void Add(std::string line) { log.push_back(std::move(line)); }
};

}  // namespace kelvane::test

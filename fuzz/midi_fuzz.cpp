// Feeds any bytes to the MIDI reader with every callback overridden, and walks whatever
// follows the MIDI data the way the section walker does. Each input is read three times by
// reused readers: whole, window by window with a tiny window (so the window moves all the
// time) and whole with every option switched on. The first two must deliver the same events.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

#include "analysis/MidiRead.h"

namespace {

using kelvane::MidiBuffer;
using kelvane::MidiRead;

class FuzzReader : public MidiRead {
  public:
    uint64_t events = 0;  // channel events, track frame, errors: window-independent
    uint64_t other = 0;   // everything else
    // A tempo too long for the window is skipped undecoded, which changes the time and so
    // which pauses count as unrealistic.
    bool tempoSkipped = false;

    void Reset() {
        events = other = 1469598103934665603ull;
        tempoSkipped = false;
    }

    void OnError(const std::string& text, int64_t position) override {
        Mix(events, std::hash<std::string>{}(text) ^ uint64_t(position));
    }
    void OnWarning(const std::string& text, int64_t position) override {
        Mix(other, text.size() + uint64_t(position));
    }
    void OnHeader(int f, int t, int d) override { Mix(events, f * 65536 + t + d); }
    void OnTrackStart(int n, int64_t length, int channel) override {
        Mix(events, uint64_t(n) ^ uint64_t(length) ^ uint64_t(channel + 2));
    }
    void OnTrackEnd(int n) override { Mix(events, n + TrackTicks()); }
    void OnDeltaTime(uint32_t ticks) override { Mix(other, ticks); }
    void OnRawEventInFile(int s, int, int64_t p, int64_t n) override { Mix(other, s + p + n); }
    void OnRawEvent(int s, std::span<const uint8_t> b) override { Bytes(s, b); }
    void OnRawMetaInFile(int t, int, int64_t p, int64_t n) override {
        tempoSkipped = tempoSkipped || t == 0x51;
        Mix(other, t + p + n);
    }
    void OnMeta(int type, std::span<const uint8_t> b) override { Bytes(type, b); }
    void OnTextMeta(int type, std::string_view name, std::string_view text) override {
        Mix(other, type + name.size());
        for (char c : text) {
            Mix(other, uint8_t(c));
        }
    }
    void OnEndOfTrack() override { Mix(other, 0x2F); }
    void OnChannelPrefix(int c) override { Mix(other, c); }
    void OnPort(int p) override { Mix(other, p); }
    void OnSequenceNumber(int n) override { Mix(other, n); }
    void OnSmpteOffset(int r, int h, int m, int s, int f, int sf) override {
        Mix(other, r + h + m + s + f + sf);
    }
    void OnTimeSignature(int nn, int dd, int cc, int bb) override { Mix(other, nn + dd + cc + bb); }
    void OnTempo(uint32_t t) override { Mix(other, t); }
    void OnKeySignature(int sf, int mi) override { Mix(other, sf * 2 + mi); }
    void OnProgramChange(int c, int p) override { Mix(events, c * 256 + p); }
    void OnController(int c, int n, int v) override { Mix(events, (c * 256 + n) * 256 + v); }
    void OnPitchBendSensitivity(int c, int s) override {
        Mix(events, 0xB00000 + c * 256 + s);
        MidiRead::OnPitchBendSensitivity(c, s);
    }
    void OnNoteOn(int c, int n, int v) override { Mix(events, (0x900 + c) * 65536 + n * 256 + v); }
    void OnNoteOff(int c, int n, int v) override { Mix(events, (0x800 + c) * 65536 + n * 256 + v); }
    void OnPitchBend(int c, int v) override { Mix(events, 0xE00000 + c * 65536 + v); }
    void OnPolyPressure(int c, int n, int v) override { Mix(events, 0xA00000 + c + n + v); }
    void OnChannelPressure(int c, int v) override { Mix(events, 0xD00000 + c * 256 + v); }
    void OnSongPosition(int b) override { Mix(events, b); }
    void OnSongSelect(int s) override { Mix(events, s); }
    void OnTuneRequest() override { Mix(events, 0xF6); }
    void OnClock() override { Mix(events, 0xF8); }
    void OnStart() override { Mix(events, 0xFA); }
    void OnContinue() override { Mix(events, 0xFB); }
    void OnStop() override { Mix(events, 0xFC); }
    void OnActiveSensing() override { Mix(events, 0xFE); }
    void OnSysexInFile(int, int64_t p, int64_t n) override { Mix(other, p + n); }
    void OnSysex(std::span<const uint8_t> b) override { Bytes(0xF0, b); }
    void OnXgOn() override { Mix(other, 1); }
    void OnGmOn() override { Mix(other, 2); }
    void OnGsReset() override { Mix(other, 3); }
    void OnGsModeSet() override { Mix(other, 4); }
    void OnLargePause(uint32_t ticks) override {
        Mix(events, ticks);
        MidiRead::OnLargePause(ticks);
    }
    void OnProgress(int percent) override {
        if (percent < 0 || percent > 100) {
            std::abort();
        }
    }
    // What the section walker does: tags and lengths, skipping content, one stray byte at a
    // time otherwise. Every pass must make progress.
    void OnEndOfFile() override {
        Mix(events, uint64_t(Position()));
        while (Remaining() > 0) {
            const int64_t before = Position();
            const uint8_t* tag = Peek(4);
            if (tag != nullptr && std::memcmp(tag, "MTrk", 4) != 0) {
                Skip(4);
                const uint32_t length = Read32();
                Mix(events, length);
                if (!Skip(length)) {
                    ClearFailure();
                }
            } else {
                ReadByte();
            }
            if (Position() <= before && Remaining() > 0) {
                std::abort();  // no progress: a hang in the walker
            }
        }
    }

  private:
    static void Mix(uint64_t& h, uint64_t v) { h = (h ^ v) * 1099511628211ull; }
    void Bytes(int tag, std::span<const uint8_t> b) {
        Mix(other, tag);
        for (uint8_t c : b) {
            Mix(other, c);
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Reused across inputs, as the scanner reuses its analyser.
    static FuzzReader whole;
    static FuzzReader windowed;
    static FuzzReader options;
    const std::span<const uint8_t> bytes(data, size);

    whole.Reset();
    whole.OpenMemory(bytes, MidiBuffer::kModeWholeFile);
    const int wholeResult = whole.ReadFile();

    windowed.Reset();
    windowed.SetWindowSize(24);
    windowed.OpenMemory(bytes, MidiBuffer::kModeWindowed);
    const int windowedResult = windowed.ReadFile();
    // The header is only searched in the first window; with it at the start, both readers must
    // see the same events and stop at the same place.
    if (size >= 4 && std::memcmp(data, "MThd", 4) == 0 && !windowed.tempoSkipped &&
        (wholeResult != windowedResult || whole.events != windowed.events)) {
        std::abort();
    }

    options.Reset();
    options.SetOptions(size > 0 ? (data[size - 1] | data[0] << 3) & 0x7FFu : 0u);
    options.OpenMemory(bytes, MidiBuffer::kModeWholeFile);
    options.ReadFile();
    return 0;
}

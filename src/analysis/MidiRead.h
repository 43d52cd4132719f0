// MidiRead: a Standard MIDI File reader. It walks the file once, front to back, and reports
// every chunk and event to virtual callbacks; a derived class overrides the ones it needs.
// The style analyser derives from it and, in OnEndOfFile(), goes on reading the sections that
// follow the MIDI data through the byte access of MidiBuffer.
//
// Use:  reader.Open(path, -1, MidiBuffer::kModeWindowed);  int ok = reader.ReadFile();
// ReadFile() returns 1 when header and all tracks were read, 0 when reading stopped on an
// error (reported through OnError first). Every report carries the byte offset of the event or
// chunk being read. Positions are byte offsets from the start of the file.
//
// The callbacks are declared in the order the analyser expects to override them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "analysis/MidiBuffer.h"

namespace kelvane {

class MidiRead : public MidiBuffer {
  public:
    // Option flags (Options()). All off: every event reaches its decoded callback.
    enum Option : uint32_t {
        kSkipTrackContents = 1u << 0,       // OnTrackStart/OnTrackEnd only
        kRawMeta = 1u << 1,                 // metas to OnMeta (or OnRawMetaInFile), undecoded
        kRawSysex = 1u << 2,                // system exclusive to OnSysex, not recognised
        kRawNotes = 1u << 3,                // 8n, 9n to OnRawEvent
        kRawPolyPressure = 1u << 4,         // An
        kRawControllers = 1u << 5,          // Bn
        kRawProgramChange = 1u << 6,        // Cn
        kRawChannelPressure = 1u << 7,      // Dn
        kRawPitchBend = 1u << 8,            // En
        kRawAll = 1u << 9,                  // every event to OnRawEvent (or OnRawEventInFile)
        kAllControllersGeneric = 1u << 10,  // every controller to OnController
    };

    // Tempo until a tempo event is seen (microseconds per quarter note).
    static constexpr uint32_t kDefaultTempo = 500000;
    // Deltas of this many ticks or more are taken as an unrealistic pause.
    static constexpr uint32_t kLargePauseTicks = 0x1000000;
    // A delta lasting this long (seconds) is an unrealistic pause too.
    static constexpr int64_t kLargePauseSeconds = 3600;
    // The track channel passed to OnTrackStart by readers that do not need it.
    static constexpr int kChannelNotScanned = -3;

    MidiRead();
    // Opens `fileName` in `mode` at once (check IsOpen()).
    MidiRead(const std::string& fileName, int mode);
    ~MidiRead() override;

    // The parser steps. ReadEvent returns the bytes the event consumed, 0 on failure.
    virtual int ReadFile();
    virtual int ReadHeader();
    virtual int ReadTrack(int n);
    virtual int64_t ReadEvent(int64_t trackEnd);

    virtual void OnHeader(int format, int tracks, int division);
    // `channel`: the one channel (0..15) all channel messages of the track use, -1 for none,
    // -2 for several, kChannelNotScanned when the reader was told not to look.
    virtual void OnTrackStart(int n, int64_t length, int channel);
    virtual void OnTrackEnd(int n);
    virtual void OnDeltaTime(uint32_t) {}
    // Undecoded events (options). `bytes` are the event's bytes after the status byte;
    // events larger than the window arrive as a position in the file instead.
    virtual void OnRawEventInFile(int status, int file, int64_t position, int64_t length);
    virtual void OnRawEvent(int status, std::span<const uint8_t> bytes);
    // Metas without a decoded callback; `bytes` is the meta's data.
    virtual void OnRawMetaInFile(int type, int file, int64_t position, int64_t length);
    virtual void OnMeta(int type, std::span<const uint8_t> bytes);
    // Types 1..7 carry the names "text", "copyright", "trackname", "instrument", "lyric",
    // "marker", "cuepoint"; types 8..15 an empty name.
    virtual void OnTextMeta(int type, std::string_view name, std::string_view text);
    virtual void OnEndOfTrack() {}
    virtual void OnChannelPrefix(int channel);
    virtual void OnPort(int port);
    virtual void OnSequenceNumber(int number);
    virtual void OnSmpteOffset(int rate, int hours, int minutes, int seconds, int frames,
                               int subframes);
    // `denominator` as a note value (4 for quarters), not the power of two in the file.
    virtual void OnTimeSignature(int numerator, int denominator, int clocksPerClick,
                                 int thirtySecondsPerQuarter);
    virtual void OnTempo(uint32_t microsecondsPerQuarter);
    virtual void OnKeySignature(int sharpsFlats, int minor);
    virtual void OnProgramChange(int channel, int program);
    virtual void OnController(int, int, int) {}
    // One callback per controller; each forwards to OnController by default. (Defined here so
    // that a final derived class reading through ReadTrackDirect gets them inlined.)
    virtual void OnBankSelect(int channel, int value) { OnController(channel, 0, value); }
    virtual void OnModulation(int channel, int value) { OnController(channel, 1, value); }
    virtual void OnBreath(int channel, int value) { OnController(channel, 2, value); }
    virtual void OnFoot(int channel, int value) { OnController(channel, 4, value); }
    virtual void OnPortamentoTime(int channel, int value) { OnController(channel, 5, value); }
    virtual void OnDataEntry(int channel, int value) { OnController(channel, 6, value); }
    virtual void OnVolume(int channel, int value) { OnController(channel, 7, value); }
    virtual void OnPan(int channel, int value) { OnController(channel, 10, value); }
    virtual void OnExpression(int channel, int value) { OnController(channel, 11, value); }
    virtual void OnBankSelectLsb(int channel, int value) { OnController(channel, 32, value); }
    virtual void OnSustain(int channel, int value) { OnController(channel, 64, value); }
    virtual void OnReverbSend(int channel, int value) { OnController(channel, 91, value); }
    virtual void OnChorusSend(int channel, int value) { OnController(channel, 93, value); }
    virtual void OnDataIncrement(int channel, int value) { OnController(channel, 96, value); }
    virtual void OnDataDecrement(int channel, int value) { OnController(channel, 97, value); }
    virtual void OnRegisteredParameterLsb(int channel, int value) {
        OnController(channel, 100, value);
    }
    virtual void OnRegisteredParameterMsb(int channel, int value) {
        OnController(channel, 101, value);
    }
    // Default: replays 101 = 0, delta 0, 100 = 0, delta 0, data entry = semitones.
    virtual void OnPitchBendSensitivity(int channel, int semitones);
    virtual void OnNoteOn(int /*channel*/, int /*note*/, int /*velocity*/) {}
    // Also a note-on with velocity 0.
    virtual void OnNoteOff(int /*channel*/, int /*note*/, int /*velocity*/) {}
    virtual void OnPitchBend(int /*channel*/, int /*value14*/) {}
    virtual void OnPolyPressure(int /*channel*/, int /*note*/, int /*value*/) {}
    virtual void OnChannelPressure(int /*channel*/, int /*value*/) {}
    virtual void OnSongPosition(int beats);
    virtual void OnSongSelect(int song);
    virtual void OnTuneRequest();
    virtual void OnClock();
    virtual void OnStart();
    virtual void OnContinue();
    virtual void OnStop();
    virtual void OnActiveSensing();
    // System exclusive larger than the window: skipped, reported by position.
    virtual void OnSysexInFile(int file, int64_t position, int64_t length);
    // `bytes`: the message after F0/F7 and its length field, including the closing F7.
    virtual void OnSysex(std::span<const uint8_t> bytes);
    virtual void OnXgOn();
    virtual void OnGmOn();
    virtual void OnGsReset();
    virtual void OnGsModeSet();
    // After the last track; the position is where the MIDI data end.
    virtual void OnEndOfFile();
    // Default: OnWarning("Unrealistic large pause found", event position).
    virtual void OnLargePause(uint32_t ticks);
    virtual void OnProgress(int percent);

    uint32_t Options() const { return options_; }
    void SetOptions(uint32_t options) { options_ = options; }

    // Parse state for derived classes.
    int Format() const { return format_; }
    int Tracks() const { return tracks_; }
    int Division() const { return division_; }
    uint32_t Tempo() const { return tempo_; }
    int CurrentTrack() const { return track_; }
    int64_t Track1Length() const { return track1Length_; }
    // Start of the event or chunk being read: the position every report carries.
    int64_t EventPosition() const { return eventStart_; }
    int RunningStatus() const { return runningStatus_; }
    // Sum of the current track's delta times, and its elapsed time.
    int64_t TrackTicks() const { return trackTicks_; }
    int64_t TrackMilliseconds() const {
        return pendingTicks_ == 0 ? trackMs_ : MillisecondsWithPending();
    }

    // Stop flags: the current track's events, or the whole file (set by errors too).
    void StopTrack() { stopTrack_ = true; }
    void StopFile() { stopFile_ = stopTrack_ = true; }
    bool TrackStopped() const { return stopTrack_; }
    bool FileStopped() const { return stopFile_; }

  protected:
    // Byte access that reports like the parser: "Out of memory", "Midi event larger than
    // internal bufsize ignored" or "Unexpected end of file, curpos_" (then both stop flags).
    const uint8_t* GetBytes(int64_t n) {
        const uint8_t* bytes = GetRaw(n);
        return bytes != nullptr ? bytes : GetBytesFailed(n);
    }
    // A variable-length quantity; running out of file reports "Unexpected end of file".
    bool ReadVarLenChecked(uint32_t* value) {
        *value = ReadVarLen();
        return !Failed() || ReportEndOfFile();
    }
    // OnError and stop the file.
    void Fail(const std::string& text, int64_t position);
    void ResetParseState();

    // ReadTrack in three steps, for derived readers that run the event loop themselves:
    // BeginTrack reads the chunk header and calls OnTrackStart (the track's end, or -1 when
    // reading failed); TrackStep reads one delta time and its event (false when reading
    // failed and the file is stopped); EndTrack moves to the declared end and calls
    // OnTrackEnd unless the track was stopped (ReadTrack's result).
    int64_t BeginTrack(int n, bool scanChannel);
    bool TrackStep(int64_t end);
    int EndTrack(int n, int64_t end);

    // ReadTrack for a final derived class `Self`: the same callbacks in the same order, but
    // the common events are decoded in place and delivered to `self` without virtual calls;
    // anything unusual goes through TrackStep. Defined in MidiReadDirect.h.
    template <class Self>
    int ReadTrackDirect(Self& self, int n);
    template <class Self>
    void DirectRun(Self& self, const uint8_t* base, int64_t basePos, int64_t count, int64_t end);
    struct ShortMessage {
        uint32_t delta = 0;
        int64_t at = 0;  // offset of the status byte (or of the first data byte)
        int status = -1;
        int d0 = 0;
        int d1 = 0;
    };
    int64_t ShortChannelMessage(const uint8_t* base, int64_t i, int64_t limit,
                                ShortMessage* m) const;
    struct Iteration {
        uint32_t delta = 0;
        int64_t statusAt = 0;
        int status = -1;
        int d0 = 0;
        int d1 = 0;
        int metaType = -1;  // -1: a channel message
        int64_t metaStart = 0;
        uint32_t metaLength = 0;
        int64_t next = 0;  // offset after the event
    };
    static bool WindowVarLen(const uint8_t* base, int64_t* j, int64_t limit, uint32_t* value);
    bool DecodeIteration(const uint8_t* base, int64_t basePos, int64_t i, int64_t limit,
                         int64_t end, int running, Iteration* it) const;
    template <class Self>
    bool DeliverIteration(Self& self, const uint8_t* base, int64_t basePos, int64_t i,
                          const Iteration& it, int* running);
    template <class Self>
    int64_t ExactChannelRun(Self& self, const uint8_t* base, int64_t basePos, int64_t i,
                            int64_t limit, int* running);
    template <class Self>
    int64_t LeanChannelRun(Self& self, const uint8_t* base, int64_t basePos, int64_t i,
                           int64_t limit, int& running);
    template <class Self>
    [[gnu::always_inline]] static void DeliverChannelTo(Self& self, int status, int d0, int d1);
    template <class Self>
    static void DispatchControllerTo(Self& self, int channel, int number, int value);
    template <class Self>
    void DispatchMetaTo(Self& self, int type, std::span<const uint8_t> bytes);

  private:
    [[gnu::cold]] void ReportValue(bool error, const char* format, int value);
    const uint8_t* GetBytesFailed(int64_t n);
    bool ReportEndOfFile();
    void SetTempo(uint32_t tempo);
    // The time of a delta is added in batches: the ticks are summed and turned into
    // milliseconds when the tempo changes or the time is asked for, which gives the same
    // milliseconds and remainder as adding each delta on its own.
    void AdvanceTime(uint32_t delta) {
        if (delta != 0 && timeUnit_ > 0) {
            if (delta >= 1000 && IsLargePause(delta)) {
                OnLargePause(delta);
                StopTrack();
                return;
            }
            pendingTicks_ += delta;
            if (pendingTicks_ >= kMaxPendingTicks) {
                FlushTime();
            }
        }
    }
    bool IsLargePause(uint32_t delta) const {
        return msPerTick_ * (delta / 1000) >= kLargePauseSeconds || delta > 0xFFFFFF;
    }
    void FlushTime();
    int64_t MillisecondsWithPending() const;
    // Batches stay far below the point where the remainder arithmetic could overflow.
    static constexpr int64_t kMaxPendingTicks = int64_t{1} << 32;
    template <class ByteAt>
    static int ScanChannel(int64_t start, int64_t end, ByteAt byteAt);
    void ReportProgress();
    int ScanTrackChannel(int64_t start, int64_t end);
    int64_t ReadSysex(int status, int64_t trackEnd);
    bool SysexLength(int64_t trackEnd, int64_t* dataStart, int64_t* length);
    void DispatchSysex(std::span<const uint8_t> bytes);
    int64_t ReadMeta(int64_t trackEnd);
    void DispatchMeta(int type, std::span<const uint8_t> bytes);
    bool ReadSystemCommon(int status);
    bool ReadChannelMessage(int status);
    void ReadController(int status, int number, int value);
    void DispatchController(int channel, int number, int value);
    bool RawRequested(int status) const { return options_ != 0 && RawOption(status); }
    bool RawOption(int status) const;
    bool DeliverRaw(int status);

    uint32_t options_ = 0;
    int format_ = 0;
    int tracks_ = 0;
    int division_ = 0;
    uint32_t tempo_ = kDefaultTempo;
    int64_t timeUnit_ = 0;       // division x 1000: the denominator of the time arithmetic
    int64_t msPerTick_ = 0;      // whole milliseconds per tick
    int64_t msPerTickRest_ = 0;  // and the rest, in units of 1 / timeUnit_ ms
    int track_ = 0;
    int64_t track1Length_ = 0;
    int64_t eventStart_ = 0;
    int runningStatus_ = -1;
    int64_t trackTicks_ = 0;
    int64_t trackMs_ = 0;
    int64_t trackMsRemainder_ = 0;  // in units of 1 / timeUnit_ ms
    int64_t pendingTicks_ = 0;      // ticks whose time is not in trackMs_ yet
    bool stopTrack_ = false;
    bool stopFile_ = false;
    int lastProgress_ = -1;
    int64_t nextProgressAt_ = 0;
};

}  // namespace kelvane

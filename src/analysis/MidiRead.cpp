// MidiRead: file, header and track level, the time arithmetic and the default callbacks.
// The events themselves are read in MidiReadEvent.cpp.
#include "analysis/MidiRead.h"

#include <algorithm>
#include <cstring>

#include "support/NUVFormat.h"

namespace kelvane {

namespace {
constexpr uint32_t kMinHeaderLength = 6;
}  // namespace

MidiRead::MidiRead() = default;

MidiRead::MidiRead(const std::string& fileName, int mode) {
    Open(fileName, -1, mode);
}

MidiRead::~MidiRead() = default;

void MidiRead::ResetParseState() {
    format_ = 0;
    tracks_ = 0;
    division_ = 0;
    tempo_ = kDefaultTempo;
    timeUnit_ = 0;
    track_ = 0;
    track1Length_ = 0;
    eventStart_ = 0;
    runningStatus_ = -1;
    trackTicks_ = 0;
    trackMs_ = 0;
    trackMsRemainder_ = 0;
    pendingTicks_ = 0;
    stopTrack_ = false;
    stopFile_ = false;
    lastProgress_ = -1;
    nextProgressAt_ = 0;
}

void MidiRead::Fail(const std::string& text, int64_t position) {
    StopFile();
    OnError(text, position);
}

const uint8_t* MidiRead::GetBytesFailed(int64_t n) {
    switch (LastWindowFailure()) {
        case WindowFailure::kNoBuffer:
            Fail("Out of memory", EventPosition());
            break;
        case WindowFailure::kTooLarge:
            // Not a broken file: the event is passed over and reading goes on.
            ClearFailure();
            OnWarning("Midi event larger than internal bufsize ignored", EventPosition());
            Skip(n);
            break;
        default:
            Fail("Unexpected end of file, curpos_", EventPosition());
            break;
    }
    return nullptr;
}

bool MidiRead::ReportEndOfFile() {
    Fail("Unexpected end of file", EventPosition());
    return false;
}

int MidiRead::ReadFile() {
    ClearFailure();
    ResetParseState();
    if (ReadHeader() == 0) {
        return 0;
    }
    for (int n = 1; n <= tracks_; ++n) {
        if (ReadTrack(n) == 0 || FileStopped()) {
            return 0;
        }
    }
    if (Position() >= FileSize()) {
        OnProgress(100);
    }
    OnEndOfFile();
    return 1;
}

int MidiRead::ReadHeader() {
    if (!IsOpen()) {
        Fail("Out of memory", 0);
        return 0;
    }
    // The header may follow a prefix (a RIFF wrapper, for example) within the first window,
    // whatever the open mode. (A further window would only be searched below position 1024,
    // which the first window already covers.)
    SetPosition(0);
    const int64_t searched = std::min({FileSize(), BufferSize(), kWindowSize});
    int64_t found = -1;
    const uint8_t* window = searched >= 4 ? Peek(searched) : nullptr;
    if (window != nullptr) {
        for (int64_t p = 0; p + 4 <= searched; ++p) {
            const void* hit = std::memchr(window + p, 'M', static_cast<size_t>(searched - p));
            if (hit == nullptr) {
                break;
            }
            p = static_cast<const uint8_t*>(hit) - window;
            if (p + 4 <= searched && std::memcmp(window + p, "MThd", 4) == 0) {
                found = p;
                break;
            }
        }
    }
    if (found < 0) {
        Fail("Missing midi header MThd", 0);
        return 0;
    }
    eventStart_ = found;
    SetPosition(found + 4);
    const uint32_t length = Read32();
    if (length < kMinHeaderLength) {
        Fail("Illegal midi header", found);
        return 0;
    }
    format_ = static_cast<int>(Read16());
    tracks_ = static_cast<int>(Read16());
    division_ = static_cast<int>(Read16());
    if (Failed()) {
        Fail("Unexpected end of file", found);
        return 0;
    }
    if (format_ > 2) {
        Fail(StrFormat("Invalid midi version %d", format_), found);
        return 0;
    }
    // Ticks per quarter; a negative upper byte means SMPTE frames per second instead, where a
    // tick lasts 1 / (frames x ticks per frame) seconds whatever the tempo.
    if ((division_ & 0x8000) != 0) {
        const int frames = -static_cast<int8_t>(division_ >> 8);
        timeUnit_ = int64_t{frames} * (division_ & 0xFF) * 1000;
    } else {
        timeUnit_ = int64_t{division_} * 1000;
    }
    SetTempo(kDefaultTempo);
    if (format_ == 0 && tracks_ > 1) {
        OnWarning("Wrong midi type", found);
    }
    OnHeader(format_, tracks_, division_);
    SetPosition(found + 8 + length);
    return 1;
}

// Milliseconds per tick as an integer part and a remainder in units of 1 / timeUnit_ ms,
// computed once per tempo; the remainders are carried into whole milliseconds, so that long
// files do not drift.
void MidiRead::SetTempo(uint32_t tempo) {
    FlushTime();
    tempo_ = tempo;
    if (timeUnit_ > 0) {
        const int64_t perTick = (division_ & 0x8000) != 0 ? 1000000 : int64_t{tempo_};
        msPerTick_ = perTick / timeUnit_;
        msPerTickRest_ = perTick % timeUnit_;
    }
}

// The remainder is below the unit before and stays below 2^63 with the batch limit (rest <
// unit < 2^27, ticks < 2^33).
void MidiRead::FlushTime() {
    if (pendingTicks_ == 0) {
        return;
    }
    trackMs_ += msPerTick_ * pendingTicks_;
    trackMsRemainder_ += msPerTickRest_ * pendingTicks_;
    pendingTicks_ = 0;
    if (trackMsRemainder_ >= timeUnit_) {
        trackMs_ += trackMsRemainder_ / timeUnit_;
        trackMsRemainder_ %= timeUnit_;
    }
}

int64_t MidiRead::MillisecondsWithPending() const {
    const int64_t remainder = trackMsRemainder_ + msPerTickRest_ * pendingTicks_;
    return trackMs_ + msPerTick_ * pendingTicks_ + remainder / timeUnit_;
}

void MidiRead::ReportProgress() {
    if (FileSize() <= 0) {
        return;
    }
    const int percent = static_cast<int>(Position() * 100 / FileSize());
    if (percent != lastProgress_) {
        lastProgress_ = percent;
        OnProgress(percent);
    }
    // The first position at which the percentage changes again.
    nextProgressAt_ = ((int64_t{percent} + 1) * FileSize() + 99) / 100;
}

int64_t MidiRead::BeginTrack(int n, bool scanChannel) {
    track_ = n;
    stopTrack_ = false;
    trackTicks_ = 0;
    trackMs_ = 0;
    trackMsRemainder_ = 0;
    pendingTicks_ = 0;
    runningStatus_ = -1;
    const int64_t start = Position();
    eventStart_ = start;
    const uint8_t* tag = Peek(4);
    if (tag == nullptr || std::memcmp(tag, "MTrk", 4) != 0) {
        Fail("Missing midi track MTrk", start);
        return -1;
    }
    Skip(4);
    const int64_t length = Read32();
    if (Failed()) {
        Fail("Unexpected end of file", start);
        return -1;
    }
    if (n == 1) {
        track1Length_ = length;
    }
    const int64_t end = start + 8 + length;
    OnTrackStart(n, length, scanChannel ? ScanTrackChannel(start + 8, end) : kChannelNotScanned);
    return end;
}

bool MidiRead::TrackStep(int64_t end) {
    if (Position() >= nextProgressAt_) {
        ReportProgress();
    }
    eventStart_ = Position();
    uint32_t delta = 0;
    if (!ReadVarLenChecked(&delta)) {
        return false;
    }
    if (delta >= kLargePauseTicks) {
        OnLargePause(delta);
        StopTrack();
        return true;
    }
    OnDeltaTime(delta);
    trackTicks_ += delta;
    AdvanceTime(delta);
    if (stopTrack_) {
        return true;
    }
    if (ReadEvent(end) == 0) {
        StopFile();
        return false;
    }
    return true;
}

int MidiRead::EndTrack(int n, int64_t end) {
    if (stopFile_) {
        return 0;
    }
    SetPosition(end);
    if (!stopTrack_) {
        OnTrackEnd(n);
    }
    return 1;
}

int MidiRead::ReadTrack(int n) {
    const int64_t end = BeginTrack(n, true);
    if (end < 0) {
        return 0;
    }
    if ((Options() & kSkipTrackContents) == 0) {
        while (!stopTrack_ && !stopFile_ && Position() < end) {
            if (!TrackStep(end)) {
                return 0;
            }
        }
    }
    return EndTrack(n, end);
}

// The one channel all channel messages of the track use: walks the events between `start`
// and `end` by their lengths without moving the real position. -1: none, -2: several.
int MidiRead::ScanTrackChannel(int64_t start, int64_t end) {
    end = std::min(end, FileSize());
    if (end <= start) {
        return -1;
    }
    // Usually the whole track is in the window: scan the bytes in place.
    if (end - start <= BufferSize()) {
        if (const uint8_t* base = WindowAt(start, end - start)) {
            return ScanChannel(start, end, [base, start, end](int64_t p) {
                return p < end ? int(base[p - start]) : -1;
            });
        }
    }
    return ScanChannel(start, end, [this](int64_t p) { return PeekByteAt(p); });
}

template <class ByteAt>
int MidiRead::ScanChannel(int64_t start, int64_t end, ByteAt byteAt) {
    int64_t p = start;
    int status = -1;
    int channel = -1;
    auto varLen = [&](uint32_t* value) {
        *value = 0;
        for (int i = 0; i < 4; ++i) {
            const int b = byteAt(p++);
            if (b < 0) {
                return false;
            }
            *value = (*value << 7) | static_cast<uint32_t>(b & 0x7F);
            if (b < 0x80) {
                break;
            }
        }
        return true;
    };
    uint32_t value = 0;
    while (p < end && varLen(&value) && p < end) {
        int b = byteAt(p);
        if (b < 0x80) {
            if (b < 0 || status < 0) {
                break;
            }
            b = status;
        } else {
            ++p;
        }
        if (b < 0xF0) {
            status = b;
            const int ch = b & 0x0F;
            if (channel >= 0 && ch != channel) {
                return -2;
            }
            channel = ch;
            p += (b & 0xE0) == 0xC0 ? 1 : 2;  // Cn and Dn carry one data byte
        } else if (b == 0xF0 || b == 0xF7) {
            if (!varLen(&value)) {
                break;
            }
            p += value;
        } else if (b == 0xFF) {
            ++p;  // type
            if (!varLen(&value)) {
                break;
            }
            p += value;
        } else if (b == 0xF2 || b == 0xF3) {
            p += b == 0xF2 ? 2 : 1;
        } else if (b != 0xF6 && b != 0xF8 && (b < 0xFA || b > 0xFC) && b != 0xFE) {
            break;  // unknown status byte
        }
    }
    return channel;
}

// Default callbacks. Reports go to the error stream (MidiBuffer); the rest do nothing.
void MidiRead::OnHeader(int, int, int) {}
void MidiRead::OnTrackStart(int, int64_t, int) {}
void MidiRead::OnTrackEnd(int) {}
void MidiRead::OnRawEventInFile(int, int, int64_t, int64_t) {}
void MidiRead::OnRawEvent(int, std::span<const uint8_t>) {}
void MidiRead::OnRawMetaInFile(int, int, int64_t, int64_t) {}
void MidiRead::OnMeta(int, std::span<const uint8_t>) {}
void MidiRead::OnTextMeta(int, std::string_view, std::string_view) {}
void MidiRead::OnChannelPrefix(int) {}
void MidiRead::OnPort(int) {}
void MidiRead::OnSequenceNumber(int) {}
void MidiRead::OnSmpteOffset(int, int, int, int, int, int) {}
void MidiRead::OnTimeSignature(int, int, int, int) {}
void MidiRead::OnTempo(uint32_t) {}
void MidiRead::OnKeySignature(int, int) {}
void MidiRead::OnProgramChange(int, int) {}
void MidiRead::OnPitchBendSensitivity(int channel, int semitones) {
    OnRegisteredParameterMsb(channel, 0);
    OnDeltaTime(0);
    OnRegisteredParameterLsb(channel, 0);
    OnDeltaTime(0);
    OnDataEntry(channel, semitones);
}
void MidiRead::OnSongPosition(int) {}
void MidiRead::OnSongSelect(int) {}
void MidiRead::OnTuneRequest() {}
void MidiRead::OnClock() {}
void MidiRead::OnStart() {}
void MidiRead::OnContinue() {}
void MidiRead::OnStop() {}
void MidiRead::OnActiveSensing() {}
void MidiRead::OnSysexInFile(int, int64_t, int64_t) {}
void MidiRead::OnSysex(std::span<const uint8_t>) {}
void MidiRead::OnXgOn() {}
void MidiRead::OnGmOn() {}
void MidiRead::OnGsReset() {}
void MidiRead::OnGsModeSet() {}
void MidiRead::OnEndOfFile() {}
void MidiRead::OnLargePause(uint32_t) {
    OnWarning("Unrealistic large pause found", EventPosition());
}
void MidiRead::OnProgress(int) {}

}  // namespace kelvane

// MidiRead: one event of a track — channel messages, system exclusive, metas and system
// common messages — decoded into the callbacks.
#include <algorithm>
#include <cstring>

#include "analysis/MidiRead.h"
#include "analysis/MidiReadDirect.h"
#include "support/NUVFormat.h"

namespace kelvane {

namespace {

// Recognised system exclusive messages; 0x10 at index 1 stands for any device 10H..1FH.
constexpr uint8_t kXgOn[] = {0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0xF7};
constexpr uint8_t kGmOn[] = {0x7E, 0x7F, 0x09, 0x01, 0xF7};
constexpr uint8_t kGsReset[] = {0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7};
constexpr uint8_t kGsModeSet[] = {0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x7F, 0x42, 0xF7};

template <size_t N>
bool SysexIs(std::span<const uint8_t> bytes, const uint8_t (&pattern)[N], bool anyDevice) {
    if (bytes.size() != N) {
        return false;
    }
    for (size_t i = 0; i < N; ++i) {
        const bool deviceByte = anyDevice && i == 1;
        if (deviceByte ? (bytes[i] & 0xF0) != 0x10 : bytes[i] != pattern[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

// Kept out of the event paths, which then need no text temporaries.
void MidiRead::ReportValue(bool error, const char* format, int value) {
    const std::string text = StrFormat(format, value);
    if (error) {
        Fail(text, eventStart_);
    } else {
        OnWarning(text, eventStart_);
    }
}

int64_t MidiRead::ReadEvent(int64_t trackEnd) {
    eventStart_ = Position();
    const uint8_t* next = Peek(1);
    if (next == nullptr) {
        Fail("Unexpected end of file", eventStart_);
        return 0;
    }
    int status = *next;
    if (status < 0x80) {
        if (runningStatus_ < 0) {
            ReportValue(true, "Illegal midi command %02XH", status);
            return 0;
        }
        status = runningStatus_;  // running status: the data byte stays
    } else {
        Advance(1);
    }
    bool ok = false;
    if (status < 0xF0) {
        ok = ReadChannelMessage(status);
    } else if (status == 0xF0 || status == 0xF7) {
        ok = ReadSysex(status, trackEnd) > 0;
    } else if (status == 0xFF) {
        ok = ReadMeta(trackEnd) > 0;
    } else {
        ok = ReadSystemCommon(status);
    }
    return ok ? Position() - eventStart_ : 0;
}

bool MidiRead::RawOption(int status) const {
    if ((options_ & kRawAll) != 0) {
        return true;
    }
    switch (status & 0xF0) {
        case 0x80:
        case 0x90:
            return (options_ & kRawNotes) != 0;
        case 0xA0:
            return (options_ & kRawPolyPressure) != 0;
        case 0xB0:
            return (options_ & kRawControllers) != 0;
        case 0xC0:
            return (options_ & kRawProgramChange) != 0;
        case 0xD0:
            return (options_ & kRawChannelPressure) != 0;
        case 0xE0:
            return (options_ & kRawPitchBend) != 0;
        default:
            return false;
    }
}

// Hands the bytes of the event just read (after its status byte) to OnRawEvent, or its place
// in the file to OnRawEventInFile when it does not fit the window.
bool MidiRead::DeliverRaw(int status) {
    const int64_t start = eventStart_ + (PeekByteAt(eventStart_) == status ? 1 : 0);
    const int64_t length = Position() - start;
    if (length > BufferSize()) {
        OnRawEventInFile(status, FileHandle(), start, length);
        return true;
    }
    const uint8_t* bytes = WindowAt(start, length);
    if (bytes == nullptr) {
        Fail("Unexpected end of file, curpos_", eventStart_);
        return false;
    }
    OnRawEvent(status, std::span<const uint8_t>(bytes, static_cast<size_t>(length)));
    return true;
}

// The length of a system exclusive message, read tolerantly: a variable-length field when the
// byte it announces last is F7; otherwise no field at all and the message runs to the next F7
// within the track.
bool MidiRead::SysexLength(int64_t trackEnd, int64_t* dataStart, int64_t* length) {
    const int64_t p = Position();
    int64_t q = p;
    uint32_t value = 0;
    bool complete = false;
    for (int i = 0; i < 4; ++i) {
        const int b = PeekByteAt(q++);
        if (b < 0) {
            break;
        }
        value = (value << 7) | static_cast<uint32_t>(b & 0x7F);
        complete = b < 0x80 || i == 3;
        if (b < 0x80) {
            break;
        }
    }
    if (complete && value > 0 && PeekByteAt(q + value - 1) == 0xF7) {
        *dataStart = q;
        *length = value;
        return true;
    }
    const int64_t end = std::min(trackEnd, FileSize());
    for (int64_t r = p; r < end;) {
        const int64_t n = std::min(end - r, BufferSize());
        const uint8_t* bytes = WindowAt(r, n);
        if (bytes == nullptr) {
            break;
        }
        const void* hit = std::memchr(bytes, 0xF7, static_cast<size_t>(n));
        if (hit != nullptr) {
            *dataStart = p;
            *length = r + (static_cast<const uint8_t*>(hit) - bytes) - p + 1;
            return true;
        }
        r += n;
    }
    Fail("End of sysex not found, pos_", eventStart_);
    return false;
}

int64_t MidiRead::ReadSysex(int status, int64_t trackEnd) {
    int64_t dataStart = 0;
    int64_t length = 0;
    if (!SysexLength(trackEnd, &dataStart, &length)) {
        return 0;
    }
    SetPosition(dataStart);
    if (length > BufferSize()) {
        Skip(length);  // within the file: the length was measured there
        if ((options_ & kRawAll) != 0) {
            return DeliverRaw(status) ? length : 0;
        }
        OnSysexInFile(FileHandle(), dataStart, length);
        return length;
    }
    const uint8_t* bytes = GetBytes(length);
    if (bytes == nullptr) {
        return 0;
    }
    if ((options_ & kRawAll) != 0) {
        return DeliverRaw(status) ? length : 0;
    }
    DispatchSysex(std::span<const uint8_t>(bytes, static_cast<size_t>(length)));
    return length;
}

void MidiRead::DispatchSysex(std::span<const uint8_t> bytes) {
    if ((options_ & kRawSysex) == 0) {
        if (SysexIs(bytes, kXgOn, true)) {
            OnXgOn();
            return;
        }
        if (SysexIs(bytes, kGmOn, false)) {
            OnGmOn();
            return;
        }
        if (SysexIs(bytes, kGsReset, true)) {
            OnGsReset();
            return;
        }
        if (SysexIs(bytes, kGsModeSet, true)) {
            OnGsModeSet();
            return;
        }
    }
    OnSysex(bytes);
}

int64_t MidiRead::ReadMeta(int64_t trackEnd) {
    const int type = ReadByte();
    uint32_t length = 0;
    if (type < 0) {
        Fail("Unexpected end of file", eventStart_);
        return 0;
    }
    if (!ReadVarLenChecked(&length)) {
        return 0;
    }
    const int64_t dataStart = Position();
    if (length > BufferSize()) {
        if (!Skip(length)) {
            Fail("Unexpected end of file, curpos_", eventStart_);
            return 0;
        }
        if ((options_ & kRawAll) != 0) {
            return DeliverRaw(0xFF) ? 1 : 0;
        }
        OnRawMetaInFile(type, FileHandle(), dataStart, length);
        return 1;
    }
    const uint8_t* bytes = GetBytes(length);
    if (bytes == nullptr) {
        return 0;
    }
    const std::span<const uint8_t> data(bytes, length);
    if ((options_ & kRawAll) != 0) {
        return DeliverRaw(0xFF) ? 1 : 0;
    }
    if ((options_ & kRawMeta) != 0) {
        // The tempo still drives the elapsed time.
        if (type == 0x51 && length >= 3) {
            SetTempo((uint32_t{data[0]} << 16) | (uint32_t{data[1]} << 8) | data[2]);
        }
        OnMeta(type, data);
        return 1;
    }
    if (type == 0x2F) {
        if (Position() < trackEnd) {
            OnWarning(StrFormat("Unexpected end_of_track event found - %ld bytes before end of "
                                "track %d",
                                static_cast<long>(trackEnd - Position()), track_),
                      eventStart_);
        }
        OnEndOfTrack();
        return 1;
    }
    DispatchMeta(type, data);
    return 1;
}

void MidiRead::DispatchMeta(int type, std::span<const uint8_t> d) {
    DispatchMetaTo(*this, type, d);
}

bool MidiRead::ReadSystemCommon(int status) {
    const int dataBytes = status == 0xF2 ? 2 : status == 0xF3 ? 1 : 0;
    const bool known = dataBytes > 0 || status == 0xF6 || status == 0xF8 || status == 0xFA ||
                       status == 0xFB || status == 0xFC || status == 0xFE;
    if (!known) {
        ReportValue(true, "Unexpected command byte %02X", status);
        return false;
    }
    const uint8_t* d = dataBytes > 0 ? GetBytes(dataBytes) : nullptr;
    if (dataBytes > 0 && d == nullptr) {
        return false;
    }
    if ((options_ & kRawAll) != 0) {
        return DeliverRaw(status);
    }
    switch (status) {
        case 0xF2:
            OnSongPosition(d[0] + d[1] * 128);
            break;
        case 0xF3:
            OnSongSelect(d[0]);
            break;
        case 0xF6:
            OnTuneRequest();
            break;
        case 0xF8:
            OnClock();
            break;
        case 0xFA:
            OnStart();
            break;
        case 0xFB:
            OnContinue();
            break;
        case 0xFC:
            OnStop();
            break;
        default:
            OnActiveSensing();
            break;
    }
    return true;
}

bool MidiRead::ReadChannelMessage(int status) {
    const int channel = status & 0x0F;
    const int kind = status & 0xF0;
    const uint8_t* d = GetBytes(kind == 0xC0 || kind == 0xD0 ? 1 : 2);
    if (d == nullptr) {
        return false;
    }
    runningStatus_ = status;
    if (RawRequested(status)) {
        return DeliverRaw(status);
    }
    switch (kind) {
        case 0x80:
        case 0x90:
            if (d[0] >= 0x80) {
                ReportValue(false, "Invalid note value >=80H used (%02XH)", d[0]);
            }
            if (d[1] >= 0x80) {
                ReportValue(false, "Invalid note velocity >=80H used (%02XH)", d[1]);
            }
            if (kind == 0x90 && d[1] != 0) {
                OnNoteOn(channel, d[0], d[1]);
            } else {
                OnNoteOff(channel, d[0], d[1]);
            }
            break;
        case 0xA0:
            OnPolyPressure(channel, d[0], d[1]);
            break;
        case 0xB0:
            ReadController(status, d[0], d[1]);
            break;
        case 0xC0:
            if (d[0] >= 0x80) {
                ReportValue(false, "Invalid program change value >=80H used (%02XH)", d[0]);
            }
            OnProgramChange(channel, d[0]);
            break;
        case 0xD0:
            OnChannelPressure(channel, d[0]);
            break;
        default:
            OnPitchBend(channel, d[0] + d[1] * 128);
            break;
    }
    return true;
}

void MidiRead::ReadController(int status, int number, int value) {
    const int channel = status & 0x0F;
    if (value >= 0x80) {
        ReportValue(false, "Invalid control value >=80H used (%02XH)", value);
    }
    if ((options_ & kAllControllersGeneric) != 0) {
        OnController(channel, number, value);
        return;
    }
    // Registered parameter 0/0 followed by its data entry, all with zero deltas: the pitch
    // bend sensitivity. Other parameter numbers are passed on event by event.
    if (number == 101 && value == 0) {
        const uint8_t* next = Peek(8);
        if (next != nullptr && next[0] == 0 && next[1] == status && next[2] == 100 &&
            next[3] == 0 && next[4] == 0 && next[5] == status && next[6] == 6) {
            const int semitones = next[7];
            Skip(8);
            OnPitchBendSensitivity(channel, semitones);
            return;
        }
    }
    DispatchController(channel, number, value);
}

void MidiRead::DispatchController(int channel, int number, int value) {
    DispatchControllerTo(*this, channel, number, value);
}

}  // namespace kelvane

// The reader's event loop for a final derived class: the common events (channel messages
// without faults, metas) are decoded straight from the window and handed to the derived
// class's callbacks without virtual dispatch; any other event, any fault and any event that
// reaches past the bytes in the window goes through the ordinary TrackStep, so the callbacks,
// reports and positions are exactly those of ReadTrack.
//
// Include this header only where a reader instantiates ReadTrackDirect:
//     class MyReader final : public MidiRead {
//         static constexpr bool kNeedsTrackChannel = false;  // OnTrackStart gets -3
//         int ReadTrack(int n) override { return ReadTrackDirect(*this, n); }
//     };
#pragma once

#include <algorithm>
#include <string_view>
#include <type_traits>

#include "analysis/MidiRead.h"

namespace kelvane {

namespace midi_detail {
inline constexpr const char* kTextMetaNames[8] = {"",           "text",  "copyright", "trackname",
                                                  "instrument", "lyric", "marker",    "cuepoint"};
inline std::string_view AsText(std::span<const uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}
// When the window holds fewer bytes of the track than this from the position on (and the
// track goes on), the window is moved to the position first.
inline constexpr int64_t kDirectSlack = 256;
}  // namespace midi_detail

template <class Self>
void MidiRead::DispatchControllerTo(Self& self, int channel, int number, int value) {
    switch (number) {
        case 0:
            return self.OnBankSelect(channel, value);
        case 1:
            return self.OnModulation(channel, value);
        case 2:
            return self.OnBreath(channel, value);
        case 4:
            return self.OnFoot(channel, value);
        case 5:
            return self.OnPortamentoTime(channel, value);
        case 6:
            return self.OnDataEntry(channel, value);
        case 7:
            return self.OnVolume(channel, value);
        case 10:
            return self.OnPan(channel, value);
        case 11:
            return self.OnExpression(channel, value);
        case 32:
            return self.OnBankSelectLsb(channel, value);
        case 64:
            return self.OnSustain(channel, value);
        case 91:
            return self.OnReverbSend(channel, value);
        case 93:
            return self.OnChorusSend(channel, value);
        case 96:
            return self.OnDataIncrement(channel, value);
        case 97:
            return self.OnDataDecrement(channel, value);
        case 100:
            return self.OnRegisteredParameterLsb(channel, value);
        case 101:
            return self.OnRegisteredParameterMsb(channel, value);
        default:
            return self.OnController(channel, number, value);
    }
}

template <class Self>
void MidiRead::DispatchMetaTo(Self& self, int type, std::span<const uint8_t> d) {
    const size_t n = d.size();
    if (type >= 1 && type <= 15) {
        self.OnTextMeta(type, type <= 7 ? midi_detail::kTextMetaNames[type] : "",
                        midi_detail::AsText(d));
    } else if (type == 0x00 && n == 2) {
        self.OnSequenceNumber((d[0] << 8) | d[1]);
    } else if (type == 0x20 && n == 1) {
        self.OnChannelPrefix(d[0]);
    } else if (type == 0x21 && n == 1) {
        self.OnPort(d[0]);
    } else if (type == 0x51 && n >= 3) {
        SetTempo((uint32_t{d[0]} << 16) | (uint32_t{d[1]} << 8) | d[2]);
        self.OnTempo(tempo_);
    } else if (type == 0x54 && n == 5) {
        self.OnSmpteOffset(d[0] >> 5, d[0] & 0x1F, d[1], d[2], d[3], d[4]);
    } else if (type == 0x58 && n == 4 && d[1] <= 30) {
        // 2^dd; a power that no int holds is left undecoded.
        self.OnTimeSignature(d[0], 1 << d[1], d[2], d[3]);
    } else if (type == 0x59 && n == 2 && static_cast<int8_t>(d[0]) >= -7 &&
               static_cast<int8_t>(d[0]) <= 7 && d[1] <= 1) {
        self.OnKeySignature(static_cast<int8_t>(d[0]), d[1]);
    } else {
        self.OnMeta(type, d);
    }
}

template <class Self>
int MidiRead::ReadTrackDirect(Self& self, int n) {
    static_assert(std::is_final_v<Self> && std::is_base_of_v<MidiRead, Self>,
                  "ReadTrackDirect calls the callbacks of a final reader directly");
    const int64_t end = BeginTrack(n, Self::kNeedsTrackChannel);
    if (end < 0) {
        return 0;
    }
    if ((options_ & kSkipTrackContents) != 0) {
        return EndTrack(n, end);
    }
    while (!stopTrack_ && !stopFile_ && Position() < end) {
        if (options_ == 0) {
            const int64_t p = Position();
            const int64_t want = std::min(end, FileSize()) - p;
            int64_t have = 0;
            const uint8_t* base = WindowFrom(p, &have);
            if (want > 0 && have < std::min(want, midi_detail::kDirectSlack)) {
                const int64_t size = std::min(want, BufferSize());
                base = WindowAt(p, size);
                have = base != nullptr ? size : 0;
            }
            if (base != nullptr && want > 0) {
                DirectRun(self, base, p, std::min(have, want), end);
                if (stopTrack_ || stopFile_ || Position() >= end) {
                    break;
                }
            }
        }
        if (!TrackStep(end)) {
            return 0;
        }
    }
    return EndTrack(n, end);
}

// Decodes iterations (delta time and event) from the `count` bytes at `base`, which hold the
// file from position `basePos` on, until the loop of ReadTrack would end or an iteration
// needs the ordinary path. Nothing is delivered for an iteration that falls back.
template <class Self>
void MidiRead::DirectRun(Self& self, const uint8_t* base, int64_t basePos, int64_t count,
                         int64_t end) {
    const uint8_t* const lim = base + count;
    while (!stopTrack_ && !stopFile_ && Position() < end) {
        if (Position() >= nextProgressAt_) {
            ReportProgress();
        }
        const int64_t iterStart = Position();
        const uint8_t* q = base + (iterStart - basePos);
        if (q >= lim) {
            return;
        }
        uint32_t delta = *q++;
        if (delta >= 0x80) {
            delta &= 0x7F;
            for (int i = 1; i < 4; ++i) {
                if (q >= lim) {
                    return;
                }
                const uint32_t b = *q++;
                delta = (delta << 7) | (b & 0x7F);
                if (b < 0x80) {
                    break;
                }
            }
            if (delta >= kLargePauseTicks) {
                return;
            }
        }
        if (q >= lim) {
            return;
        }
        const uint8_t* const statusAt = q;
        int status = *q;
        if (status < 0x80) {
            if (runningStatus_ < 0) {
                return;
            }
            status = runningStatus_;
        } else {
            ++q;
        }
        int d0 = 0;
        int d1 = 0;
        int metaType = -1;
        std::span<const uint8_t> metaData;
        if (status < 0xF0) {
            const int kind = status & 0xF0;
            const int dataBytes = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
            if (lim - q < dataBytes) {
                return;
            }
            d0 = q[0];
            d1 = dataBytes == 2 ? q[1] : 0;
            q += dataBytes;
            // Values that the reader warns about, and the pitch bend sensitivity sequence.
            if (((kind == 0x80 || kind == 0x90) && (d0 >= 0x80 || d1 >= 0x80)) ||
                (kind == 0xB0 && (d1 >= 0x80 || (d0 == 101 && d1 == 0))) ||
                (kind == 0xC0 && d0 >= 0x80)) {
                return;
            }
        } else if (status == 0xFF) {
            if (q >= lim) {
                return;
            }
            metaType = *q++;
            if (q >= lim) {
                return;
            }
            uint32_t length = *q++;
            if (length >= 0x80) {
                length &= 0x7F;
                for (int i = 1; i < 4; ++i) {
                    if (q >= lim) {
                        return;
                    }
                    const uint32_t b = *q++;
                    length = (length << 7) | (b & 0x7F);
                    if (b < 0x80) {
                        break;
                    }
                }
            }
            if (static_cast<int64_t>(length) > lim - q) {
                return;
            }
            metaData = std::span<const uint8_t>(q, length);
            q += length;
            // An end of track before the declared end is reported by the ordinary path.
            if (metaType == 0x2F && basePos + (q - base) < end) {
                return;
            }
        } else {
            return;  // system exclusive and system messages
        }
        // The iteration is complete: deliver it exactly as TrackStep would.
        Advance(statusAt - (base + (iterStart - basePos)));
        eventStart_ = iterStart;
        self.OnDeltaTime(delta);
        trackTicks_ += delta;
        AdvanceTime(delta);
        if (stopTrack_) {
            return;
        }
        eventStart_ = basePos + (statusAt - base);
        Advance(q - statusAt);
        if (metaType < 0) {
            runningStatus_ = status;
            const int channel = status & 0x0F;
            switch (status & 0xF0) {
                case 0x80:
                    self.OnNoteOff(channel, d0, d1);
                    break;
                case 0x90:
                    if (d1 != 0) {
                        self.OnNoteOn(channel, d0, d1);
                    } else {
                        self.OnNoteOff(channel, d0, d1);
                    }
                    break;
                case 0xA0:
                    self.OnPolyPressure(channel, d0, d1);
                    break;
                case 0xB0:
                    DispatchControllerTo(self, channel, d0, d1);
                    break;
                case 0xC0:
                    self.OnProgramChange(channel, d0);
                    break;
                case 0xD0:
                    self.OnChannelPressure(channel, d0);
                    break;
                default:
                    self.OnPitchBend(channel, d0 + d1 * 128);
                    break;
            }
        } else if (metaType == 0x2F) {
            self.OnEndOfTrack();
        } else {
            DispatchMetaTo(self, metaType, metaData);
        }
    }
}

}  // namespace kelvane

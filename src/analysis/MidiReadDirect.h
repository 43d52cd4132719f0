// The reader's event loop for a final derived class: the common events (channel messages
// without faults, metas) are decoded straight from the window and handed to the derived
// class's callbacks without virtual dispatch; any other event, any fault and any event that
// reaches past the bytes in the window goes through the ordinary TrackStep, so the callbacks,
// reports and positions are exactly those of ReadTrack.
//
// Include this header only where a reader instantiates ReadTrackDirect:
//     class MyReader final : public MidiRead {
//         static constexpr bool kNeedsTrackChannel = false;  // OnTrackStart gets -3
//         static constexpr bool kLeanChannelCallbacks = false;  // see LeanChannelRun
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
inline void MidiRead::DeliverChannelTo(Self& self, int status, int d0, int d1) {
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
}

// A channel message with a delta time of one or two bytes at offset `i` that the reader
// passes on without a report: the delta, the offset of the status (`at`), the status (in: the
// running status), the data bytes and the offset after the message; -1 for anything else
// (longer deltas, unrealistic pauses, other messages, bytes it would warn about, the pitch
// bend sensitivity sequence, bytes beyond `limit`).
inline int64_t MidiRead::ShortChannelMessage(const uint8_t* base, int64_t i, int64_t limit,
                                             ShortMessage* m) const {
    int64_t j = i + 1;
    uint32_t delta = base[i];
    if (j >= limit) {
        return -1;
    }
    if (delta >= 0x80) {
        const uint32_t low = base[j++];
        delta = ((delta & 0x7F) << 7) | low;
        if (low >= 0x80 || j >= limit || (delta >= 1000 && IsLargePause(delta))) {
            return -1;
        }
    }
    m->delta = delta;
    m->at = j;
    const int byte = base[j];
    if (byte >= 0x80) {
        if (byte >= 0xF0) {
            return -1;
        }
        m->status = byte;
        ++j;
    } else if (m->status < 0) {
        return -1;
    }
    const int kind = m->status & 0xF0;
    if (kind == 0xC0 || kind == 0xD0 || limit - j < 2) {
        return -1;
    }
    m->d0 = base[j];
    m->d1 = base[j + 1];
    if ((m->d0 | m->d1) >= 0x80 || (kind == 0xB0 && m->d0 == 101 && m->d1 == 0)) {
        return -1;
    }
    return j + 2;
}

// The short-message loop for readers whose channel callbacks look only at TrackTicks() and
// CurrentTrack(), never stop the reading, and that have no use for OnProgress: position,
// running status and time are kept in locals and stored once, when the loop ends.
template <class Self>
int64_t MidiRead::LeanChannelRun(Self& self, const uint8_t* base, int64_t basePos, int64_t i,
                                 int64_t limit, int& running) {
    int64_t ticks = 0;
    ShortMessage m;
    m.status = running;
    while (i < limit) {
        const int64_t next = ShortChannelMessage(base, i, limit, &m);
        if (next < 0) {
            break;
        }
        self.OnDeltaTime(m.delta);
        trackTicks_ += m.delta;
        ticks += m.delta;
        i = next;
        DeliverChannelTo(self, m.status, m.d0, m.d1);
    }
    running = m.status;
    runningStatus_ = m.status;
    MoveTo(basePos + i);
    if (ticks != 0 && timeUnit_ > 0) {
        pendingTicks_ += ticks;
        if (pendingTicks_ >= kMaxPendingTicks) {
            FlushTime();
        }
    }
    return i;
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
// needs the ordinary path. Nothing is delivered for an iteration that falls back. The state
// the callbacks may look at (position, event position, ticks, running status) is stored
// before each callback; the rest lives in locals.
template <class Self>
void MidiRead::DirectRun(Self& self, const uint8_t* base, int64_t basePos, int64_t count,
                         int64_t end) {
    // Offsets from `base`: decoding stays within the track and the bytes at hand.
    const int64_t limit = std::min(count, end - basePos);
    int64_t i = Position() - basePos;
    int running = runningStatus_;
    while (i < limit) {
        if (basePos + i >= nextProgressAt_) {
            MoveTo(basePos + i);
            ReportProgress();
            if (stopTrack_ || stopFile_) {
                return;
            }
        }
        // Channel messages with a one-byte delta, the bulk of every file, go round a shorter
        // loop; anything else leaves it for the full decoding below.
        if constexpr (Self::kLeanChannelCallbacks) {
            i = LeanChannelRun(self, base, basePos, i, limit, running);
        } else {
            const int64_t runLimit = std::min(limit, nextProgressAt_ - basePos);
            while (i < runLimit) {
                ShortMessage m;
                m.status = running;
                const int64_t next = ShortChannelMessage(base, i, limit, &m);
                if (next < 0) {
                    break;
                }
                MoveTo(basePos + m.at);
                eventStart_ = basePos + i;
                self.OnDeltaTime(m.delta);
                trackTicks_ += m.delta;
                AdvanceTime(m.delta);  // not an unrealistic pause: checked above
                eventStart_ = basePos + m.at;
                i = next;
                MoveTo(basePos + i);
                running = m.status;
                runningStatus_ = m.status;
                DeliverChannelTo(self, m.status, m.d0, m.d1);
                if (stopTrack_ || stopFile_) {
                    return;
                }
            }
        }
        if (i >= limit) {
            return;
        }
        if (basePos + i >= nextProgressAt_) {
            MoveTo(basePos + i);
            ReportProgress();
            if (stopTrack_ || stopFile_) {
                return;
            }
        }
        const int64_t iterStart = i;
        int64_t j = i;
        uint32_t delta = base[j++];
        if (delta >= 0x80) {
            delta &= 0x7F;
            for (int k = 1; k < 4; ++k) {
                if (j >= limit) {
                    return;
                }
                const uint32_t b = base[j++];
                delta = (delta << 7) | (b & 0x7F);
                if (b < 0x80) {
                    break;
                }
            }
            if (delta >= kLargePauseTicks) {
                return;
            }
        }
        if (j >= limit) {
            return;
        }
        const int64_t statusAt = j;
        int status = base[j];
        if (status < 0x80) {
            if (running < 0) {
                return;
            }
            status = running;
        } else {
            ++j;
        }
        int d0 = 0;
        int d1 = 0;
        int metaType = -1;
        int64_t metaStart = 0;
        uint32_t metaLength = 0;
        if (status < 0xF0) {
            const int kind = status & 0xF0;
            if (kind == 0xC0 || kind == 0xD0) {
                if (j >= limit) {
                    return;
                }
                d0 = base[j++];
                if (kind == 0xC0 && d0 >= 0x80) {
                    return;  // the reader warns about it
                }
            } else {
                if (limit - j < 2) {
                    return;
                }
                d0 = base[j];
                d1 = base[j + 1];
                j += 2;
                // Values the reader warns about, and the pitch bend sensitivity sequence.
                if (kind <= 0x90 ? (d0 | d1) >= 0x80
                                 : kind == 0xB0 && (d1 >= 0x80 || (d0 == 101 && d1 == 0))) {
                    return;
                }
            }
        } else if (status == 0xFF) {
            if (limit - j < 2) {
                return;
            }
            metaType = base[j++];
            metaLength = base[j++];
            if (metaLength >= 0x80) {
                metaLength &= 0x7F;
                for (int k = 1; k < 4; ++k) {
                    if (j >= limit) {
                        return;
                    }
                    const uint32_t b = base[j++];
                    metaLength = (metaLength << 7) | (b & 0x7F);
                    if (b < 0x80) {
                        break;
                    }
                }
            }
            if (static_cast<int64_t>(metaLength) > limit - j) {
                return;
            }
            metaStart = j;
            j += metaLength;
            // An end of track before the declared end is reported by the ordinary path.
            if (metaType == 0x2F && basePos + j < end) {
                return;
            }
        } else {
            return;  // system exclusive and system messages
        }
        // The iteration is complete: deliver it exactly as TrackStep would.
        MoveTo(basePos + statusAt);
        eventStart_ = basePos + iterStart;
        self.OnDeltaTime(delta);
        trackTicks_ += delta;
        AdvanceTime(delta);
        if (stopTrack_) {
            return;
        }
        eventStart_ = basePos + statusAt;
        MoveTo(basePos + j);
        i = j;
        if (metaType < 0) {
            running = status;
            runningStatus_ = status;
            DeliverChannelTo(self, status, d0, d1);
        } else if (metaType == 0x2F) {
            self.OnEndOfTrack();
        } else {
            DispatchMetaTo(self, metaType, std::span<const uint8_t>(base + metaStart, metaLength));
        }
        if (stopTrack_ || stopFile_) {
            return;
        }
    }
}

}  // namespace kelvane

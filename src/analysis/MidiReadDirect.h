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
    // Cn and Dn carry one data byte: the full decoding takes them.
    if ((m->status & 0xE0) == 0xC0 || limit - j < 2) {
        return -1;
    }
    const int d0 = base[j];
    const int d1 = base[j + 1];
    if (((d0 | d1) & 0x80) != 0 || ((m->status & 0xF0) == 0xB0 && d0 == 101 && d1 == 0)) {
        return -1;
    }
    m->d0 = d0;
    m->d1 = d1;
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

// A variable-length quantity of at most four bytes at offset `*j`, within `limit`; false when
// it runs past the limit.
inline bool MidiRead::WindowVarLen(const uint8_t* base, int64_t* j, int64_t limit,
                                   uint32_t* value) {
    uint32_t v = base[(*j)++];
    if (v >= 0x80) {
        v &= 0x7F;
        for (int k = 1; k < 4; ++k) {
            if (*j >= limit) {
                return false;
            }
            const uint32_t b = base[(*j)++];
            v = (v << 7) | (b & 0x7F);
            if (b < 0x80) {
                break;
            }
        }
    }
    *value = v;
    return true;
}

// One iteration (delta time and event) at offset `i` that the reader would deliver without a
// report, with all its bytes before `limit`; false for anything that needs the ordinary path
// (system exclusive and system messages, values it warns about, the pitch bend sensitivity
// sequence, an early end of track, unrealistic pauses in ticks).
inline bool MidiRead::DecodeIteration(const uint8_t* base, int64_t basePos, int64_t i,
                                      int64_t limit, int64_t end, int running,
                                      Iteration* it) const {
    int64_t j = i;
    if (!WindowVarLen(base, &j, limit, &it->delta) || it->delta >= kLargePauseTicks || j >= limit) {
        return false;
    }
    it->statusAt = j;
    it->status = base[j] < 0x80 ? running : base[j++];
    if (it->status < 0) {
        return false;
    }
    it->metaType = -1;
    if (it->status < 0xF0) {
        const int kind = it->status & 0xF0;
        const int dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
        if (limit - j < dataBytes) {
            return false;
        }
        it->d0 = base[j];
        it->d1 = dataBytes == 2 ? base[j + 1] : 0;
        j += dataBytes;
        if (kind <= 0x90   ? (it->d0 | it->d1) >= 0x80
            : kind == 0xB0 ? it->d1 >= 0x80 || (it->d0 == 101 && it->d1 == 0)
                           : kind == 0xC0 && it->d0 >= 0x80) {
            return false;
        }
    } else if (it->status == 0xFF) {
        if (limit - j < 2) {
            return false;
        }
        it->metaType = base[j++];
        if (!WindowVarLen(base, &j, limit, &it->metaLength) ||
            static_cast<int64_t>(it->metaLength) > limit - j) {
            return false;
        }
        it->metaStart = j;
        j += it->metaLength;
        if (it->metaType == 0x2F && basePos + j < end) {
            return false;
        }
    } else {
        return false;
    }
    it->next = j;
    return true;
}

// Delivers a decoded iteration exactly as TrackStep would; false when reading of the track
// has stopped.
template <class Self>
bool MidiRead::DeliverIteration(Self& self, const uint8_t* base, int64_t basePos, int64_t i,
                                const Iteration& it, int* running) {
    MoveTo(basePos + it.statusAt);
    eventStart_ = basePos + i;
    self.OnDeltaTime(it.delta);
    trackTicks_ += it.delta;
    AdvanceTime(it.delta);
    if (stopTrack_) {
        return false;
    }
    eventStart_ = basePos + it.statusAt;
    MoveTo(basePos + it.next);
    if (it.metaType < 0) {
        *running = it.status;
        runningStatus_ = it.status;
        DeliverChannelTo(self, it.status, it.d0, it.d1);
    } else if (it.metaType == 0x2F) {
        self.OnEndOfTrack();
    } else {
        DispatchMetaTo(self, it.metaType,
                       std::span<const uint8_t>(base + it.metaStart, it.metaLength));
    }
    return !stopTrack_ && !stopFile_;
}

// Short channel messages one after another for readers that need every state exact.
template <class Self>
int64_t MidiRead::ExactChannelRun(Self& self, const uint8_t* base, int64_t basePos, int64_t i,
                                  int64_t limit, int* running) {
    const int64_t runLimit = std::min(limit, nextProgressAt_ - basePos);
    while (i < runLimit) {
        ShortMessage m;
        m.status = *running;
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
        *running = m.status;
        runningStatus_ = m.status;
        DeliverChannelTo(self, m.status, m.d0, m.d1);
        if (stopTrack_ || stopFile_) {
            break;
        }
    }
    return i;
}

// Decodes iterations (delta time and event) from the `count` bytes at `base`, which hold the
// file from position `basePos` on, until the loop of ReadTrack would end or an iteration
// needs the ordinary path. Nothing is delivered for an iteration that falls back.
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
        // Short channel messages, the bulk of every file, go round a tighter loop.
        if constexpr (Self::kLeanChannelCallbacks) {
            i = LeanChannelRun(self, base, basePos, i, limit, running);
        } else {
            i = ExactChannelRun(self, base, basePos, i, limit, &running);
            if (stopTrack_ || stopFile_) {
                return;
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
        Iteration it;
        if (!DecodeIteration(base, basePos, i, limit, end, running, &it) ||
            !DeliverIteration(self, base, basePos, i, it, &running)) {
            return;
        }
        i = it.next;
    }
}

}  // namespace kelvane

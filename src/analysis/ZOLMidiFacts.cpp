// CZOLMidi: the facts taken from text metas, markers, system exclusive messages and the
// voice events, and the info text made from the track names.
#include <algorithm>
#include <cstring>

#include "analysis/SectionMap.h"
#include "analysis/ZOLKeyboardData.h"
#include "analysis/ZOLMidi.h"
#include "analysis/ZOLProgramNames.h"
#include "records/ZOLRecordText.h"
#include "support/NUVTrace.h"

namespace kelvane {
namespace {

// Sequencer-specific meta of length 7 that announces chord data.
constexpr uint8_t kChordsPrefix[] = {0x43, 0x7B, 0x01};
constexpr size_t kChordsMetaLength = 7;
// Messages of this length or more are not written out byte by byte.
constexpr size_t kSysexTraceLimit = 1000;

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

// The text of a meta as the analyser keeps it: up to its first NUL, at most 500 characters.
std::string_view MetaText(std::string_view text) {
    text = text.substr(0, std::min(text.size(), analysis::kMaxMetaText));
    const size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

bool HasLetter(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

bool Untitled(std::string_view name) {
    return EqualsIgnoreCase(name, "untitled");
}

bool BytesAt(std::span<const uint8_t> m, size_t at, std::initializer_list<uint8_t> bytes) {
    if (m.size() < at + bytes.size()) {
        return false;
    }
    return std::equal(bytes.begin(), bytes.end(), m.begin() + static_cast<ptrdiff_t>(at));
}

}  // namespace

void CZOLMidi::OnTextMeta(int type, std::string_view, std::string_view raw) {
    const std::string_view text = MetaText(raw);
    const int track = CurrentTrack();
    const bool trackSlot = track >= 0 && track < analysis::kTrackSlots;
    switch (type) {
        case 1:
            TextEvent(text);
            break;
        case 2:
            result_.copyright.assign(TrimBlanks(text));
            break;
        case 3:
            if (trackSlot) {
                result_.trackNames[track].assign(TrimBlanks(text));
            }
            break;
        case 5:
            if (text.size() > 1) {
                result_.lyrics = true;
                if (trackSlot) {
                    result_.trackContent[track] = true;
                }
            }
            break;
        case 6:
            MarkerEvent(text);
            break;
        default:
            break;
    }
}

// Karaoke files announce themselves with "@KMIDI"; their "@T" texts then give the title and
// the performer.
void CZOLMidi::TextEvent(std::string_view text) {
    if (StartsWithIgnoreCase(text, "@KMIDI")) {
        result_.karaoke = true;
        if (CurrentTrack() >= 0 && CurrentTrack() < analysis::kTrackSlots) {
            result_.trackContent[CurrentTrack()] = true;
        }
        return;
    }
    if (result_.karaoke && StartsWith(text, "@T") &&
        result_.karaokeTextCount < analysis::kKaraokeTexts) {
        result_.karaokeTexts[result_.karaokeTextCount++].assign(text.substr(2));
    }
}

void CZOLMidi::MarkerEvent(std::string_view text) {
    ++result_.markers;
    const std::optional<SectionKind> kind = SectionKindOfMarker(text);
    if (!kind) {
        if (StartsWith(text, "SFF1")) {
            ++result_.sff1Count;
        } else if (StartsWith(text, "SFF2")) {
            ++result_.sff2Count;
        } else if (StartsWith(text, "SInt")) {
            ++result_.sintCount;
        }
        return;
    }
    int* count = nullptr;
    switch (*kind) {
        case SectionKind::kMain:
            count = &result_.mainCount;
            result_.mainA = result_.mainA || StartsWith(text, "Main A");
            break;
        case SectionKind::kIntro:
            count = &result_.introCount;
            break;
        case SectionKind::kFillIn:
            count = &result_.fillInCount;
            break;
        case SectionKind::kEnding:
            count = &result_.endingCount;
            break;
        case SectionKind::kBreak:
            count = &result_.breakCount;
            break;
    }
    ++*count;
    if (result_.sectionCount >= analysis::kMaxSections) {
        return;
    }
    const int start = MeasureAt(TrackTicks());
    if (result_.sectionCount > 0) {
        result_.sections[result_.sectionCount - 1].endMeasure = start - 1;
    }
    SectionEntry& entry = result_.sections[result_.sectionCount++];
    entry.name.assign(text);
    entry.startMeasure = start;
    entry.endMeasure = start;
}

void CZOLMidi::OnMeta(int type, std::span<const uint8_t> bytes) {
    if (type == 0x7F && bytes.size() == kChordsMetaLength &&
        std::equal(std::begin(kChordsPrefix), std::end(kChordsPrefix), bytes.begin())) {
        result_.chords = true;
    }
}

void CZOLMidi::LogSysex(std::span<const uint8_t> bytes) {
    if (bytes.size() >= kSysexTraceLimit) {
        TraceFormat(trace::kDebug, true, "%s%d", "SYSEX too long - ",
                    static_cast<int>(bytes.size()));
        return;
    }
    std::string line = " ! SYSEX: ";
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            line += ' ';
        }
        line += kHex[bytes[i] >> 4];
        line += kHex[bytes[i] & 0x0F];
    }
    TraceLine(trace::kDebug, true, line);
}

void CZOLMidi::OnSysex(std::span<const uint8_t> bytes) {
    if (TraceAllSysex()) {
        LogSysex(bytes);
    }
    std::span<const uint8_t> m = bytes;
    if (!m.empty() && m[0] == 0xF0) {
        m = m.subspan(1);
    }
    if (BytesAt(m, 0, {0x43, 0x73})) {
        KeyboardSysex(m);
    }
    // Vocal harmony part: 43 10 xx 04 00 14 vv.
    if (BytesAt(m, 0, {0x43, 0x10}) && BytesAt(m, 3, {0x04, 0x00, 0x14}) && m.size() > 6 &&
        m[6] <= 15) {
        result_.vocalHarmonyChannel = m[6] + 1;
    }
}

// The three layouts in which keyboards name themselves and the style that played; bytes are
// counted from the 43.
void CZOLMidi::KeyboardSysex(std::span<const uint8_t> m) {
    int keyboardId = -1;
    int styleId = 0;
    if (BytesAt(m, 3, {0x11, 0x00, 0x16}) && m.size() > 7) {
        keyboardId = m[2];
        styleId = m[7] + m[6] * 128;
    } else if (BytesAt(m, 4, {0x11, 0x00, 0x16}) && m.size() > 8) {
        keyboardId = m[3];
        styleId = m[8] + m[7] * 128;
    } else if (BytesAt(m, 2, {0x01, 0x51, 0x05, 0x00, 0x03, 0x04, 0x00, 0x00}) && m.size() > 11) {
        keyboardId = 1;
        styleId = m[11] + m[10] * 128;
    }
    if (keyboardId < 0) {
        return;
    }
    KeyboardData().LookupKeyboard(keyboardId, styleId, result_.keyboardModel,
                                  result_.keyboardStyle);
    result_.keyboardIdentified = true;
}

VoiceEntry* CZOLMidi::CurrentVoice(int channel) {
    ChannelVoices& voices = result_.voices[static_cast<size_t>(channel)];
    return voices.count > 0 ? &voices.entries[static_cast<size_t>(voices.count - 1)] : nullptr;
}

void CZOLMidi::OnProgramChange(int channel, int program) {
    ChannelVoices& voices = result_.voices[static_cast<size_t>(channel)];
    if (voices.count < analysis::kMaxVoicesPerChannel) {
        VoiceEntry& entry = voices.entries[static_cast<size_t>(voices.count++)];
        entry = VoiceEntry{};
        entry.program = program;
        ProgramShortName(channel, program, entry.shortName, sizeof entry.shortName);
    }
    eventTrace_.Add(channel, CZOLMidiEventTrace::kVoice, program);
}

void CZOLMidi::OnBankSelect(int channel, int value) {
    if (VoiceEntry* voice = CurrentVoice(channel)) {
        voice->bankHigh = value;
    }
    eventTrace_.Add(channel, CZOLMidiEventTrace::kBankHigh, value);
}

void CZOLMidi::OnBankSelectLsb(int channel, int value) {
    if (VoiceEntry* voice = CurrentVoice(channel)) {
        voice->bankLow = value;
    }
    eventTrace_.Add(channel, CZOLMidiEventTrace::kBankLow, value);
}

void CZOLMidi::OnReverbSend(int channel, int value) {
    if (VoiceEntry* voice = CurrentVoice(channel); voice != nullptr && voice->reverb < 0) {
        voice->reverb = value;
    }
    eventTrace_.Add(channel, CZOLMidiEventTrace::kReverb, value);
}

void CZOLMidi::OnChorusSend(int channel, int value) {
    if (VoiceEntry* voice = CurrentVoice(channel); voice != nullptr && voice->chorus < 0) {
        voice->chorus = value;
    }
    eventTrace_.Add(channel, CZOLMidiEventTrace::kChorus, value);
}

void CZOLMidi::OnPortamentoTime(int channel, int value) {
    eventTrace_.Add(channel, CZOLMidiEventTrace::kPortamento, value);
}

void CZOLMidi::OnVolume(int channel, int value) {
    eventTrace_.Add(channel, CZOLMidiEventTrace::kVolume, value);
}

// One track: its name unless it is "untitled". Several: the names of the tracks without
// notes, lyrics or karaoke mark (the style's or song's title tracks) that hold a letter.
void CZOLMidi::BuildInfoText() {
    std::string& info = result_.infoText;
    info.clear();
    if (result_.tracks == 1) {
        if (!Untitled(result_.trackNames[1])) {
            info = result_.trackNames[1];
        }
        return;
    }
    const int last = std::min(result_.tracks, analysis::kTrackSlots - 1);
    for (int t = 0; t <= last; ++t) {
        const std::string& name = result_.trackNames[static_cast<size_t>(t)];
        if (result_.trackContent[static_cast<size_t>(t)] || name.empty() || Untitled(name) ||
            !HasLetter(name)) {
            continue;
        }
        if (!info.empty()) {
            info += ' ';
        }
        info += name;
    }
}

}  // namespace kelvane

// CZOLMidi: the analysis run, the reader's reports, the header and track facts and the values
// derived when the file has been read. Texts, markers, sysex and voices are in
// ZOLMidiFacts.cpp, the section chain in ZOLMidiSections.cpp.
#include "analysis/ZOLMidi.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <new>

#include "analysis/MidiReadDirect.h"
#include "support/NUVTrace.h"
#include "support/ZOLConfigValues.h"

namespace kelvane {

void AnalysisResult::Reset() {
    AnalysisResult fresh;
    // The texts and lists move over to the fresh result, so that they keep their storage.
    fresh.sections.swap(sections);
    fresh.voices.swap(voices);
    fresh.trackNames.swap(trackNames);
    fresh.karaokeTexts.swap(karaokeTexts);
    fresh.infoText.swap(infoText);
    fresh.copyright.swap(copyright);
    fresh.keyboardModel.swap(keyboardModel);
    fresh.keyboardStyle.swap(keyboardStyle);
    *this = std::move(fresh);
    for (std::string& name : trackNames) {
        name.clear();
    }
    for (std::string& text : karaokeTexts) {
        text.clear();
    }
    infoText.clear();
    copyright.clear();
    keyboardModel.clear();
    keyboardStyle.clear();
    sections.resize(analysis::kMaxSections);
    voices.resize(analysis::kChannelSlots);
    for (ChannelVoices& channel : voices) {
        channel.count = 0;
    }
}

int TempoToBpm(uint32_t microsecondsPerQuarter) {
    if (microsecondsPerQuarter == 0) {
        return 0;
    }
    const uint32_t q = 600000000u / microsecondsPerQuarter;
    return static_cast<int>(q / 10 + (q % 10 >= 5 ? 1 : 0));
}

namespace {
// Read by every analysing thread; set by the developer command between scans.
std::atomic<bool> traceAllSysex{false};
}  // namespace

void SetTraceAllSysex(bool on) {
    traceAllSysex.store(on);
}

bool TraceAllSysex() {
    return traceAllSysex;
}

CZOLMidi::CZOLMidi() {
    result_.Reset();
}

CZOLMidi::~CZOLMidi() = default;

void CZOLMidi::Begin(const std::string& name) {
    result_.Reset();
    tweak_.Reset();
    eventTrace_.Reset();
    fileName_ = name;
    inSections_ = false;
    noteContent_ = &noContent_;
    traceProblems_ = Config().traceTargetFileProblems != 0;
    traceAnalysis_ = Config().traceTargetFileAnalysis != 0;
    if (traceAnalysis_) {
        TraceLine(trace::kAlways, true, "Analysing file = " + name);
    }
}

int CZOLMidi::AnalyseBytes(std::span<const uint8_t> bytes, const std::string& name) {
    Begin(name);
    OpenMemory(bytes, kModeWindowed);
    return Run();
}

int CZOLMidi::AnalyseOpenFile(const std::string& name, int fd) {
    Begin(name);
    if (!Open(name, fd, kModeWindowed)) {
        Finish(0);
        return 0;
    }
    return Run();
}

uint8_t* CZOLMidi::FileBuffer(size_t size) {
    if (size > fileBufferSize_) {
        fileBuffer_.reset(new (std::nothrow) uint8_t[size]);
        fileBufferSize_ = fileBuffer_ != nullptr ? size : 0;
    }
    return fileBuffer_.get();
}

int CZOLMidi::Run() {
    const int result = ReadFile();
    Finish(result);
    Close();
    return result;
}

void CZOLMidi::Finish(int readResult) {
    if (readResult == 0) {
        const int tracks = Tracks();
        const int64_t track1 = Track1Length();
        result_.Reset();
        result_.midiError = true;
        result_.tracks = tracks;
        result_.track1Length = track1;
        return;
    }
    // Also when track 1 ended early (an unrealistic pause stops a track without its end).
    result_.track1Length = Track1Length();
    result_.relatedId = tweak_.TweakId();
    result_.tempoBpm = TempoToBpm(result_.tempoSeen ? result_.firstTempo : kDefaultTempo);
    const int64_t seconds = result_.longestTrackMs / 1000;
    result_.lengthMinutes = static_cast<int>(std::min<int64_t>(seconds / 60, INT_MAX));
    result_.lengthSeconds = static_cast<int>(seconds % 60);
    BuildInfoText();
}

int CZOLMidi::ReadTrack(int n) {
    return ReadTrackDirect(*this, n);
}

void CZOLMidi::Report(const char* kind, const std::string& text, int64_t position) {
    TraceFormat(trace::kAlways, true, "%s: %s, File: %s, Position: %d (%XH)", kind, text.c_str(),
                fileName_.c_str(), static_cast<int>(position), static_cast<unsigned>(position));
}

void CZOLMidi::OnError(const std::string& text, int64_t position) {
    // Reports of the byte access while the sections are walked are not the MIDI data's.
    if (inSections_) {
        return;
    }
    result_.midiError = true;
    if (traceProblems_) {
        Report("Midi Error", text, position);
    }
}

void CZOLMidi::OnWarning(const std::string& text, int64_t position) {
    if (inSections_) {
        return;
    }
    result_.midiProblems = true;
    if (traceProblems_) {
        Report("Midi Warning", text, position);
    }
}

void CZOLMidi::TraceStructure(const char* what, int64_t position, int64_t length) {
    const int64_t end = position + 8 + length - 1;
    TraceFormat(trace::kAlways, true, "%s - Position: %d (%XH), Length: %d (%XH), End: %d (%XH)",
                what, static_cast<int>(position), static_cast<unsigned>(position),
                static_cast<int>(length), static_cast<unsigned>(length), static_cast<int>(end),
                static_cast<unsigned>(end));
}

void CZOLMidi::OnHeader(int format, int tracks, int division) {
    result_.format = format;
    result_.tracks = tracks;
    result_.division = division;
}

void CZOLMidi::OnTrackStart(int n, int64_t length, int) {
    noteContent_ = n >= 0 && n < analysis::kTrackSlots
                       ? &result_.trackContent[static_cast<size_t>(n)]
                       : &noContent_;
    if (traceAnalysis_) {
        TraceStructure("MIDI track", EventPosition(), length);
    }
}

void CZOLMidi::OnTrackEnd(int) {
    result_.longestTrackMs = std::max(result_.longestTrackMs, TrackMilliseconds());
    result_.longestTrackTicks = std::max(result_.longestTrackTicks, TrackTicks());
}

void CZOLMidi::OnTempo(uint32_t microsecondsPerQuarter) {
    if (!result_.tempoSeen) {
        result_.tempoSeen = true;
        result_.firstTempo = microsecondsPerQuarter;
    }
}

void CZOLMidi::OnTimeSignature(int numerator, int denominator, int, int) {
    if (!result_.timeSigSeen) {
        result_.timeSigSeen = true;
        result_.timeSigNumerator = numerator;
        result_.timeSigDenominator = denominator;
    }
}

// The measure holding `ticks`, counted from 1. A measure of n/d lasts n x 4 / d quarter notes:
// tick x d / (ticks per quarter x n x 4) + 1. Every measure is 1 without a time signature (or
// with a zero division or numerator).
int CZOLMidi::MeasureAt(int64_t ticks) const {
    const int64_t perMeasureTimesD = int64_t{result_.division} * result_.timeSigNumerator * 4;
    const int64_t d = result_.timeSigDenominator;
    if (!result_.timeSigSeen || perMeasureTimesD <= 0 || d <= 0 || ticks < 0) {
        return 1;
    }
    // In two parts, so that no product leaves 64 bits (d may be up to 2^30).
    const int64_t whole = ticks / perMeasureTimesD;
    const int64_t rest = ticks % perMeasureTimesD;
    if (whole > (INT_MAX - 1) / d) {
        return INT_MAX;
    }
    return static_cast<int>(
        std::min<int64_t>(whole * d + rest * d / perMeasureTimesD + 1, INT_MAX));
}

void CZOLMidi::OnEndOfFile() {
    inSections_ = true;
    if (result_.sectionCount > 0) {
        result_.sections[result_.sectionCount - 1].endMeasure =
            MeasureAt(result_.longestTrackTicks);
    }
    WalkSections();
}

}  // namespace kelvane

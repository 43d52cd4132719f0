// CZOLMidi: the style and midi file analyser. It reads the MIDI data of a file through the
// reader's callbacks, collecting the facts of AnalysisResult (tempo, time signature, texts,
// markers and the section list, XG/GS/GM, keyboard identification, voices, the notes of the
// tweak id), then walks the sections a keyboard stores behind the MIDI data of a style file
// (CASM, OTSc, FNRc with its Music Finder records, XFIH, MHhd, MHtr) and counts what does not
// belong to any of them. Every Music Finder record goes to the song list, when one is set.
//
// One analyser is meant to serve many files: the reader window, the tweak array, the event
// list and the texts of the result are reused, so a scan does not allocate per file.
//
//   CZOLMidi analyser;
//   analyser.AnalyseBytes(bytes, path);   // or AnalyseOpenFile(path, fd) for large files
//   const AnalysisResult& r = analyser.Result();
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "analysis/MidiRead.h"
#include "analysis/ZOLAnalysisResult.h"
#include "analysis/ZOLMidiEventTrace.h"
#include "analysis/ZOLTweak.h"
#include "records/ZOLSongCollector.h"

namespace kelvane {

// The developer switch "Trace all SYSEX": every system exclusive message is written to the
// trace at level 50 (the command switches the trace on at that level too).
void SetTraceAllSysex(bool on);
bool TraceAllSysex();

class CZOLMidi final : public MidiRead {
  public:
    // The analyser has no use for the channel pre-scan of each track, and its channel
    // callbacks look only at the track and its ticks.
    static constexpr bool kNeedsTrackChannel = false;
    static constexpr bool kLeanChannelCallbacks = true;

    CZOLMidi();
    ~CZOLMidi() override;

    // Analyses a whole file held in memory (the bytes must stay alive during the call);
    // `name` names the file in trace lines. The result is complete afterwards; the return
    // value is ReadFile's (1: the MIDI data were read, 0: reading stopped on an error).
    int AnalyseBytes(std::span<const uint8_t> bytes, const std::string& name);
    // The same through the reader window from an open descriptor (the caller keeps it).
    int AnalyseOpenFile(const std::string& name, int fd);

    const AnalysisResult& Result() const { return result_; }
    const CZOLTweak& Tweak() const { return tweak_; }
    CZOLTweak& Tweak() { return tweak_; }
    const CZOLMidiEventTrace& EventTrace() const { return eventTrace_; }

    // The list that receives every Music Finder record read, in file order (nullptr: none).
    void SetSongList(std::vector<MusicFinderRecord>* songs) { songList_ = songs; }
    // A list that receives a copy of every Music Finder record read, up to
    // kMaxKeptFinderRecords per file (nullptr: none). The caller empties it between files.
    void SetFinderRecordList(std::vector<MusicFinderRecord>* list) { finderList_ = list; }
    static constexpr size_t kMaxKeptFinderRecords = 10'000;

    // A buffer of at least `size` bytes for a whole file, reused from file to file (nullptr
    // when it cannot be had).
    uint8_t* FileBuffer(size_t size);

    // Reader callbacks.
    void OnError(const std::string& text, int64_t position) override;
    void OnWarning(const std::string& text, int64_t position) override;
    int ReadTrack(int n) override;
    void OnHeader(int format, int tracks, int division) override;
    void OnTrackStart(int n, int64_t length, int channel) override;
    void OnTrackEnd(int n) override;
    void OnMeta(int type, std::span<const uint8_t> bytes) override;
    void OnTextMeta(int type, std::string_view name, std::string_view text) override;
    void OnTimeSignature(int numerator, int denominator, int clocksPerClick,
                         int thirtySecondsPerQuarter) override;
    void OnTempo(uint32_t microsecondsPerQuarter) override;
    void OnProgramChange(int channel, int program) override;
    void OnBankSelect(int channel, int value) override;
    void OnBankSelectLsb(int channel, int value) override;
    void OnPortamentoTime(int channel, int value) override;
    void OnVolume(int channel, int value) override;
    void OnReverbSend(int channel, int value) override;
    void OnChorusSend(int channel, int value) override;
    void OnNoteOn(int channel, int note, int velocity) override {
        *noteContent_ = true;
        tweak_.AddNoteOn(static_cast<int32_t>(TrackTicks()), channel, note, velocity);
    }
    void OnNoteOff(int channel, int note, int velocity) override {
        tweak_.AddNoteOff(static_cast<int32_t>(TrackTicks()), channel, note, velocity);
    }
    void OnSysex(std::span<const uint8_t> bytes) override;
    void OnXgOn() override { result_.xgOn = true; }
    void OnGmOn() override { result_.gmOn = true; }
    void OnGsReset() override { result_.gsReset = true; }
    void OnEndOfFile() override;

  private:
    void Begin(const std::string& name);
    int Run();
    void Finish(int readResult);
    void Report(const char* kind, const std::string& text, int64_t position);
    void TraceStructure(const char* what, int64_t position, int64_t length);
    int MeasureAt(int64_t ticks) const;

    // Facts (ZOLMidiFacts.cpp).
    void TextEvent(std::string_view text);
    void MarkerEvent(std::string_view text);
    void KeyboardSysex(std::span<const uint8_t> m);
    void LogSysex(std::span<const uint8_t> bytes);
    VoiceEntry* CurrentVoice(int channel);
    void BuildInfoText();

    // The section chain behind the MIDI data (ZOLMidiSections.cpp).
    void WalkSections();
    void UnexpectedByte(bool* endWalk);
    bool TagAt(const char* tag);
    bool SectionTagMayStart();
    StatusCode ReadSectionHeader(const char* tag, const char* traceName, int64_t* start,
                                 int64_t* length);
    StatusCode ReadCasmSection();
    StatusCode ReadOtsSection();
    StatusCode ReadMdbSection();
    StatusCode ReadXfSection();
    StatusCode ReadMhhdSection();
    StatusCode ReadMhtrSection();
    StatusCode SkipPlainSection(const char* tag, const char* traceName, bool* present,
                                int64_t* length);
    int64_t ReadMdbRecord();
    bool ReadFinderText(const char* tag, std::string* text, int64_t recordStart, bool* ended);
    void FileWarning(const char* text, int64_t position);

    AnalysisResult result_;
    CZOLTweak tweak_;
    CZOLMidiEventTrace eventTrace_;
    std::vector<MusicFinderRecord>* songList_ = nullptr;
    std::vector<MusicFinderRecord>* finderList_ = nullptr;
    MusicFinderRecord finder_;  // reused for each Music Finder record
    std::string fileName_;
    std::unique_ptr<uint8_t[]> fileBuffer_;
    size_t fileBufferSize_ = 0;
    bool traceProblems_ = false;
    bool traceAnalysis_ = false;
    bool inSections_ = false;
    // The content flag of the current track (tracks above 16 have none: a flag of no track).
    bool* noteContent_ = &noContent_;
    bool noContent_ = false;
};

}  // namespace kelvane

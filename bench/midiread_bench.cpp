// bench/run midiread DIR [ROUNDS]: reads every .mid, .kar and .sty file below DIR with a MIDI
// reader that overrides the callbacks the analyser uses (one reader object for all files, as
// the scan does), against `cat` of the same files as the reference. The files are read once
// first; then ours and the reference alternate and the medians are printed.
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "analysis/MidiRead.h"

namespace {

namespace fs = std::filesystem;
using kelvane::MidiBuffer;
using kelvane::MidiRead;

// The analyser's share of the work: facts kept, notes collected, sections walked.
class BenchReader : public MidiRead {
  public:
    struct Note {
        int32_t tick;
        uint16_t kind;
        uint16_t note;
    };
    std::vector<Note> notes;
    uint64_t sum = 0;
    int failures = 0;

    BenchReader() { notes.reserve(150000); }
    void OnError(const std::string&, int64_t position) override { sum += position; }
    void OnWarning(const std::string&, int64_t position) override { sum += position; }
    void OnHeader(int f, int t, int d) override { sum += f + t + d; }
    void OnTempo(uint32_t t) override { sum += t; }
    void OnTimeSignature(int nn, int dd, int, int) override { sum += nn + dd; }
    void OnTextMeta(int type, std::string_view, std::string_view text) override {
        sum += type + std::min<size_t>(text.size(), 500);
    }
    void OnMeta(int type, std::span<const uint8_t> bytes) override { sum += type + bytes.size(); }
    void OnNoteOn(int, int note, int) override {
        notes.push_back({int32_t(TrackTicks()), 1, uint16_t(note)});
    }
    void OnNoteOff(int, int note, int) override {
        notes.push_back({int32_t(TrackTicks()), 2, uint16_t(note)});
    }
    void OnXgOn() override { ++sum; }
    void OnGmOn() override { ++sum; }
    void OnGsReset() override { ++sum; }
    void OnSysex(std::span<const uint8_t> bytes) override { sum += bytes.size(); }
    void OnTrackEnd(int) override { sum += TrackMilliseconds(); }
    void OnProgramChange(int c, int p) override { sum += c + p; }
    void OnBankSelect(int c, int v) override { sum += c + v; }
    void OnBankSelectLsb(int c, int v) override { sum += c + v; }
    void OnReverbSend(int c, int v) override { sum += c + v; }
    void OnChorusSend(int c, int v) override { sum += c + v; }
    void OnPortamentoTime(int c, int v) override { sum += c + v; }
    void OnVolume(int c, int v) override { sum += c + v; }
    void OnEndOfFile() override {
        // The section chain: tag, length, skip.
        while (Remaining() >= 8) {
            Skip(4);
            if (!Skip(Read32())) {
                break;
            }
        }
    }

    void ReadOne(const std::string& path) {
        notes.clear();
        if (!Open(path, -1, MidiBuffer::kModeWindowed) || ReadFile() == 0) {
            ++failures;
        }
        sum += notes.size();
        Close();
    }
};

bool Wanted(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
    return ext == ".mid" || ext == ".kar" || ext == ".sty";
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench/run midiread DIR [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(argv[1])) {
        if (entry.is_regular_file() && Wanted(entry.path())) {
            files.push_back(entry.path().string());
        }
    }
    if (files.empty()) {
        std::fprintf(stderr, "midiread: no .mid, .kar or .sty files below %s\n", argv[1]);
        return 1;
    }
    std::sort(files.begin(), files.end());
    const fs::path list = fs::temp_directory_path() / "midiread_bench.list";
    {
        std::ofstream out(list, std::ios::binary);
        for (const std::string& f : files) {
            out << f << '\0';
        }
    }
    const std::string reference = "xargs -0 cat < '" + list.string() + "' > /dev/null";
    // Read everything once so that both sides start from the page cache.
    if (std::system(reference.c_str()) != 0) {
        std::fprintf(stderr, "midiread: reference command failed\n");
        return 1;
    }
    BenchReader reader;
    std::vector<double> ours, theirs;
    for (int round = 0; round < rounds; ++round) {
        auto start = std::chrono::steady_clock::now();
        for (const std::string& f : files) {
            reader.ReadOne(f);
        }
        ours.push_back(Seconds(start));
        start = std::chrono::steady_clock::now();
        if (std::system(reference.c_str()) != 0) {
            return 1;
        }
        theirs.push_back(Seconds(start));
    }
    fs::remove(list);
    const double x = Median(ours), y = Median(theirs);
    std::printf("midiread: ours %.3f s, reference %.3f s, ratio %.2f\n", x, y, x / y);
    std::printf("midiread: %zu files, %.0f files per second (%d unreadable; checksum %llu)\n",
                files.size(), files.size() / x, reader.failures / rounds,
                static_cast<unsigned long long>(reader.sum % 1000));
    return 0;
}

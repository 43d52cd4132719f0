// The direct event loop of final readers must deliver exactly what the ordinary loop delivers:
// the same callbacks in the same order, the same reports at the same positions, the same
// times, for sound, faulty and randomly damaged files, whole or through small windows.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "analysis/MidiReadDirect.h"
#include "analysis/MidiRecorder.h"
#include "support/SmfBuilder.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

using test::Bytes;
using test::SmfBuilder;

class DirectRecorder final : public test::MidiRecorder {
  public:
    static constexpr bool kNeedsTrackChannel = true;
    static constexpr bool kLeanChannelCallbacks = false;
    int ReadTrack(int n) override { return ReadTrackDirect(*this, n); }
};

// The recorder's channel callbacks look at no reader state: it may take the lean loop (which
// reports no progress of its own).
class LeanRecorder final : public test::MidiRecorder {
  public:
    static constexpr bool kNeedsTrackChannel = true;
    static constexpr bool kLeanChannelCallbacks = true;
    int ReadTrack(int n) override { return ReadTrackDirect(*this, n); }
};

struct Outcome {
    int result = 0;
    std::vector<std::string> log;
    std::vector<std::string> reports;
    std::vector<int64_t> ms, ticks;
    std::vector<int> progress;
    bool operator==(const Outcome&) const = default;
};

template <class Reader>
Outcome Read(const std::string& bytes, int64_t window) {
    Reader reader;
    reader.logDeltas = true;
    Outcome out;
    out.result = reader.ReadBytes(bytes, window);
    out.log = reader.log;
    for (const auto* list : {&reader.errors, &reader.warnings}) {
        for (const test::MidiReport& r : *list) {
            out.reports.push_back(r.text + "@" + std::to_string(r.position));
        }
    }
    out.ms = reader.trackMs;
    out.ticks = reader.trackTicks;
    out.progress = reader.progress;
    return out;
}

void ExpectSameEvents(const std::string& bytes, const std::string& what) {
    for (int64_t window : {int64_t{0}, int64_t{24}, int64_t{61}, MidiBuffer::kWindowSize}) {
        Outcome ordinary = Read<test::MidiRecorder>(bytes, window);
        const Outcome direct = Read<DirectRecorder>(bytes, window);
        ASSERT_EQ(direct, ordinary) << what << ", window " << window;
        Outcome lean = Read<LeanRecorder>(bytes, window);
        lean.progress = ordinary.progress = {};
        ASSERT_EQ(lean, ordinary) << what << ", window " << window << ", lean";
    }
}

// Every kind of event, running status, and the faults the reader reports.
std::string RichFile() {
    SmfBuilder smf(1, 96);
    smf.AddTrack()
        .TrackName(0, "Song")
        .Tempo(0, 400000)
        .TimeSignature(0, 3, 8)
        .KeySignature(0, 2, 1)
        .Meta(0, 0x21, "\x01")
        .Meta(0, 0x54, std::string("\x61\x01\x02\x03\x04", 5))
        .Meta(0, 0x7F, "\x43\x7B\x01\x00\x00\x00\x00")
        .Tempo(700, 300000);
    smf.AddTrack()
        .UseRunningStatus()
        .Sysex(0, Bytes({0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0xF7}))
        .ProgramChange(0, 2, 5)
        .Controller(0, 2, 0, 1)
        .Controller(0, 2, 7, 100)
        .Controller(0, 2, 91, 40)
        .PitchBendSensitivity(0, 2, 12)
        .Controller(0, 2, 101, 0)
        .Note(10, 2, 60, 100, 48)
        .NoteOn(0, 2, 64, 90)
        .NoteOn(0, 2, 67, 90)
        .NoteOn(200, 2, 64, 0)
        .PolyPressure(1, 2, 67, 20)
        .ChannelPressure(1, 2, 30)
        .PitchBend(1, 2, 9000)
        .Lyric(0, "la")
        .Raw(Bytes({0x00, 0x92, 0x90, 0x20}))  // note value above 7FH
        .Raw(Bytes({0x00, 0xB2, 0x07, 0x81}))  // controller value above 7FH
        .Raw(Bytes({0x00, 0xC2, 0x85}))        // program above 7FH
        .Raw(Bytes({0x00, 0xF8, 0x00, 0xF2, 0x01, 0x02}))
        .SysexNoLength(0, Bytes({0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7}))
        .EndOfTrack(5)
        .LengthAdjust(3);
    smf.AddTrack().Note(0x0FFFFF, 0, 40, 1, 10).Delta(0x0FFFFFFF).Raw(Bytes({0x90, 1, 1}));
    smf.AddTrack().UseRunningStatus().Note(0, 9, 36, 100, 1).Raw(Bytes({0x00, 0xF1}));
    return smf.Bytes();
}

TEST(MidiReadDirect, DeliversWhatTheOrdinaryLoopDelivers) {
    const std::string rich = RichFile();
    ExpectSameEvents(rich, "rich file");
    for (size_t cut : {size_t{14}, size_t{40}, rich.size() / 2, rich.size() - 1}) {
        ExpectSameEvents(rich.substr(0, cut), "cut at " + std::to_string(cut));
    }
}

TEST(MidiReadDirect, DamagedFilesGiveTheSameEvents) {
    const std::string rich = RichFile();
    std::mt19937 random(20240607);
    for (int round = 0; round < 1500; ++round) {
        std::string bytes = rich;
        const int changes = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < changes; ++i) {
            const size_t at = 14 + random() % (bytes.size() - 14);
            switch (random() % 3) {
                case 0:
                    bytes[at] = static_cast<char>(random());
                    break;
                case 1:
                    bytes.insert(at, 1, static_cast<char>(random() & 0x7F));
                    break;
                default:
                    bytes.erase(at, 1 + random() % 4);
                    break;
            }
        }
        ExpectSameEvents(bytes, "round " + std::to_string(round));
    }
}

TEST(MidiReadDirect, RealFilesGiveTheSameEvents) {
    const std::filesystem::path folder = "/usr/share/games/openttd/baseset/openmsx";
    if (!std::filesystem::is_directory(folder)) {
        GTEST_SKIP() << folder << " is missing (Debian package openttd-openmsx)";
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".mid") {
            ExpectSameEvents(test::ReadFileBytes(entry.path()), entry.path().filename());
        }
    }
}

}  // namespace
}  // namespace kelvane

// Feeds any bytes to AnalyseFile, as a file, in style mode and in midi mode, with one analyser
// reused across inputs as the scan reuses it. Checks what must hold for every input: a record
// with an errors text, the file id equal to the CRC of the bytes, the size, and the tweak
// array grown only as far as the notes of the input need. Some inputs run with the problem
// and structure traces on, so that the trace texts are formatted from any bytes too. The
// analyser's fast event loop must deliver what the reader's ordinary loop delivers.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "analysis/MidiReadDirect.h"
#include "analysis/MidiRecorder.h"
#include "analysis/ZOLExtendedInfo.h"
#include "analysis/ZOLMidi.h"
#include "analysis/ZOLStyleFile.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLStyleData.h"
#include "support/NUVCrc32.h"
#include "support/NUVDbg.h"
#include "support/NUVTrace.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace {

using namespace kelvane;
namespace test = kelvane::test;

class QuietSink final : public IMessageSink {
  public:
    void ShowBox(Severity, const std::string&) override {}
    void ConsoleText(const std::string&) override {}
    void ExitProgram(int) override {}
};

struct Setup {
    std::string folder;
    Setup() {
        static QuietSink sink;
        SetMessageSink(&sink);
        SetDebugLevel(0);
        folder = (std::filesystem::temp_directory_path() /
                  ("kelvane-analyse-fuzz-" + std::to_string(::getpid())))
                     .string() +
                 "/";
        std::filesystem::create_directories(folder);
        SetTraceFolder(folder);
        InitRecordStore();
    }
    ~Setup() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Takes the analyser's loop (its callbacks look at no reader state).
class LeanRecorder final : public test::MidiRecorder {
  public:
    static constexpr bool kNeedsTrackChannel = true;
    static constexpr bool kLeanChannelCallbacks = true;
    int ReadTrack(int n) override { return ReadTrackDirect(*this, n); }
};

template <class Reader>
void Record(Reader& reader, const std::string& bytes, int64_t window) {
    reader.logDeltas = true;
    reader.ReadBytes(bytes, window);
}

void CheckSameEvents(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (int64_t window : {int64_t{0}, int64_t{29}}) {
        test::MidiRecorder ordinary;
        LeanRecorder lean;
        Record(ordinary, bytes, window);
        Record(lean, bytes, window);
        Check(ordinary.log == lean.log && ordinary.trackMs == lean.trackMs &&
              ordinary.trackTicks == lean.trackTicks &&
              ordinary.errors.size() == lean.errors.size() &&
              ordinary.warnings.size() == lean.warnings.size());
        for (size_t i = 0; i < ordinary.errors.size(); ++i) {
            Check(ordinary.errors[i].text == lean.errors[i].text &&
                  ordinary.errors[i].position == lean.errors[i].position);
        }
        for (size_t i = 0; i < ordinary.warnings.size(); ++i) {
            Check(ordinary.warnings[i].text == lean.warnings[i].text &&
                  ordinary.warnings[i].position == lean.warnings[i].position);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Setup setup;
    CheckSameEvents(data, size);
    const std::string path = setup.folder + "input";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    const bool written = std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written) {
        return 0;
    }
    const bool traced = size % 7 == 3;
    Config().traceTargetFileProblems = traced ? 1 : 0;
    Config().traceTargetFileAnalysis = traced ? 1 : 0;
    const uint32_t crc = Crc32Update(0, data, size);
    for (int mode : {kRunModeStyle, kRunModeMidi}) {
        SetRunMode(mode);
        StyleDataPacket* record = NewStyleRecord();
        Check(record != nullptr);
        const std::string name = mode == kRunModeStyle ? "input.prs" : "input.kar";
        Check(AnalyseFile(*record, path, name) == 0);
        Check(!record->Text(kFieldErrors).empty());
        Check(record->Number(kFieldFilesize) == static_cast<int32_t>(size));
        Check(record->Number(kFieldFileId) == (size == 0 ? 0 : static_cast<int32_t>(crc)));
        // Every note takes at least two bytes of the file.
        const CZOLTweak& tweak = ThreadAnalyser().Tweak();
        Check(tweak.Capacity() <= CZOLTweak::kInitialItems || tweak.MaxUsed() <= size / 2);
        if (size % 16 == 5) {
            Check(!ExtendedInfoLines(path, record, InfoMode::Extended).empty());
        }
        ReleaseStyleRecord(record);
    }
    ClearAllRecords();
    ResetRunMode();
    if (traced) {
        TraceOff();
    }
    return 0;
}

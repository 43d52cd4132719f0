#include "analysis/MidiEvents.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "analysis/MidiRead.h"

namespace kelvane {
namespace {

constexpr int kFallbackTicksPerQuarter = 480;

// MidiRead with every event delivered undecoded: channel messages to OnRawEvent, metas to
// OnMeta, system exclusive to OnSysex. Each is appended to the list with the track's tick.
class EventCollector final : public MidiRead {
  public:
    explicit EventCollector(MidiEventList& list) : list_(list) {
        SetOptions(kRawMeta | kRawSysex | kRawNotes | kRawPolyPressure | kRawControllers |
                   kRawProgramChange | kRawChannelPressure | kRawPitchBend);
    }

    void OnHeader(int format, int tracks, int division) override {
        list_.format = format;
        list_.division = division;
        static_cast<void>(tracks);
    }
    void OnTrackStart(int n, int64_t, int) override { track_ = static_cast<uint16_t>(n - 1); }
    void OnTrackEnd(int n) override {
        list_.tracks = std::max(list_.tracks, n);
        list_.endTick = std::max(list_.endTick, TrackTicks());
    }
    void OnRawEvent(int status, std::span<const uint8_t> bytes) override {
        MidiEvent event = Stamped(status);
        event.data1 = bytes.size() > 0 ? bytes[0] & 0x7F : 0;
        event.data2 = bytes.size() > 1 ? bytes[1] & 0x7F : 0;
        Append(event);
    }
    void OnMeta(int type, std::span<const uint8_t> bytes) override {
        MidiEvent event = Stamped(MidiEvent::kMeta);
        event.data1 = static_cast<uint8_t>(type);
        AppendWithPayload(event, bytes);
    }
    void OnSysex(std::span<const uint8_t> bytes) override {
        AppendWithPayload(Stamped(MidiEvent::kSysex), bytes);
    }
    // Messages too large for the whole-file buffer cannot occur (the buffer is the file);
    // anything else undecoded (system common and real-time messages) is not music.
    void OnRawEventInFile(int, int, int64_t, int64_t) override {}
    void OnRawMetaInFile(int, int, int64_t, int64_t) override {}
    void OnSysexInFile(int, int64_t, int64_t) override {}
    void OnLargePause(uint32_t) override {}
    void OnProgress(int) override {}
    void OnEndOfFile() override {}
    void OnError(const std::string& text, int64_t) override {
        if (list_.problem.empty()) {
            list_.problem = text;
        }
    }
    void OnWarning(const std::string&, int64_t) override {}

  private:
    MidiEvent Stamped(int status) const {
        MidiEvent event;
        event.tick = TrackTicks();
        event.track = track_;
        event.status = static_cast<uint8_t>(status);
        return event;
    }
    void Append(const MidiEvent& event) {
        if (list_.events.size() >= kMaxMidiEvents) {
            list_.truncated = true;
            StopFile();
            return;
        }
        list_.events.push_back(event);
    }
    void AppendWithPayload(MidiEvent event, std::span<const uint8_t> bytes) {
        if (list_.payload.size() + bytes.size() > std::numeric_limits<uint32_t>::max()) {
            list_.truncated = true;
            StopFile();
            return;
        }
        event.payloadOffset = static_cast<uint32_t>(list_.payload.size());
        event.payloadSize = static_cast<uint32_t>(bytes.size());
        list_.payload.insert(list_.payload.end(), bytes.begin(), bytes.end());
        Append(event);
    }

    MidiEventList& list_;
    uint16_t track_ = 0;
};

}  // namespace

std::span<const uint8_t> MidiEventList::Payload(const MidiEvent& event) const {
    if (event.payloadSize == 0 || event.payloadOffset >= payload.size() ||
        payload.size() - event.payloadOffset < event.payloadSize) {
        return {};
    }
    return std::span<const uint8_t>(payload.data() + event.payloadOffset, event.payloadSize);
}

std::string_view MidiEventList::Text(const MidiEvent& event) const {
    const std::span<const uint8_t> bytes = Payload(event);
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

int MidiEventList::TicksPerQuarter() const {
    if (division > 0 && division < 0x8000) {
        return division;
    }
    if (division >= 0x8000) {
        // Time code: frames per second (a negative byte) times ticks per frame.
        const int framesPerSecond = 256 - (division >> 8);
        const int ticksPerFrame = division & 0xFF;
        const int perHalfSecond = framesPerSecond * ticksPerFrame / 2;
        return perHalfSecond > 0 ? perHalfSecond : kFallbackTicksPerQuarter;
    }
    return kFallbackTicksPerQuarter;
}

bool ReadMidiEvents(std::span<const uint8_t> bytes, MidiEventList& list) {
    list = MidiEventList{};
    // One allocation for the usual density (an event takes three bytes or more in most files):
    // growing a large list step by step costs more in copies and fresh pages than reading it.
    list.events.reserve(std::min<size_t>(bytes.size() / 3, kMaxMidiEvents));
    EventCollector reader(list);
    if (!reader.OpenMemory(bytes, MidiBuffer::kModeWholeFile)) {
        list.problem = "Out of memory";
        return false;
    }
    if (reader.ReadHeader() == 0) {
        if (list.problem.empty()) {
            list.problem = "No MIDI header found";
        }
        return false;
    }
    for (int n = 1; n <= reader.Tracks(); ++n) {
        if (reader.ReadTrack(n) == 0 || reader.FileStopped()) {
            // The events read so far stay; so does the end of what was read.
            list.tracks = std::max(list.tracks, n);
            list.endTick = std::max(list.endTick, reader.TrackTicks());
            break;
        }
    }
    // Tracks were appended one after the other; a stable sort by tick merges them and keeps
    // each tick's events in track order, then in file order.
    // A file of one track (format 0, most style files) is in order already.
    const auto byTick = [](const MidiEvent& a, const MidiEvent& b) { return a.tick < b.tick; };
    if (!std::is_sorted(list.events.begin(), list.events.end(), byTick)) {
        std::stable_sort(list.events.begin(), list.events.end(), byTick);
    }
    if (!list.events.empty()) {
        list.endTick = std::max(list.endTick, list.events.back().tick);
    }
    return true;
}

bool ReadMidiEventsFromFile(const std::string& path, MidiEventList& list) {
    list = MidiEventList{};
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = fd < 0 ? errno : EINVAL;
        if (fd >= 0) {
            ::close(fd);
        }
        list.problem = "cannot read " + path + ": " + std::strerror(error);
        return false;
    }
    if (info.st_size > kMaxMidiEventFileSize) {
        ::close(fd);
        list.problem = "file too large: " + path;
        return false;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    bytes.resize(done);
    return ReadMidiEvents(bytes, list);
}

}  // namespace kelvane

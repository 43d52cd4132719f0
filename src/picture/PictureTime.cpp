#include "picture/PictureTime.h"

#include <algorithm>
#include <string_view>

#include "support/NUVConfig.h"

namespace kelvane {
namespace {

constexpr int kTextMeta = 0x01;
constexpr int kLyricMeta = 0x05;

bool IsLineMark(char c) {
    return c == '/' || c == '\\';
}
bool IsKaraokeMark(std::string_view text) {
    constexpr std::string_view kMark = "@KMIDI";
    return EqualsIgnoreCase(text.substr(0, std::min(text.size(), kMark.size())), kMark);
}
bool IsBreak(char c) {
    return c == '\r' || c == '\n';
}

// Collects syllables into lines.
class LineCollector {
  public:
    explicit LineCollector(std::vector<PictureMark>& lines) : lines_(lines) {}

    void Add(int64_t tick, std::string_view text) {
        bool startsLine = lineEnded_ || lines_.empty();
        while (!text.empty() && IsLineMark(text.front())) {
            text.remove_prefix(1);
            startsLine = true;
        }
        lineEnded_ = false;
        while (!text.empty() && IsBreak(text.back())) {
            text.remove_suffix(1);
            lineEnded_ = true;
        }
        if (startsLine) {
            if (lines_.size() >= kMaxPictureMarks) {
                full_ = true;
            } else {
                lines_.push_back(PictureMark{tick, {}});
            }
        }
        if (full_ || lines_.empty()) {
            return;
        }
        std::string& line = lines_.back().text;
        const std::size_t room = kMaxMarkText - std::min(kMaxMarkText, line.size());
        line.append(text.substr(0, room));
    }

  private:
    std::vector<PictureMark>& lines_;
    bool lineEnded_ = false;
    bool full_ = false;
};

}  // namespace

std::vector<int64_t> BarStartTicks(const MeterMap& meter, int64_t endTick, std::size_t maxBars,
                                   bool& cut) {
    std::vector<int64_t> bars;
    cut = false;
    for (std::size_t i = 0; i < meter.points.size(); ++i) {
        const MeterPoint& point = meter.points[i];
        const int64_t until =
            i + 1 < meter.points.size() ? std::min(meter.points[i + 1].tick, endTick) : endTick;
        for (int64_t tick = point.tick; tick < until || bars.empty(); tick += point.barTicks) {
            if (bars.size() >= maxBars) {
                cut = true;
                return bars;
            }
            bars.push_back(tick);
            if (until - tick <= point.barTicks) {
                break;  // also keeps the sum below the int64 limit
            }
        }
    }
    return bars;
}

std::vector<PictureMark> LyricLines(const MidiEventList& list) {
    const bool anyLyric = std::any_of(list.events.begin(), list.events.end(),
                                      [](const MidiEvent& e) { return e.IsMeta(kLyricMeta); });
    const bool karaoke = std::any_of(
        list.events.begin(), list.events.end(),
        [&](const MidiEvent& e) { return e.IsMeta(kTextMeta) && IsKaraokeMark(list.Text(e)); });
    const int type = anyLyric ? kLyricMeta : kTextMeta;
    std::vector<PictureMark> lines;
    if (!anyLyric && !karaoke) {
        return lines;
    }
    LineCollector collector(lines);
    for (const MidiEvent& event : list.events) {
        if (!event.IsMeta(type)) {
            continue;
        }
        const std::string_view text = list.Text(event);
        if (type == kTextMeta && text.starts_with('@')) {
            continue;
        }
        collector.Add(event.tick, text);
    }
    return lines;
}

}  // namespace kelvane

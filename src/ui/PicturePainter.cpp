#include "ui/PicturePainter.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "picture/FilePicture.h"
#include "ui/NuvQtText.h"

namespace kelvane {
namespace {

constexpr int kAxisHeight = 16;
constexpr int kStripHeight = 18;
constexpr int kMinNumberGap = 30;  // pixels between two bar numbers
constexpr int kMinBarLineGap = 4;  // below this only the numbered bars get a line
constexpr int kTextPixels = 10;

// Sixteen colours, one per lane (a style's eight parts take the first eight).
constexpr std::array<QRgb, 16> kLaneColours = {
    0xffc0392b, 0xffd35400, 0xff2471a3, 0xff1e8449, 0xff117a65, 0xff7d3c98, 0xffb7950b, 0xff873600,
    0xff5d6d7e, 0xffa93226, 0xff2e86c1, 0xff28b463, 0xff8e44ad, 0xffca6f1e, 0xff17a589, 0xff616a6b};

QColor SectionColour(SectionKind kind) {
    switch (kind) {
        case SectionKind::kIntro:
            return QColor(0xaed6f1);
        case SectionKind::kFillIn:
            return QColor(0xf9e79f);
        case SectionKind::kBreak:
            return QColor(0xf5b7b1);
        case SectionKind::kEnding:
            return QColor(0xd2b4de);
        case SectionKind::kMain:
            break;
    }
    return QColor(0xa9dfbf);
}

// Ticks to x positions of the plot.
struct TickMap {
    double left = 0;
    double scale = 1;  // pixels per tick
    int64_t first = 0;
    int64_t last = 1;
    double X(int64_t tick) const { return left + static_cast<double>(tick - first) * scale; }
    int Xi(int64_t tick) const {
        const double x = std::clamp(X(tick), left - 2.0, left + scale * (last - first) + 2.0);
        return static_cast<int>(std::floor(x));
    }
};

// The rows of the picture: the axis, the strips, the lanes.
struct Rows {
    QRect axis;
    QRect strip1;  // sections (style) or tempo changes (song)
    QRect strip2;  // lyric lines (song); empty for a style
    QRect lanes;
};

Rows LayOut(const FilePicture& picture, const QRect& plot) {
    Rows rows;
    int top = plot.top();
    rows.axis = QRect(plot.left(), top, plot.width(), kAxisHeight);
    top += kAxisHeight;
    rows.strip1 = QRect(plot.left(), top, plot.width(), kStripHeight);
    top += kStripHeight;
    if (picture.kind == PictureKind::kSong) {
        rows.strip2 = QRect(plot.left(), top, plot.width(), kStripHeight);
        top += kStripHeight;
    }
    rows.lanes = QRect(plot.left(), top, plot.width(), std::max(0, plot.bottom() + 1 - top));
    return rows;
}

void PaintBars(QPainter& painter, const FilePicture& picture, const Rows& rows,
               const TickMap& map) {
    const std::vector<int64_t>& bars = picture.barTicks;
    if (bars.empty()) {
        return;
    }
    const auto begin = std::upper_bound(bars.begin(), bars.end(), map.first);
    const std::size_t firstBar =
        begin == bars.begin() ? 0 : static_cast<std::size_t>(begin - bars.begin() - 1);
    const std::size_t lastBar = static_cast<std::size_t>(
        std::lower_bound(bars.begin(), bars.end(), map.last) - bars.begin());
    const double shown = static_cast<double>(std::max<std::size_t>(1, lastBar - firstBar));
    const double barPixels = (map.scale * static_cast<double>(map.last - map.first)) / shown;
    std::size_t step = 1;
    while (static_cast<double>(step) * barPixels < kMinNumberGap && step < bars.size()) {
        step *= 2;
    }
    const bool everyLine = barPixels >= kMinBarLineGap;
    const QColor line(0, 0, 0, 40);
    const QColor numberedLine(0, 0, 0, 90);
    for (std::size_t bar = firstBar; bar < lastBar; ++bar) {
        const bool numbered = bar % step == 0;
        if (!numbered && !everyLine) {
            continue;
        }
        const int x = map.Xi(bars[bar]);
        painter.setPen(numbered ? numberedLine : line);
        painter.drawLine(x, rows.axis.bottom() - (numbered ? 5 : 2), x, rows.lanes.bottom());
        if (numbered) {
            painter.setPen(Qt::black);
            painter.drawText(
                QRect(x + 2, rows.axis.top(), kMinNumberGap * 2, rows.axis.height() - 2),
                Qt::AlignLeft | Qt::AlignVCenter, QString::number(bar + 1));
        }
    }
}

void PaintSections(QPainter& painter, const FilePicture& picture, const QRect& row,
                   const TickMap& map) {
    if (picture.initEndTick > map.first) {
        const QRect init(QPoint(map.Xi(0), row.top() + 1),
                         QPoint(map.Xi(picture.initEndTick), row.bottom() - 1));
        painter.fillRect(init, QColor(0xe5e7e9));
        painter.fillRect(init, QBrush(QColor(0x909497), Qt::BDiagPattern));
        painter.setPen(Qt::black);
        painter.drawText(init.adjusted(3, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(Tr("Init"), Qt::ElideRight,
                                                          std::max(0, init.width() - 5)));
    }
    for (const PictureSection& entry : picture.sections) {
        const StyleSection& section = entry.section;
        if (section.endTick <= map.first || section.startTick >= map.last) {
            continue;
        }
        const QRect block(QPoint(map.Xi(section.startTick), row.top() + 1),
                          QPoint(map.Xi(section.endTick) - 1, row.bottom() - 1));
        painter.fillRect(block, SectionColour(section.kind));
        painter.setPen(QColor(0, 0, 0, 110));
        painter.drawRect(block);
        const QString name = painter.fontMetrics().elidedText(ToQt(section.name), Qt::ElideRight,
                                                              std::max(0, block.width() - 5));
        painter.setPen(Qt::black);
        painter.drawText(block.adjusted(3, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, name);
    }
}

// Marks with a text each, left to right; a text is left out where the previous one still is.
template <typename Items, typename TickOf, typename TextOf>
void PaintMarks(QPainter& painter, const QRect& row, const TickMap& map, const Items& items,
                TickOf tickOf, TextOf textOf, const QColor& colour) {
    const auto begin =
        std::lower_bound(items.begin(), items.end(), map.first,
                         [&](const auto& item, int64_t tick) { return tickOf(item) < tick; });
    int textEnd = row.left() - 1;
    for (auto it = begin; it != items.end() && tickOf(*it) < map.last; ++it) {
        const int x = map.Xi(tickOf(*it));
        painter.setPen(colour);
        painter.drawLine(x, row.top() + 2, x, row.bottom() - 1);
        if (x + 2 <= textEnd) {
            continue;
        }
        const QString text = textOf(*it);
        const int width = painter.fontMetrics().horizontalAdvance(text);
        painter.setPen(Qt::black);
        painter.drawText(QRect(x + 3, row.top(), width + 2, row.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
        textEnd = x + 3 + width + 4;
    }
}

void PaintSongStrips(QPainter& painter, const FilePicture& picture, const Rows& rows,
                     const TickMap& map) {
    PaintMarks(
        painter, rows.strip1, map, picture.tempoChanges,
        [](const TempoPoint& point) { return point.tick; },
        [](const TempoPoint& point) {
            const double bpm = 60'000'000.0 / std::max<uint32_t>(1, point.microsecondsPerQuarter);
            return QString::number(std::lround(bpm));
        },
        QColor(0xc0392b));
    PaintMarks(
        painter, rows.strip2, map, picture.lyrics,
        [](const PictureMark& mark) { return mark.tick; },
        [](const PictureMark& mark) { return ToQt(mark.text); }, QColor(0x2471a3));
}

// The notes are first marked in a grid of pitch rows by pixel columns, then each row is drawn
// as runs: a dense part at a small scale costs a few rectangles per row, not one per note.
void PaintLane(QPainter& painter, const PictureLane& lane, const QRect& rect, const TickMap& map,
               const QColor& colour, std::vector<uint8_t>& grid) {
    if (lane.notes.empty() || lane.lowest < 0 || rect.height() < 3 || rect.width() < 1) {
        return;
    }
    const int pitches = lane.highest - lane.lowest + 1;
    const int width = rect.width();
    grid.assign(static_cast<std::size_t>(pitches) * static_cast<std::size_t>(width), 0);
    const int64_t from = map.first - lane.longestNote;
    auto note =
        std::lower_bound(lane.notes.begin(), lane.notes.end(), from,
                         [](const NoteSpan& span, int64_t tick) { return span.startTick < tick; });
    for (; note != lane.notes.end() && note->startTick < map.last; ++note) {
        if (note->endTick < map.first || note->pitch < lane.lowest || note->pitch > lane.highest) {
            continue;
        }
        const int left = std::clamp(map.Xi(note->startTick) - rect.left(), 0, width - 1);
        const int right = std::clamp(map.Xi(note->endTick) - rect.left(), left + 1, width);
        uint8_t* row = grid.data() + static_cast<std::size_t>(lane.highest - note->pitch) *
                                         static_cast<std::size_t>(width);
        std::fill(row + left, row + right, uint8_t{1});
    }
    const double rowHeight = static_cast<double>(rect.height() - 2) / pitches;
    const int noteHeight = std::max(1, static_cast<int>(std::lround(rowHeight)));
    for (int pitchRow = 0; pitchRow < pitches; ++pitchRow) {
        const uint8_t* row =
            grid.data() + static_cast<std::size_t>(pitchRow) * static_cast<std::size_t>(width);
        const int y = rect.top() + 1 + static_cast<int>(pitchRow * rowHeight);
        for (int x = 0; x < width;) {
            if (row[x] == 0) {
                ++x;
                continue;
            }
            const int runStart = x;
            while (x < width && row[x] != 0) {
                ++x;
            }
            painter.fillRect(rect.left() + runStart, y, x - runStart, noteHeight, colour);
        }
    }
}

void PaintLanes(QPainter& painter, const FilePicture& picture, const QRect& labels,
                const QRect& lanes, const TickMap& map) {
    const std::size_t count = picture.lanes.size();
    std::vector<uint8_t> grid;
    for (std::size_t index = 0; index < count; ++index) {
        const int top = lanes.top() + static_cast<int>(lanes.height() * index / count);
        const int bottom = lanes.top() + static_cast<int>(lanes.height() * (index + 1) / count);
        const QRect lane(lanes.left(), top, lanes.width(), bottom - top);
        const QRect label(labels.left(), top, labels.width(), bottom - top);
        painter.fillRect(label, index % 2 == 0 ? QColor(0xf2f3f4) : QColor(0xe5e8e8));
        if (index % 2 == 1) {
            painter.fillRect(lane, QColor(0, 0, 0, 10));
        }
        painter.setPen(Qt::black);
        painter.drawText(label.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(LaneName(picture, index), Qt::ElideRight,
                                                          label.width() - 6));
        painter.save();
        painter.setClipRect(lane);
        const PictureLane& data = picture.lanes[index];
        PaintLane(
            painter, data, lane, map,
            QColor(kLaneColours[static_cast<std::size_t>(data.channel) % kLaneColours.size()]),
            grid);
        painter.restore();
    }
}

}  // namespace

PictureRange WholePicture(const FilePicture& picture) {
    return PictureRange{0, std::max<int64_t>(1, picture.endTick)};
}

QString LaneName(const FilePicture& picture, std::size_t lane) {
    if (lane >= picture.lanes.size()) {
        return {};
    }
    if (picture.kind == PictureKind::kStyle) {
        return Tr(StylePartName(static_cast<int>(lane)));
    }
    return Tr("Channel %1").arg(picture.lanes[lane].channel + 1);
}

void PaintPicture(QPainter& painter, const FilePicture& picture, const QRect& area,
                  const PictureRange& range) {
    painter.fillRect(area, Qt::white);
    QFont font = painter.font();
    font.setPixelSize(kTextPixels);
    painter.setFont(font);
    const QRect plot = area.adjusted(kPictureLabelWidth, 0, 0, 0);
    if (plot.width() < 2 || plot.height() < kAxisHeight + kStripHeight) {
        return;
    }
    const Rows rows = LayOut(picture, plot);
    TickMap map;
    map.left = plot.left();
    map.first = range.first;
    map.last = std::max(range.first + 1, range.last);
    map.scale = static_cast<double>(plot.width()) / static_cast<double>(map.last - map.first);
    const QRect labels(area.left(), rows.lanes.top(), kPictureLabelWidth, rows.lanes.height());
    PaintLanes(painter, picture, labels, rows.lanes, map);
    painter.save();
    painter.setClipRect(plot);
    if (picture.kind == PictureKind::kStyle) {
        PaintSections(painter, picture, rows.strip1, map);
        // The initialisation part is shaded across the lanes as well.
        if (picture.initEndTick > map.first) {
            painter.fillRect(QRect(QPoint(map.Xi(0), rows.lanes.top()),
                                   QPoint(map.Xi(picture.initEndTick), rows.lanes.bottom())),
                             QColor(0, 0, 0, 18));
        }
    } else {
        PaintSongStrips(painter, picture, rows, map);
    }
    PaintBars(painter, picture, rows, map);
    painter.restore();
    painter.setPen(QColor(0, 0, 0, 60));
    painter.drawLine(plot.left(), area.top(), plot.left(), area.bottom());
    painter.drawLine(area.left(), rows.lanes.top(), area.right(), rows.lanes.top());
}

}  // namespace kelvane

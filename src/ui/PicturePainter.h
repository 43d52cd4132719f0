// Draws a file's picture (picture/FilePicture.h) with QPainter, in rows from the top:
//   the bar axis with the bar numbers;
//   a style: its sections as named blocks, the initialisation part hatched before them;
//   a song: the tempo changes and the lyric or karaoke lines as marks;
//   one lane per part (style) or channel (song), each a small piano roll of its notes.
// The lane names stand in a column at the left. Only the ticks of the range asked for are
// drawn: the first visible note of a lane is found by binary search.
#pragma once

#include <QRect>
#include <QString>
#include <cstddef>
#include <cstdint>

class QPainter;

namespace kelvane {

struct FilePicture;

// Ticks from `first` up to (not including) `last`.
struct PictureRange {
    int64_t first = 0;
    int64_t last = 1;
    int64_t Span() const { return last > first ? last - first : 1; }
};

// The whole of the MIDI data (at least one tick).
PictureRange WholePicture(const FilePicture& picture);

// Width of the lane-name column.
inline constexpr int kPictureLabelWidth = 74;

// The name shown for a lane: the translated part name (style) or "Channel N" with its program.
QString LaneName(const FilePicture& picture, std::size_t lane);

void PaintPicture(QPainter& painter, const FilePicture& picture, const QRect& area,
                  const PictureRange& range);

}  // namespace kelvane

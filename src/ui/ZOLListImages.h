// The small images of the list: four header arrows (primary and secondary key, ascending and
// descending) and four group markers drawn as a vertical bracket that joins the rows of one
// group of identical files or related scores. All are drawn at one size, the list font's
// height plus 5 pixels, which is also the row height, so the bracket pieces of adjacent rows
// meet.
#pragma once

#include <QPixmap>
#include <array>

#include "list/ZOLListTypes.h"

namespace kelvane {

class CZOLListImages {
  public:
    // Draws all eight images at `size` x `size` pixels.
    void Create(int size);
    int Size() const { return size_; }

    // A null pixmap for HeaderImage::None and GroupMarker::None.
    const QPixmap& Header(HeaderImage image) const;
    const QPixmap& Marker(GroupMarker marker) const;

  private:
    int size_ = 0;
    std::array<QPixmap, 4> headers_;  // in the order of HeaderImage after None
    std::array<QPixmap, 4> markers_;  // in the order of GroupMarker after None
    QPixmap none_;
};

}  // namespace kelvane

#include "ui/ZOLListImages.h"

#include <QPainter>
#include <QPolygonF>

namespace kelvane {
namespace {

constexpr int kMinimumSize = 8;

// The primary key is a filled dark triangle; the secondary key an outlined grey one, a little
// smaller, so the two keys can be told apart at a glance.
QPixmap Arrow(int size, bool ascending, bool primary) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double margin = primary ? size * 0.2 : size * 0.3;
    const double left = margin;
    const double right = size - margin;
    const double top = margin;
    const double bottom = size - margin;
    const double middle = size / 2.0;
    QPolygonF triangle;
    if (ascending) {
        triangle << QPointF(middle, top) << QPointF(right, bottom) << QPointF(left, bottom);
    } else {
        triangle << QPointF(left, top) << QPointF(right, top) << QPointF(middle, bottom);
    }
    if (primary) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(40, 40, 40));
    } else {
        painter.setPen(QPen(QColor(110, 110, 110), 1.2));
        painter.setBrush(Qt::NoBrush);
    }
    painter.drawPolygon(triangle);
    return pixmap;
}

// One piece of the bracket: the vertical bar runs to the top edge when the row continues a
// group and to the bottom edge when the next row does; start and end get a short foot.
QPixmap BracketPiece(int size, GroupMarker marker) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QColor colour(30, 90, 200);
    painter.setPen(QPen(colour, 2));
    const int x = size / 3;
    const int middle = size / 2;
    const int foot = size - 2;
    switch (marker) {
        case GroupMarker::NotInGroup:
            painter.setBrush(colour);
            painter.setPen(Qt::NoPen);
            painter.drawEllipse(QPoint(x, middle), 2, 2);
            break;
        case GroupMarker::GroupStart:
            painter.drawLine(x, middle, x, size);
            painter.drawLine(x, middle, foot, middle);
            break;
        case GroupMarker::GroupMiddle:
            painter.drawLine(x, 0, x, size);
            break;
        case GroupMarker::GroupEnd:
            painter.drawLine(x, 0, x, middle);
            painter.drawLine(x, middle, foot, middle);
            break;
        case GroupMarker::None:
            break;
    }
    return pixmap;
}

}  // namespace

void CZOLListImages::Create(int size) {
    size_ = std::max(size, kMinimumSize);
    headers_[0] = Arrow(size_, true, true);
    headers_[1] = Arrow(size_, false, true);
    headers_[2] = Arrow(size_, true, false);
    headers_[3] = Arrow(size_, false, false);
    markers_[0] = BracketPiece(size_, GroupMarker::NotInGroup);
    markers_[1] = BracketPiece(size_, GroupMarker::GroupStart);
    markers_[2] = BracketPiece(size_, GroupMarker::GroupMiddle);
    markers_[3] = BracketPiece(size_, GroupMarker::GroupEnd);
}

const QPixmap& CZOLListImages::Header(HeaderImage image) const {
    if (image == HeaderImage::None || size_ == 0) {
        return none_;
    }
    return headers_[static_cast<size_t>(image) - 1];
}

const QPixmap& CZOLListImages::Marker(GroupMarker marker) const {
    if (marker == GroupMarker::None || size_ == 0) {
        return none_;
    }
    return markers_[static_cast<size_t>(marker) - 1];
}

}  // namespace kelvane

#include "ui/PictureCanvas.h"

#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "picture/FilePicture.h"

namespace kelvane {
namespace {

constexpr int64_t kMinSpanTicks = 48;
constexpr double kZoomStep = 1.25;    // per wheel notch
constexpr double kScrollShare = 0.1;  // of the span per wheel notch
constexpr int kWheelNotch = 120;

}  // namespace

PictureCanvas::PictureCanvas(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumHeight(120);
}

QSize PictureCanvas::sizeHint() const {
    return {560, 220};
}

void PictureCanvas::SetPicture(std::shared_ptr<const FilePicture> picture, const QString& message) {
    picture_ = std::move(picture);
    message_ = message;
    range_ = picture_ ? WholePicture(*picture_) : PictureRange{};
    update();
    Q_EMIT RangeChanged();
}

void PictureCanvas::SetRange(PictureRange range) {
    if (!picture_) {
        return;
    }
    const PictureRange whole = WholePicture(*picture_);
    const int64_t span =
        std::clamp(range.Span(), std::min(kMinSpanTicks, whole.Span()), whole.Span());
    const int64_t first = std::clamp(range.first, whole.first, whole.last - span);
    const PictureRange kept{first, first + span};
    if (kept.first == range_.first && kept.last == range_.last) {
        return;
    }
    range_ = kept;
    update();
    Q_EMIT RangeChanged();
}

void PictureCanvas::ShowWhole() {
    if (picture_) {
        SetRange(WholePicture(*picture_));
    }
}

void PictureCanvas::DrawImageIfStale() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (image_.size() == pixels && imagePicture_ == picture_.get() &&
        imageRange_.first == range_.first && imageRange_.last == range_.last && picture_) {
        return;
    }
    image_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    image_.setDevicePixelRatio(ratio);
    imagePicture_ = picture_.get();
    imageRange_ = range_;
    QPainter painter(&image_);
    if (picture_ && picture_->readable) {
        PaintPicture(painter, *picture_, rect(), range_);
        ++drawCount_;
        return;
    }
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, message_);
}

void PictureCanvas::paintEvent(QPaintEvent* event) {
    DrawImageIfStale();
    QPainter painter(this);
    painter.drawImage(event->rect(), image_,
                      QRectF(QPointF(event->rect().topLeft()) * image_.devicePixelRatio(),
                             QSizeF(event->rect().size()) * image_.devicePixelRatio()));
}

void PictureCanvas::wheelEvent(QWheelEvent* event) {
    if (!picture_) {
        return;
    }
    const double notches = static_cast<double>(event->angleDelta().y()) / kWheelNotch;
    const double span = static_cast<double>(range_.Span());
    if (event->modifiers() & Qt::ControlModifier) {
        // Zoom around the tick under the pointer.
        const int plotWidth = std::max(1, width() - kPictureLabelWidth);
        const double share =
            std::clamp((event->position().x() - kPictureLabelWidth) / plotWidth, 0.0, 1.0);
        const double anchor = static_cast<double>(range_.first) + share * span;
        const double newSpan = span / std::pow(kZoomStep, notches);
        const auto first = static_cast<int64_t>(anchor - share * newSpan);
        SetRange({first, first + static_cast<int64_t>(newSpan)});
    } else {
        const auto shift = static_cast<int64_t>(-notches * kScrollShare * span);
        SetRange({range_.first + shift, range_.last + shift});
    }
    event->accept();
}

void PictureCanvas::mouseDoubleClickEvent(QMouseEvent*) {
    ShowWhole();
}

}  // namespace kelvane

// The picture of one file on screen. The drawing (PicturePainter) goes into an image kept for
// the file, its range and the widget's size, so a repaint only copies that image; the image is
// drawn again when the file, the range or the size change. The wheel scrolls along the time
// axis, Ctrl with the wheel zooms around the pointer; a double click shows the whole file.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "ui/PicturePainter.h"

namespace kelvane {

class PictureCanvas final : public QWidget {
    Q_OBJECT

  public:
    explicit PictureCanvas(QWidget* parent = nullptr);

    // A picture to show (the whole file), or none with a text in its place.
    void SetPicture(std::shared_ptr<const FilePicture> picture, const QString& message = {});
    const FilePicture* Picture() const { return picture_.get(); }
    QString Message() const { return message_; }

    PictureRange Range() const { return range_; }
    // Kept inside the file and at least kMinSpanTicks long.
    void SetRange(PictureRange range);
    void ShowWhole();

    // How often the picture was drawn into its image (repaints of an unchanged picture do not
    // count).
    int DrawCount() const { return drawCount_; }
    // The image as last drawn.
    const QImage& Image() const { return image_; }

    QSize sizeHint() const override;

  Q_SIGNALS:
    void RangeChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void DrawImageIfStale();

    std::shared_ptr<const FilePicture> picture_;
    QString message_;
    PictureRange range_;
    QImage image_;
    const FilePicture* imagePicture_ = nullptr;
    PictureRange imageRange_;
    int drawCount_ = 0;
};

}  // namespace kelvane

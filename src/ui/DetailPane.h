// The detail pane: the focused file of the list shown as a picture (PictureCanvas) with its
// facts beside it. It follows the focused row of the file list and of the song list (a song
// stands for its style file); the file is read off the user-interface thread (PictureLoader),
// the latest row wins. While hidden it reads nothing and catches up when shown again.
#pragma once

#include <QWidget>
#include <memory>

#include "app/DetailPaneTarget.h"

class QLabel;
class QScrollBar;
class QTimer;

namespace kelvane {

class CZOLListArea;
class CZOLListWidget;
class PictureCanvas;
class PictureLoader;

class DetailPane final : public QWidget {
    Q_OBJECT

  public:
    DetailPane(CZOLListArea& lists, QWidget* parent);
    ~DetailPane() override;

    // Looks at the focused row of the list shown again (soon, once per burst of changes).
    void FollowFocus();

    // The file asked for last, and the file whose picture is shown.
    const PictureTarget& Requested() const { return requested_; }
    const PictureTarget& Shown() const { return shown_; }
    PictureCanvas* Canvas() const { return canvas_; }
    QString FactsText() const;

  Q_SIGNALS:
    // The picture of `Shown()` has arrived (or the pane was cleared).
    void PictureShown();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Watch(CZOLListWidget* list);
    void LookAtFocus();
    void OnLoaded(const PictureTarget& target, const std::shared_ptr<const FilePicture>& picture);
    void SyncScrollBar();

    CZOLListArea& lists_;
    PictureCanvas* canvas_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* facts_ = nullptr;
    QTimer* followTimer_ = nullptr;
    std::unique_ptr<PictureLoader> loader_;
    PictureTarget requested_;
    PictureTarget shown_;
};

}  // namespace kelvane

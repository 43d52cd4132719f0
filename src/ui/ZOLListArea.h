// The place of the list in the form: the file list and the song list, one above the other,
// of which the list view manager shows one. Created once with the view; both lists are
// registered with the manager here.
#pragma once

#include <QWidget>

namespace kelvane {

class CZOLListViewMgr;
class CZOLListWidget;

class CZOLListArea final : public QWidget {
    Q_OBJECT

  public:
    CZOLListArea(CZOLListViewMgr& manager, QWidget* parent);

    CZOLListWidget* FileListWidget() const { return files_; }
    CZOLListWidget* SongListWidget() const { return songs_; }
    // The widget of the manager's current view mode.
    CZOLListWidget* Current() const;

    // Both lists (see CZOLListWidget::SetFontHeight).
    void SetFontHeight(int height);

  private:
    CZOLListViewMgr& manager_;
    CZOLListWidget* files_ = nullptr;
    CZOLListWidget* songs_ = nullptr;
};

}  // namespace kelvane

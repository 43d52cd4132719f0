#include "ui/ZOLListArea.h"

#include <QVBoxLayout>

#include "list/ZOLListViewMgr.h"
#include "ui/ZOLListWidget.h"

namespace kelvane {

CZOLListArea::CZOLListArea(CZOLListViewMgr& manager, QWidget* parent)
    : QWidget(parent), manager_(manager) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    files_ = new CZOLListWidget(manager_.FileList(), this);
    songs_ = new CZOLListWidget(manager_.SongList(), this);
    files_->setObjectName(QStringLiteral("fileList"));
    songs_->setObjectName(QStringLiteral("songList"));
    layout->addWidget(files_);
    layout->addWidget(songs_);
    songs_->hide();
    manager_.RegisterList(ListKind::Files, files_);
    manager_.RegisterList(ListKind::Songs, songs_);
}

CZOLListWidget* CZOLListArea::Current() const {
    return manager_.CurrentViewMode() == Songs ? songs_ : files_;
}

void CZOLListArea::SetFontHeight(int height) {
    manager_.SetFontHeight(height);
    files_->SetFontHeight(height);
    songs_->SetFontHeight(height);
}

}  // namespace kelvane

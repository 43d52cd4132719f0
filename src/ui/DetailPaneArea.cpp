#include "ui/DetailPaneArea.h"

#include <QTimer>

#include "app/DetailPaneTarget.h"
#include "ui/DetailPane.h"
#include "ui/ZOLView.h"

namespace kelvane {
namespace {

constexpr int kDefaultPaneHeight = 250;
constexpr int kStoreDelayMs = 400;  // a drag of the splitter is stored once it rests

}  // namespace

DetailPaneArea::DetailPaneArea(CZOLView& view, QWidget* parent) : QSplitter(Qt::Vertical, parent) {
    addWidget(&view);
    pane_ = new DetailPane(*view.Lists(), this);
    addWidget(pane_);
    setStretchFactor(0, 1);
    setStretchFactor(1, 0);
    setCollapsible(0, false);
    const DetailPaneSettings settings = LoadDetailPaneSettings();
    const int height = settings.height > 0 ? settings.height : kDefaultPaneHeight;
    setSizes({std::max(1, view.sizeHint().height()), height});
    pane_->setVisible(settings.shown);
    storeTimer_ = new QTimer(this);
    storeTimer_->setSingleShot(true);
    storeTimer_->setInterval(kStoreDelayMs);
    connect(storeTimer_, &QTimer::timeout, this, &DetailPaneArea::Store);
    connect(this, &QSplitter::splitterMoved, storeTimer_, qOverload<>(&QTimer::start));
}

bool DetailPaneArea::PaneShown() const {
    return !pane_->isHidden();
}

void DetailPaneArea::SetPaneShown(bool shown) {
    pane_->setVisible(shown);
    Store();
}

void DetailPaneArea::Store() {
    storeTimer_->stop();
    DetailPaneSettings settings = LoadDetailPaneSettings();
    settings.shown = PaneShown();
    if (PaneShown() && sizes().size() > 1 && sizes()[1] > 0) {
        settings.height = sizes()[1];
    }
    StoreDetailPaneSettings(settings);
}

}  // namespace kelvane

#include "ui/DetailPane.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ZOLRefresh.h"
#include "list/MyListCtrl.h"
#include "support/NUVFormat.h"
#include "support/NUVTranslateFormat.h"
#include "support/ZOLRunMode.h"
#include "ui/NuvQtText.h"
#include "ui/PictureCanvas.h"
#include "ui/PictureFactsHtml.h"
#include "ui/PictureLoader.h"
#include "ui/ZOLListArea.h"
#include "ui/ZOLListWidget.h"

namespace kelvane {
namespace {

constexpr int kFactsWidth = 230;
constexpr int64_t kScrollSteps = 1'000'000;  // the scroll bar's resolution

// Ticks per scroll-bar step for a picture of `endTick` ticks.
int64_t TicksPerStep(int64_t endTick) {
    return std::max<int64_t>(1, endTick / kScrollSteps + 1);
}

// Why a file has no picture, in the user's language.
QString ProblemText(const PictureTarget& target, const FilePicture& picture) {
    if (picture.readable) {
        return {};
    }
    if (!picture.bytesRead) {
        return ToQt(
            StrFormat(TranslateFormat("The file %s cannot be read.").c_str(), target.path.c_str()));
    }
    return Tr("The picture cannot be drawn: %1").arg(Tr(picture.problem));
}

}  // namespace

DetailPane::DetailPane(CZOLListArea& lists, QWidget* parent) : QWidget(parent), lists_(lists) {
    title_ = new QLabel(this);
    title_->setTextFormat(Qt::PlainText);
    canvas_ = new PictureCanvas(this);
    scroll_ = new QScrollBar(Qt::Horizontal, this);
    scroll_->hide();
    facts_ = new QLabel(this);
    facts_->setTextFormat(Qt::RichText);
    facts_->setWordWrap(true);
    facts_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    facts_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* factsArea = new QScrollArea(this);
    factsArea->setWidget(facts_);
    factsArea->setWidgetResizable(true);
    factsArea->setFixedWidth(kFactsWidth);

    auto* pictureColumn = new QVBoxLayout;
    pictureColumn->setContentsMargins(0, 0, 0, 0);
    pictureColumn->setSpacing(0);
    pictureColumn->addWidget(canvas_, 1);
    pictureColumn->addWidget(scroll_);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(pictureColumn, 1);
    row->addWidget(factsArea);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(title_);
    layout->addLayout(row, 1);

    followTimer_ = new QTimer(this);
    followTimer_->setSingleShot(true);
    followTimer_->setInterval(0);
    connect(followTimer_, &QTimer::timeout, this, &DetailPane::LookAtFocus);
    connect(canvas_, &PictureCanvas::RangeChanged, this, &DetailPane::SyncScrollBar);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int value) {
        if (const FilePicture* picture = canvas_->Picture()) {
            const PictureRange range = canvas_->Range();
            const int64_t first = static_cast<int64_t>(value) * TicksPerStep(picture->endTick);
            canvas_->SetRange({first, first + range.Span()});
        }
    });
    loader_ = std::make_unique<PictureLoader>(
        [this](const PictureTarget& target, const std::shared_ptr<const FilePicture>& picture) {
            OnLoaded(target, picture);
        });
    Watch(lists_.FileListWidget());
    Watch(lists_.SongListWidget());
}

DetailPane::~DetailPane() = default;

void DetailPane::Watch(CZOLListWidget* list) {
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &DetailPane::FollowFocus);
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DetailPane::FollowFocus);
    connect(list->model(), &QAbstractItemModel::modelReset, this, &DetailPane::FollowFocus);
    connect(list->model(), &QAbstractItemModel::layoutChanged, this, &DetailPane::FollowFocus);
}

void DetailPane::FollowFocus() {
    if (isVisible()) {
        followTimer_->start();
    }
}

void DetailPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FollowFocus();
}

void DetailPane::LookAtFocus() {
    CZOLListWidget* list = lists_.Current();
    if (list == nullptr) {
        return;
    }
    // The focused row; without one (a selection made by a command) the first selected row.
    long row = list->currentIndex().isValid() ? list->currentIndex().row() : -1;
    if (row < 0) {
        row = list->List().FirstSelectedRowNumber() - 1;
    }
    const PictureTarget target = PictureTargetOfRow(list->List(), row, RunMode());
    if (target == requested_) {
        return;
    }
    requested_ = target;
    if (target.path.empty()) {
        OnLoaded(target, nullptr);
        loader_->Request(target);  // a picture still on its way is not shown
        return;
    }
    title_->setText(PathToQt(ShownFolderText(target.path)));
    loader_->Request(target);
}

void DetailPane::OnLoaded(const PictureTarget& target,
                          const std::shared_ptr<const FilePicture>& picture) {
    if (!(target == requested_)) {
        return;
    }
    shown_ = target;
    if (!picture) {
        title_->clear();
        facts_->clear();
        canvas_->SetPicture(nullptr, Tr("No file chosen"));
    } else {
        title_->setText(PathToQt(ShownFolderText(target.path)));
        const QString problem = ProblemText(target, *picture);
        canvas_->SetPicture(picture, problem);
        facts_->setText(PictureFactsHtml(*picture));
    }
    Q_EMIT PictureShown();
}

void DetailPane::SyncScrollBar() {
    const FilePicture* picture = canvas_->Picture();
    const PictureRange range = canvas_->Range();
    const bool whole = picture == nullptr || range.Span() >= WholePicture(*picture).Span();
    scroll_->setVisible(!whole);
    if (whole) {
        return;
    }
    const int64_t step = TicksPerStep(picture->endTick);
    const QSignalBlocker block(scroll_);
    scroll_->setRange(0, static_cast<int>((picture->endTick - range.Span()) / step));
    scroll_->setPageStep(static_cast<int>(std::max<int64_t>(1, range.Span() / step)));
    scroll_->setSingleStep(std::max(1, scroll_->pageStep() / 10));
    scroll_->setValue(static_cast<int>(range.first / step));
}

QString DetailPane::FactsText() const {
    return facts_->text();
}

}  // namespace kelvane

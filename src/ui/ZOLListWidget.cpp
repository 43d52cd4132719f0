#include "ui/ZOLListWidget.h"

#include <QDrag>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMimeData>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>
#include <vector>

#include "list/MyListCtrl.h"
#include "list/ZOLColumnDefaults.h"
#include "ui/HeaderColumnMenu.h"
#include "ui/NuvQtText.h"
#include "ui/ZOLListModel.h"

namespace kelvane {
namespace {

constexpr int kImageMargin = 5;  // images and rows are the font's height plus this

// Runs `body` with `flag` set, so the view's signals caused by it are not echoed to the core.
template <typename Body>
void Guarded(bool& flag, Body&& body) {
    const bool before = flag;
    flag = true;
    body();
    flag = before;
}

}  // namespace

CZOLListWidget::CZOLListWidget(CMyListCtrl& list, QWidget* parent)
    : QTableView(parent), list_(list) {
    model_ = new CZOLListModel(list_, images_, this);
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setSortingEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows all have one height, so the view never measures a row.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* header = horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    connect(header, &QHeaderView::sectionClicked, this, &CZOLListWidget::OnSectionClicked);
    connect(header, &QHeaderView::sectionResized, this, &CZOLListWidget::OnSectionResized);
    connect(header, &QHeaderView::sectionMoved, this, &CZOLListWidget::OnSectionMoved);
    InstallHeaderColumnMenu(*header, list_);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CZOLListWidget::OnSelectionChanged);
    connect(this, &QWidget::customContextMenuRequested, this, &CZOLListWidget::OnContextMenu);
    SetFontHeight(0);
}

CZOLListWidget::~CZOLListWidget() {
    // The list outlives its widget; it must not call a display that is gone.
    if (&list_.Display() == this) {
        list_.SetDisplay(nullptr);
    }
}

void CZOLListWidget::SetFontHeight(int height) {
    if (height > 0) {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(height);
        setFont(font);
    } else {
        setFont(QFont());
    }
    const int size = QFontMetrics(font()).height() + kImageMargin;
    images_.Create(size);
    setIconSize(QSize(images_.Size(), images_.Size()));
    verticalHeader()->setMinimumSectionSize(images_.Size());
    verticalHeader()->setDefaultSectionSize(images_.Size());
    model_->HeadersChanged();
    viewport()->update();
}

long CZOLListWidget::FirstVisibleRow() const {
    if (model_->rowCount() == 0) {
        return -1;
    }
    const int row = rowAt(0);
    return row < 0 ? 0 : row;
}

long CZOLListWidget::LastFullyVisibleRow() const {
    const int rows = model_->rowCount();
    if (rows == 0) {
        return -1;
    }
    const int height = viewport()->height();
    const int row = rowAt(height - 1);
    if (row < 0) {
        return rows - 1;  // the rows end above the bottom of the viewport
    }
    return rowViewportPosition(row) + rowHeight(row) > height ? std::max(row - 1, 0) : row;
}

QMimeData* CZOLListWidget::SelectedFilesMimeData() const {
    const std::vector<std::string> paths = list_.SelectedFilePaths();
    if (paths.empty()) {
        return nullptr;
    }
    QList<QUrl> urls;
    urls.reserve(static_cast<qsizetype>(paths.size()));
    for (const std::string& path : paths) {
        urls.append(QUrl::fromLocalFile(PathToQt(path)));
    }
    auto* mime = new QMimeData;
    mime->setUrls(urls);
    // One byte that only marks the drag as coming from this program.
    mime->setData(QString::fromLatin1(kDragFormatName), QByteArray(1, '\1'));
    return mime;
}

void CZOLListWidget::RowsChanged(long, bool keepTop) {
    const int top = verticalScrollBar()->value();
    Guarded(syncing_, [this] { model_->ResetAll(); });
    ApplyColumnWidths();
    if (keepTop) {
        // The scroll range follows the new row count only after the layout has run.
        executeDelayedItemsLayout();
        verticalScrollBar()->setValue(top);
    }
    PullSelection();
}

void CZOLListWidget::ColumnsChanged() {
    const int top = verticalScrollBar()->value();
    Guarded(syncing_, [this] { model_->ResetAll(); });
    ApplyColumnWidths();
    executeDelayedItemsLayout();
    verticalScrollBar()->setValue(top);
    PullSelection();
}

void CZOLListWidget::HeaderImagesChanged() {
    model_->HeadersChanged();
}

void CZOLListWidget::SelectionChanged() {
    PullSelection();
}

void CZOLListWidget::RedrawRow(long row) {
    model_->RowChanged(static_cast<int>(row));
}

void CZOLListWidget::EnsureVisible(long row) {
    if (row < 0 || row >= model_->rowCount() || model_->columnCount() == 0) {
        return;
    }
    const int column = std::max(columnAt(0), 0);
    // A rebuild announced just before has not laid out the new rows yet.
    executeDelayedItemsLayout();
    scrollTo(model_->index(static_cast<int>(row), column), QAbstractItemView::EnsureVisible);
}

void CZOLListWidget::TakeFocus() {
    setFocus(Qt::OtherFocusReason);
}

void CZOLListWidget::SetShown(bool shown) {
    setVisible(shown);
}

void CZOLListWidget::BackgroundChanged(RgbColour colour) {
    QPalette shades = palette();
    shades.setColor(QPalette::Base, QColor(colour.red, colour.green, colour.blue));
    setPalette(shades);
}

int CZOLListWidget::TextWidth(std::string_view text) const {
    return fontMetrics().horizontalAdvance(ToQtView(text));
}

void CZOLListWidget::AutoSizeColumn(int column) {
    if (column < 0 || column >= model_->columnCount()) {
        return;
    }
    Guarded(syncing_, [this, column] { resizeColumnToContents(column); });
    list_.SetColumnWidth(column, columnWidth(column));
}

void CZOLListWidget::startDrag(Qt::DropActions) {
    QMimeData* mime = SelectedFilesMimeData();
    if (mime == nullptr) {
        return;
    }
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

void CZOLListWidget::OnSectionClicked(int section) {
    const bool addAsSecondary = QGuiApplication::keyboardModifiers().testFlag(Qt::ControlModifier);
    list_.SortByColumn(section, addAsSecondary);
}

void CZOLListWidget::OnSectionResized(int section, int, int newSize) {
    if (!syncing_) {
        list_.SetColumnWidth(section, newSize);
    }
}

void CZOLListWidget::OnSectionMoved(int, int oldVisual, int newVisual) {
    if (syncing_) {
        return;
    }
    // The header's drag has not finished yet; the core takes the move once it has, and the
    // model then shows the columns in the core's order again.
    QTimer::singleShot(0, this, [this, oldVisual, newVisual] {
        Guarded(syncing_, [&] { horizontalHeader()->moveSection(newVisual, oldVisual); });
        list_.MoveColumn(oldVisual, newVisual);
    });
}

void CZOLListWidget::OnSelectionChanged(const QItemSelection& selected,
                                        const QItemSelection& deselected) {
    if (syncing_) {
        return;
    }
    for (const QItemSelectionRange& range : deselected) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            list_.Deselect(row);
        }
    }
    for (const QItemSelectionRange& range : selected) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            list_.Select(row);
        }
    }
}

void CZOLListWidget::OnContextMenu(const QPoint& pos) {
    const QModelIndex index = indexAt(pos);
    if (!index.isValid() || !contextMenu_) {
        return;
    }
    const int row = index.row();
    contextRow_ = row;
    if (!list_.IsSelected(row)) {
        // A right click on a row outside the selection makes that row the selection.
        list_.ClearSelection();
        list_.Select(row);
        PullSelection();
    }
    const StyleDataPacket* record = list_.StyleRecordOfRow(row);
    const std::string folder = record != nullptr ? std::string(record->Text(kFieldPath)) : "";
    contextMenu_(viewport()->mapToGlobal(pos), static_cast<int>(list_.SelectedCount()), folder);
}

void CZOLListWidget::PullSelection() {
    const int rows = model_->rowCount();
    const int lastColumn = model_->columnCount() - 1;
    QItemSelection selection;
    if (lastColumn >= 0 && list_.SelectedCount() == rows && rows > 0) {
        selection.append(
            QItemSelectionRange(model_->index(0, 0), model_->index(rows - 1, lastColumn)));
    } else if (lastColumn >= 0 && list_.SelectedCount() > 0) {
        int start = -1;
        for (int row = 0; row <= rows; ++row) {
            const bool selected = row < rows && list_.IsSelected(row);
            if (selected && start < 0) {
                start = row;
            } else if (!selected && start >= 0) {
                selection.append(QItemSelectionRange(model_->index(start, 0),
                                                     model_->index(row - 1, lastColumn)));
                start = -1;
            }
        }
    }
    Guarded(syncing_,
            [&] { selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect); });
}

void CZOLListWidget::ApplyColumnWidths() {
    std::vector<int> widened;  // automatic widths leave room for the sort arrow beside the text
    Guarded(syncing_, [this, &widened] {
        const bool automatic = ColumnAutoresizeOn();
        for (int column = 0; column < list_.ColumnCount(); ++column) {
            const int width = list_.Column(column)->width;
            const int header = horizontalHeader()->sectionSizeHint(column);
            setColumnWidth(column, automatic && header > width ? header : width);
            if (automatic && header > width) {
                widened.push_back(column);
            }
        }
    });
    for (const int column : widened) {
        list_.SetColumnWidth(column, columnWidth(column));
    }
}

void FitColumnsToContents(CZOLListWidget& widget) {
    for (int column = 0; column < widget.List().ColumnCount(); ++column) {
        widget.AutoSizeColumn(column);
    }
}

}  // namespace kelvane

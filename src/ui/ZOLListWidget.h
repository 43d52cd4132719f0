// One list on screen: a table view over the list model that implements IListDisplay for its
// list of the list core. Decisions stay in the core; the widget passes the user's header
// clicks, column drags and widths, selection, right clicks and drags to it,
// and redraws when the core says so. The selection lives in the core; the view's selection
// mirrors it in both directions through row ranges, so selecting 100,000 rows is one range.
// Typing a name is the view's keyboard search (which joins characters typed in quick
// succession); the model answers it with the core's type-ahead.
#pragma once

#include <QTableView>
#include <functional>
#include <string>

#include "list/ZOLListTypes.h"
#include "ui/ZOLListImages.h"

class QMimeData;

namespace kelvane {

class CMyListCtrl;
class CZOLListModel;

class CZOLListWidget final : public QTableView, public IListDisplay {
    Q_OBJECT

  public:
    // The row context menu: global position, selected rows, the folder of the row clicked.
    using ContextMenuHandler =
        std::function<void(const QPoint& globalPos, int selectedRows, const std::string& folder)>;

    CZOLListWidget(CMyListCtrl& list, QWidget* parent);
    ~CZOLListWidget() override;

    CMyListCtrl& List() const { return list_; }
    CZOLListModel* Model() const { return model_; }
    const CZOLListImages& Images() const { return images_; }
    void SetContextMenuHandler(ContextMenuHandler handler) { contextMenu_ = std::move(handler); }
    // The row of the last right click (-1 before the first): the row the context menu is for.
    long ContextRow() const { return contextRow_; }

    // "Arial" of `height` pixels when above 0, else the font the widget inherits; the images
    // and the row height follow at the font's height plus 5.
    void SetFontHeight(int height);
    int RowHeight() const { return images_.Size(); }

    // Index of the first row at the top of the viewport, and of the last row shown whole; -1
    // without rows.
    long FirstVisibleRow() const;
    long LastFullyVisibleRow() const;

    // The drag data of the selected rows: text/uri-list of file:// URLs and the private
    // format with one byte; nullptr when nothing is selected.
    QMimeData* SelectedFilesMimeData() const;

    // IListDisplay
    void RowsChanged(long rowCount, bool keepTop) override;
    void ColumnsChanged() override;
    void HeaderImagesChanged() override;
    void SelectionChanged() override;
    void RedrawRow(long row) override;
    void EnsureVisible(long row) override;
    void TakeFocus() override;
    void SetShown(bool shown) override;
    void BackgroundChanged(RgbColour colour) override;
    int TextWidth(std::string_view text) const override;
    void AutoSizeColumn(int column) override;

  protected:
    void startDrag(Qt::DropActions supportedActions) override;

  private:
    void OnSectionClicked(int section);
    void OnSectionResized(int section, int oldSize, int newSize);
    void OnSectionMoved(int logical, int oldVisual, int newVisual);
    void OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void OnContextMenu(const QPoint& pos);
    // Core selection -> view selection.
    void PullSelection();
    // Core column widths -> header.
    void ApplyColumnWidths();

    CMyListCtrl& list_;
    CZOLListImages images_;
    CZOLListModel* model_ = nullptr;
    ContextMenuHandler contextMenu_;
    long contextRow_ = -1;
    bool syncing_ = false;  // the view is being set from the core: no echo back
};

// Every column of the list sized to its contents once (the first start's first read), whether
// or not automatic widths are on.
void FitColumnsToContents(CZOLListWidget& widget);

}  // namespace kelvane

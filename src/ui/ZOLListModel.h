// The table model over one list of the list core: rows and columns are the list's, every cell
// is made when the view asks for it (text through the list's reused buffer, alignment from the
// column, the group-marker image), and the headers carry the sort images. It stores nothing of
// its own; the widget resets it once per rebuild.
#pragma once

#include <QAbstractTableModel>
#include <string>

namespace kelvane {

class CMyListCtrl;
class CZOLListImages;

class CZOLListModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    CZOLListModel(CMyListCtrl& list, const CZOLListImages& images, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The view's keyboard search (starts-with, wrapping) asks the core's type-ahead, which
    // looks in the sorted column; other searches are the base class's.
    QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits,
                          Qt::MatchFlags flags) const override;

    // Rows or columns changed as a whole.
    void ResetAll();
    // Only the header images changed.
    void HeadersChanged();
    void RowChanged(int row);

  private:
    CMyListCtrl& list_;
    const CZOLListImages& images_;
    mutable std::string buffer_;  // cell texts of numbers; reused for every cell
};

}  // namespace kelvane

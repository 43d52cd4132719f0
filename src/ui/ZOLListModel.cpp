#include "ui/ZOLListModel.h"

#include <limits>

#include "list/MyListCtrl.h"
#include "list/TypeAheadSearch.h"
#include "ui/NuvQtText.h"
#include "ui/ZOLListImages.h"

namespace kelvane {

CZOLListModel::CZOLListModel(CMyListCtrl& list, const CZOLListImages& images, QObject* parent)
    : QAbstractTableModel(parent), list_(list), images_(images) {}

int CZOLListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    const long rows = list_.RowCount();
    return rows > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                  : static_cast<int>(rows);
}

int CZOLListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.ColumnCount();
}

QVariant CZOLListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:  // the whole text of a cell cut by its column
            return ToQtView(list_.CellText(index.row(), index.column(), buffer_));
        case Qt::TextAlignmentRole: {
            const ListColumn* column = list_.Column(index.column());
            const bool right = column != nullptr && column->rightAligned;
            return QVariant::fromValue(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
        }
        case Qt::DecorationRole: {
            const GroupMarker marker = list_.CellMarker(index.row(), index.column());
            if (marker == GroupMarker::None) {
                return {};
            }
            return images_.Marker(marker);
        }
        default:
            return {};
    }
}

QVariant CZOLListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    const ListColumn* column = list_.Column(section);
    if (column == nullptr) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return ToQtView(column->header);
        case Qt::DecorationRole: {
            const HeaderImage image = list_.HeaderImageOf(section);
            if (image == HeaderImage::None) {
                return {};
            }
            return images_.Header(image);
        }
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignVCenter |
                                       (column->rightAligned ? Qt::AlignRight : Qt::AlignLeft));
        default:
            return {};
    }
}

Qt::ItemFlags CZOLListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled |
           Qt::ItemNeverHasChildren;
}

QModelIndexList CZOLListModel::match(const QModelIndex& start, int role, const QVariant& value,
                                     int hits, Qt::MatchFlags flags) const {
    const Qt::MatchFlags typeAhead = Qt::MatchStartsWith | Qt::MatchWrap;
    if (role != Qt::DisplayRole || (flags & typeAhead) != typeAhead) {
        return QAbstractTableModel::match(start, role, value, hits, flags);
    }
    const long row =
        TypeAheadSearch(list_, value.toString().toStdString(), start.isValid() ? start.row() : 0);
    if (row < 0) {
        return {};
    }
    return {index(static_cast<int>(row), start.isValid() ? start.column() : 0)};
}

void CZOLListModel::ResetAll() {
    beginResetModel();
    endResetModel();
}

void CZOLListModel::HeadersChanged() {
    const int columns = columnCount();
    if (columns > 0) {
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, columns - 1);
    }
}

void CZOLListModel::RowChanged(int row) {
    const int columns = columnCount();
    if (row >= 0 && row < rowCount() && columns > 0) {
        Q_EMIT dataChanged(index(row, 0), index(row, columns - 1));
    }
}

}  // namespace kelvane

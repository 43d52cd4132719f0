// Column definitions, the shown columns and their widths.
#include <algorithm>
#include <string>

#include "list/MyListCtrl.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "support/ZOLConfigValues.h"

namespace kelvane {
namespace {

constexpr int kLastCatalogueWidthId = 80;

}  // namespace

void CMyListCtrl::ClearDefinitions() {
    definitions_.fill(ColumnDefinition{});
}

StatusCode CMyListCtrl::AppendDefinition(int fieldId, int width) {
    for (ColumnDefinition& slot : definitions_) {
        if (slot.fieldId == kFieldNone) {
            slot = ColumnDefinition{fieldId, width};
            return status::kOk;
        }
    }
    return status::kColumnDefinitionsFull;
}

void CMyListCtrl::RecreateDefinitionsFromHeader() {
    ClearDefinitions();
    for (const ListColumn& column : columns_) {
        if (column.fieldId != kFieldRowNumber) {
            AppendDefinition(column.fieldId, -1);
        }
    }
}

std::string CMyListCtrl::HeaderTextOf(int fieldId) const {
    const char* header = FieldHeader(fieldId, Catalogue());
    return header != nullptr ? Translate(header) : std::string();
}

void CMyListCtrl::RememberWidths() {
    for (const ListColumn& column : columns_) {
        if (column.fieldId >= 0 && column.fieldId <= kFieldNone) {
            rememberedWidths_[static_cast<size_t>(column.fieldId)] = column.width;
        }
    }
}

int CMyListCtrl::RememberedWidth(int fieldId) const {
    return (fieldId >= 0 && fieldId <= kFieldNone) ? rememberedWidths_[static_cast<size_t>(fieldId)]
                                                   : 0;
}

StatusCode CMyListCtrl::BuildColumns(bool keepSelection) {
    if (keepSelection) {
        SaveSelection();
    }
    RememberWidths();
    PrepareCellTexts();
    suspended_ = false;
    std::vector<ListColumn> built;
    StatusCode result = status::kOk;
    auto add = [&](ListColumn column) {
        if (static_cast<int>(built.size()) >= kMaxShownColumns) {
            NUV_WARNING("%s", Translate("Too many view columns defined").c_str());
            result = status::kTooManyViewColumns;
            return;
        }
        built.push_back(std::move(column));
    };
    auto rowNumberColumn = [&] {
        const int remembered = RememberedWidth(kFieldRowNumber);
        return ListColumn{kFieldRowNumber,
                          static_cast<FieldType>(kRowNumberTypeValue),
                          true,
                          1,
                          remembered != 0 ? remembered : rowNumberWidth_,
                          Translate("Nr")};
    };
    if (rowNumberVisible_) {
        add(rowNumberColumn());
    }
    for (const ColumnDefinition& slot : definitions_) {
        if (slot.fieldId == kFieldNone || result != status::kOk) {
            continue;
        }
        if (slot.fieldId == kFieldRowNumber) {
            add(rowNumberColumn());
            continue;
        }
        const auto traits = FieldColumnTraits(slot.fieldId, Catalogue());
        if (!traits) {
            continue;  // a field this catalogue does not have
        }
        ListColumn column{slot.fieldId,
                          FieldTypeOf(slot.fieldId, Catalogue()),
                          traits->rightAligned != 0,
                          traits->autoWidthFromContent,
                          0,
                          HeaderTextOf(slot.fieldId)};
        column.width = slot.width != -1 ? slot.width : RememberedWidth(slot.fieldId);
        if (column.width == 0) {
            column.width = traits->defaultWidth != 0
                               ? traits->defaultWidth
                               : Display().TextWidth(column.header) + kColumnWidthMargin;
        }
        add(std::move(column));
    }
    if (result == status::kOk) {
        columns_ = std::move(built);
        sort_.primaryColumn = sort_.primaryField == -1 ? -1 : ColumnOfField(sort_.primaryField);
        sort_.secondaryColumn =
            sort_.secondaryField == -1 ? -1 : ColumnOfField(sort_.secondaryField);
        Display().ColumnsChanged();
        AutoSizeColumns();
    }
    if (keepSelection) {
        RestoreSelection();
    }
    Display().HeaderImagesChanged();
    return result;
}

const ListColumn* CMyListCtrl::Column(int position) const {
    return (position >= 0 && position < ColumnCount()) ? &columns_[static_cast<size_t>(position)]
                                                       : nullptr;
}

int CMyListCtrl::FieldIdOfColumn(int position) const {
    const ListColumn* column = Column(position);
    return column != nullptr ? column->fieldId : kFieldNone;
}

int CMyListCtrl::ColumnOfField(int fieldId) const {
    for (int i = 0; i < ColumnCount(); ++i) {
        if (columns_[static_cast<size_t>(i)].fieldId == fieldId) {
            return i;
        }
    }
    return -1;
}

int CMyListCtrl::ColumnWidth(int position, int fieldId) const {
    const ListColumn* column = Column(position);
    if (column != nullptr && column->fieldId == fieldId) {
        return column->width;
    }
    if (fieldId == kFieldRowNumber) {
        return Display().TextWidth("Nr");
    }
    if (fieldId < 0 || fieldId > kLastCatalogueWidthId) {
        return -1;
    }
    const auto traits = FieldColumnTraits(fieldId, Catalogue());
    if (!traits) {
        return -1;
    }
    return traits->defaultWidth != 0
               ? traits->defaultWidth
               : Display().TextWidth(HeaderTextOf(fieldId)) + kColumnWidthMargin;
}

void CMyListCtrl::SetColumnWidth(int position, int width) {
    if (position >= 0 && position < ColumnCount() && width >= 0) {
        columns_[static_cast<size_t>(position)].width = width;
    }
}

void CMyListCtrl::MoveColumn(int from, int to) {
    if (from < 0 || to < 0 || from >= ColumnCount() || to >= ColumnCount() || from == to) {
        return;
    }
    ListColumn moved = std::move(columns_[static_cast<size_t>(from)]);
    columns_.erase(columns_.begin() + from);
    columns_.insert(columns_.begin() + to, std::move(moved));
    sort_.primaryColumn = sort_.primaryField == -1 ? -1 : ColumnOfField(sort_.primaryField);
    sort_.secondaryColumn = sort_.secondaryField == -1 ? -1 : ColumnOfField(sort_.secondaryField);
    Display().ColumnsChanged();
    Display().HeaderImagesChanged();
}

StatusCode CMyListCtrl::ColumnHeaderText(int position, std::string& out) const {
    if (columns_.empty() || position < 0) {
        return status::kHeaderNotFound;
    }
    if (position >= ColumnCount()) {
        return status::kHeaderIndexTooLarge;
    }
    const std::string& header = columns_[static_cast<size_t>(position)].header;
    if (header.empty()) {
        return status::kHeaderMissing;
    }
    out = header;
    return status::kOk;
}

void CMyListCtrl::AutoSizeColumns() {
    if (Config().columnAutoresize != 1 || columns_.empty()) {
        return;
    }
    WriteStatusText(Translate("Resizing columns - please wait"));
    const IListDisplay& display = Display();
    std::string buffer;
    for (int c = 0; c < ColumnCount(); ++c) {
        ListColumn& column = columns_[static_cast<size_t>(c)];
        if (column.autoWidthSource == 0) {
            Display().AutoSizeColumn(c);
            continue;
        }
        if (column.autoWidthSource != 1) {
            NUV_WARNING("%s", "Internal Error - Illegal case for auto column width src");
            continue;
        }
        int widest = display.TextWidth(column.header);
        for (long row = 0; row <= RowCount(); ++row) {
            if (column.fieldId == kFieldRowNumber) {
                buffer = std::to_string(row);
                widest = std::max(widest, display.TextWidth(buffer));
            } else if (row < RowCount()) {
                widest = std::max(widest, display.TextWidth(CellText(row, c, buffer)));
            }
        }
        column.width = widest + kColumnWidthMargin;
    }
    Display().ColumnsChanged();
    Display().RowsChanged(RowCount(), true);
    if (!statusLine_.empty()) {
        WriteStatusText(statusLine_);  // the counts again, not the "please wait"
    }
}

}  // namespace kelvane

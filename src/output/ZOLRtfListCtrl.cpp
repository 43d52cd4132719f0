#include "output/ZOLRtfListCtrl.h"

namespace kelvane {
namespace {

bool IsShown(const ListTableView& table, int fieldId) {
    TableColumn column;
    for (int i = 0; i < table.ColumnCount(); ++i) {
        if (table.Column(i, column) && column.fieldId == fieldId) {
            return true;
        }
    }
    return false;
}

}  // namespace

CZOLRtfListCtrl::CZOLRtfListCtrl(bool midiMode) : midiMode_(midiMode) {
    // Every offered field starts ticked, so a first output shows the list as it is.
    for (RtfListKind kind : {RtfListKind::Files, RtfListKind::Songs}) {
        for (int fieldId : OfferedFields(kind)) {
            Ticks(kind).set(static_cast<size_t>(fieldId));
        }
    }
}

std::vector<int> CZOLRtfListCtrl::OfferedFields(RtfListKind kind) const {
    std::vector<int> fields;
    if (kind == RtfListKind::Songs) {
        for (int id = 0; id <= 11; ++id) {
            fields.push_back(id);
        }
        return fields;
    }
    for (int id = 1; id <= 34; ++id) {
        const bool midiOnly = id >= 28 && id <= 30;
        if (id == 18 || id == 19 || (midiOnly && !midiMode_)) {
            continue;
        }
        fields.push_back(id);
    }
    fields.push_back(kRowNumberFieldId);
    return fields;
}

bool CZOLRtfListCtrl::IsOffered(RtfListKind kind, int fieldId) const {
    for (int id : OfferedFields(kind)) {
        if (id == fieldId) {
            return true;
        }
    }
    return false;
}

bool CZOLRtfListCtrl::CanTick(RtfListKind kind, const ListTableView& table, int fieldId) const {
    return IsOffered(kind, fieldId) && IsShown(table, fieldId);
}

bool CZOLRtfListCtrl::IsTicked(RtfListKind kind, int fieldId) const {
    return IsFieldTicked(Ticks(kind), fieldId);
}

bool CZOLRtfListCtrl::SetTicked(RtfListKind kind, const ListTableView& table, int fieldId,
                                bool ticked) {
    if (!CanTick(kind, table, fieldId)) {
        return false;
    }
    Ticks(kind).set(static_cast<size_t>(fieldId), ticked);
    return true;
}

void CZOLRtfListCtrl::MatchShownColumns(RtfListKind kind, const ListTableView& table) {
    for (size_t id = 0; id < Ticks(kind).size(); ++id) {
        if (Ticks(kind).test(id) && !IsShown(table, static_cast<int>(id))) {
            Ticks(kind).reset(id);
        }
    }
}

void CZOLRtfListCtrl::SelectAll(RtfListKind kind, const ListTableView& table) {
    for (int fieldId : OfferedFields(kind)) {
        SetTicked(kind, table, fieldId, true);
    }
}

void CZOLRtfListCtrl::ClearAll(RtfListKind kind) {
    Ticks(kind).reset();
}

StatusCode CZOLRtfListCtrl::WriteListToRtf(const ListTableView* table, RtfListKind kind,
                                           const std::string& startFolder,
                                           const std::string& filterText,
                                           const std::string& fileName) {
    lastFileName_ = fileName;
    return WriteRtfDocumentFile(table, Ticks(kind), PageText(startFolder, filterText), fileName);
}

StatusCode CZOLRtfListCtrl::BuildListDocument(const ListTableView* table, RtfListKind kind,
                                              const std::string& startFolder,
                                              const std::string& filterText,
                                              std::string& document) const {
    return BuildRtfDocument(table, Ticks(kind), PageText(startFolder, filterText), document);
}

}  // namespace kelvane

#include "list/ZOLListOptions.h"

#include <algorithm>
#include <array>

#include "list/ZOLColumnDefaults.h"
#include "list/ZOLDuplicatesMode.h"
#include "list/ZOLFilterDlgLogic.h"
#include "list/ZOLListViewMgr.h"
#include "records/ZOLFieldCatalogue.h"

namespace kelvane {
namespace {

constexpr std::array<std::pair<std::string_view, int>, 5> kShowNames = {
    {{"all", kShowAll},
     {"unique-files", kShowUniqueFiles},
     {"duplicate-files", kShowDuplicateFiles},
     {"unique-scores", kShowUniqueScores},
     {"related-scores", kShowRelatedScores}}};

std::vector<std::string_view> SplitCommas(std::string_view text) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = text.find(',', start);
        const size_t end = comma == std::string_view::npos ? text.size() : comma;
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

CatalogueKind CatalogueOf(ViewMode view) {
    return view == Songs ? CatalogueKind::Song : CatalogueKind::Current;
}

bool FieldOfKey(std::string_view key, ViewMode view, int& fieldId, std::string& error) {
    fieldId = FieldIdByKey(key, CatalogueOf(view));
    if (fieldId == kFieldNone || key.empty()) {
        error = "unknown field key '" + std::string(key) + "'";
        return false;
    }
    return true;
}

StatusCode Fail(std::string& error, std::string text) {
    error = std::move(text);
    return status::kCommandLine;
}

StatusCode ParseSort(std::string_view value, ViewMode view, ListCliOptions& options,
                     std::string& error) {
    const std::vector<std::string_view> keys = SplitCommas(value);
    if (keys.size() > 2) {
        return Fail(error, "--sort takes at most two keys");
    }
    options.sort.clear();
    for (std::string_view key : keys) {
        ListSortKey sortKey;
        const size_t colon = key.find(':');
        if (colon != std::string_view::npos) {
            const std::string_view direction = key.substr(colon + 1);
            if (direction != "desc" && direction != "asc") {
                return Fail(error, "--sort direction must be asc or desc");
            }
            sortKey.descending = direction == "desc";
            key = key.substr(0, colon);
        }
        if (!FieldOfKey(key, view, sortKey.fieldId, error)) {
            return status::kCommandLine;
        }
        options.sort.push_back(sortKey);
    }
    return status::kOk;
}

}  // namespace

bool IsListOption(std::string_view name) {
    return name == "--sort" || name == "--columns" || name == "--filter" || name == "--quick" ||
           name == "--show";
}

StatusCode ParseListOption(std::string_view name, std::string_view value, ViewMode view,
                           ListCliOptions& options, std::string& error) {
    if (name == "--sort") {
        return ParseSort(value, view, options, error);
    }
    if (name == "--columns") {
        options.columns.clear();
        for (std::string_view key : SplitCommas(value)) {
            int fieldId = kFieldNone;
            if (!FieldOfKey(key, view, fieldId, error)) {
                return status::kCommandLine;
            }
            options.columns.push_back(fieldId);
        }
        if (options.columns.size() > static_cast<size_t>(kDefinitionSlotCount)) {
            return Fail(error, "--columns takes at most 21 keys");
        }
        return status::kOk;
    }
    if (name == "--filter") {
        const size_t equals = value.find('=');
        if (equals == std::string_view::npos) {
            return Fail(error, "--filter needs KEY=EXPRESSION");
        }
        int fieldId = kFieldNone;
        if (!FieldOfKey(value.substr(0, equals), view, fieldId, error)) {
            return status::kCommandLine;
        }
        options.filters.emplace_back(fieldId, std::string(value.substr(equals + 1)));
        return status::kOk;
    }
    if (name == "--quick") {
        options.quick = std::string(value);
        return status::kOk;
    }
    if (name == "--show") {
        for (const auto& [showName, mode] : kShowNames) {
            if (value == showName) {
                options.show = mode;
                return status::kOk;
            }
        }
        return Fail(
            error,
            "--show takes all, unique-files, duplicate-files, unique-scores or related-scores");
    }
    return Fail(error, "unknown option '" + std::string(name) + "'");
}

StatusCode ApplyListOptions(const ListCliOptions& options, CZOLListViewMgr& manager,
                            std::string& error) {
    CMyListCtrl* list = manager.CurrentList();
    if (list == nullptr) {
        return Fail(error, "the list is not ready");
    }
    std::vector<int> columns = options.columns;
    if (columns.empty()) {
        for (const ColumnDefinition& slot : list->Definitions()) {
            if (slot.fieldId != kFieldNone) {
                columns.push_back(slot.fieldId);
            }
        }
    }
    if (columns.empty()) {
        columns = BuiltInColumns(list->Kind());
    }
    for (const ListSortKey& key : options.sort) {
        if (std::find(columns.begin(), columns.end(), key.fieldId) == columns.end()) {
            columns.push_back(key.fieldId);
        }
    }
    list->ClearDefinitions();
    for (int fieldId : columns) {
        if (list->AppendDefinition(fieldId, -1) != status::kOk) {
            return Fail(error, "too many columns");
        }
    }
    const StatusCode built = list->BuildColumns(false);
    if (built != status::kOk) {
        return Fail(error, "too many columns");
    }
    const bool songs = list->Kind() == ListKind::Songs;
    CZOLFilterDlgState& dialog = songs ? SongFilterDialog() : StyleFilterDialog();
    FilterInputs inputs = dialog.Inputs();
    for (const auto& [fieldId, expression] : options.filters) {
        inputs.fields[static_cast<size_t>(fieldId)] = expression;
    }
    if (options.quick) {
        inputs.quick = *options.quick;
    }
    int failedField = kFieldNone;
    const StatusCode parsed = dialog.Confirm(inputs, songs ? -1 : options.show, &failedField);
    if (parsed != status::kOk) {
        const char* key = FieldKey(failedField, list->Catalogue());
        error = failedField == kFieldQuickSearch
                    ? std::string("--quick")
                    : "--filter " + std::string(key != nullptr ? key : "");
        return parsed;
    }
    if (songs && options.show != -1) {
        SetFilterDuplicatesMode(options.show);
    }
    if (!options.sort.empty()) {
        SortStateValues sort;
        sort.primaryField = options.sort[0].fieldId;
        sort.primaryAscending = options.sort[0].descending ? 0 : 1;
        sort.secondaryField = options.sort.size() > 1 ? options.sort[1].fieldId : -1;
        sort.secondaryAscending = options.sort.size() > 1 && !options.sort[1].descending ? 1 : 0;
        list->SetSortKeys(sort);
    }
    manager.ForceRebuild(true, nullptr, false);
    return status::kOk;
}

}  // namespace kelvane

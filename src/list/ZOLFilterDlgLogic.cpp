#include "list/ZOLFilterDlgLogic.h"

#include <algorithm>

#include "list/ZOLDuplicatesMode.h"
#include "list/ZOLListTypes.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLRecordText.h"
#include "records/ZOLSongData.h"
#include "support/NUVLang.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

const std::vector<int> kStyleConfirmOrder = {1, 2,  5,  6,  7,  9,  10, 11, 14, 16, 33, 27, 3,
                                             4, 12, 13, 20, 17, 34, 21, 22, 23, 24, 25, 26};
const std::vector<int> kMidiConfirmOrder = {1, 2, 5,  6,  7,  9,  10, 11, 14, 16, 33, 27,
                                            3, 4, 12, 13, 20, 17, 34, 23, 24, 30, 25};
const std::vector<int> kSongConfirmOrder = {0, 1, 2, 3, 5, 6, 7, 10, 9, 4};

const std::vector<int> kStyleDescriptionOrder = {
    6, 7, 5, 21, 22, 11, 14, 9, 1, 2, 10, 23, 24, 25, 26, 16, 27, 33, 3, 4, 12, 13, 20, 17, 34, 30};
const std::vector<int> kSongDescriptionOrder = {0, 1, 2, 3, 5, 6, 7, 4, 10, 9};

bool HasText(const std::string& input) {
    return !TrimBlanks(input).empty();
}

}  // namespace

CZOLFilterDlgState& StyleFilterDialog() {
    static CZOLFilterDlgState state(FilterDialogKind::Styles);
    return state;
}

CZOLFilterDlgState& SongFilterDialog() {
    static CZOLFilterDlgState state(FilterDialogKind::Songs);
    return state;
}

std::vector<int> CZOLFilterDlgState::InputFields() const {
    if (kind_ == FilterDialogKind::Songs) {
        return kSongConfirmOrder;
    }
    return IsStyleMode() ? kStyleConfirmOrder : kMidiConfirmOrder;
}

bool CZOLFilterDlgState::IsInputField(int fieldId) const {
    const std::vector<int> fields = InputFields();
    return std::find(fields.begin(), fields.end(), fieldId) != fields.end();
}

std::string CZOLFilterDlgState::InputLabel(int fieldId) const {
    if (fieldId == kFieldQuickSearch) {
        return Translate("Quick");
    }
    const char* header = FieldHeader(
        fieldId, kind_ == FilterDialogKind::Songs ? CatalogueKind::Song : CatalogueKind::Current);
    return header != nullptr ? Translate(header) : std::string();
}

FieldType CZOLFilterDlgState::EntryType(int fieldId) const {
    if (kind_ == FilterDialogKind::Styles) {
        return FieldTypeOf(fieldId);
    }
    if (fieldId == kSongFieldStatus) {
        return FT_SHARED_TEXT;  // the status is filtered as its text
    }
    const FieldType type = FieldTypeOf(fieldId, CatalogueKind::Song);
    return type == FT_STYLE_LINK ? FieldTypeOf(LinkedStyleField(fieldId)) : type;
}

StatusCode CZOLFilterDlgState::Parse(int* failedField) {
    filter_.Reset();
    StatusCode result = filter_.AddFieldFilter(kFieldQuickSearch, FT_OWN_TEXT, inputs_.quick,
                                               InputLabel(kFieldQuickSearch));
    if (result != status::kOk) {
        *failedField = kFieldQuickSearch;
        return result;
    }
    for (int fieldId : InputFields()) {
        const std::string& input = inputs_.fields[static_cast<size_t>(fieldId)];
        if (!HasText(input)) {
            continue;
        }
        result = filter_.AddFieldFilter(fieldId, EntryType(fieldId), input, InputLabel(fieldId));
        if (result != status::kOk) {
            *failedField = fieldId;
            return result;
        }
    }
    // Fields without an input of their own in the dialog come only from the command line.
    for (int fieldId : ExtraFields(InputFields())) {
        result = filter_.AddFieldFilter(fieldId, EntryType(fieldId),
                                        inputs_.fields[static_cast<size_t>(fieldId)],
                                        InputLabel(fieldId));
        if (result != status::kOk) {
            *failedField = fieldId;
            return result;
        }
    }
    return status::kOk;
}

std::vector<int> CZOLFilterDlgState::ExtraFields(const std::vector<int>& listed) const {
    std::vector<int> extra;
    const int count = kind_ == FilterDialogKind::Songs ? kSongFieldCount : kStyleFieldCount;
    for (int fieldId = 0; fieldId < count; ++fieldId) {
        if (HasText(inputs_.fields[static_cast<size_t>(fieldId)]) &&
            std::find(listed.begin(), listed.end(), fieldId) == listed.end()) {
            extra.push_back(fieldId);
        }
    }
    return extra;
}

std::string CZOLFilterDlgState::BuildDescription() const {
    const bool songs = kind_ == FilterDialogKind::Songs;
    std::string text;
    std::vector<int> order = songs ? kSongDescriptionOrder : kStyleDescriptionOrder;
    const std::vector<int> extra = ExtraFields(order);
    order.insert(order.end(), extra.begin(), extra.end());
    for (int fieldId : order) {
        const std::string& input = inputs_.fields[static_cast<size_t>(fieldId)];
        if (!HasText(input)) {
            continue;
        }
        // The song dialog names its fields by the catalogue's own headers.
        const char* header =
            FieldHeader(fieldId, songs ? CatalogueKind::Song : CatalogueKind::Current);
        const std::string name = header == nullptr ? std::string()
                                 : songs           ? std::string(header)
                                                   : Translate(header);
        text += " [" + name + "=" + input + "]";
    }
    if (HasText(inputs_.quick)) {
        text += " [" + Translate("Quick") + "=" + inputs_.quick + "]";
    }
    std::replace(text.begin(), text.end(), '\t', ' ');
    return text;
}

StatusCode CZOLFilterDlgState::Confirm(const FilterInputs& inputs, int duplicatesMode,
                                       int* failedField) {
    int unused = 0;
    int* failed = failedField != nullptr ? failedField : &unused;
    *failed = kFieldNone;
    const FilterInputs previousInputs = inputs_;
    const int previousMode = FilterDuplicatesMode();
    if (kind_ == FilterDialogKind::Styles && duplicatesMode != -1 &&
        !SetFilterDuplicatesMode(duplicatesMode)) {
        return status::kUnspecified;
    }
    inputs_ = inputs;
    const StatusCode result = Parse(failed);
    if (result != status::kOk) {
        // The previous inputs parsed before, so this brings back the previous filter silently.
        inputs_ = previousInputs;
        SetFilterDuplicatesMode(previousMode);
        int ignored = 0;
        Parse(&ignored);
        return result;
    }
    description_ = BuildDescription();
    active_ = !description_.empty();
    return status::kOk;
}

void CZOLFilterDlgState::Clear() {
    inputs_ = FilterInputs{};
    filter_.Reset();
    active_ = false;
    description_.clear();
    if (kind_ == FilterDialogKind::Styles) {
        SetFilterDuplicatesMode(kShowAll);
    }
}

std::vector<std::string> CZOLFilterDlgState::PickList(int fieldId) const {
    std::vector<std::string> values;
    if (kind_ == FilterDialogKind::Songs && fieldId == kSongFieldStatus) {
        values.push_back(SongStatusText(kSongStatusInStyleFile));
        values.push_back(SongStatusText(kSongStatusNotInStyleFile));
        return values;
    }
    const bool songs = kind_ == FilterDialogKind::Songs;
    const FieldType type =
        FieldTypeOf(fieldId, songs ? CatalogueKind::Song : CatalogueKind::Current);
    if (type != FT_SHARED_TEXT && type != FT_LETTER) {
        return values;
    }
    const int pool = songs ? SongStringPool(fieldId) : fieldId;
    for (const PooledText* text = EnumerateFieldValues(pool, nullptr); text != nullptr;
         text = EnumerateFieldValues(pool, text)) {
        if (!text->text.empty()) {
            values.emplace_back(text->text);
        }
    }
    return values;
}

int PickListWidth(std::span<const std::string> values, const IListDisplay& metrics,
                  int screenWidth) {
    int widest = 0;
    for (const std::string& value : values) {
        widest = std::max(widest, metrics.TextWidth(value));
    }
    return std::min(widest + kColumnWidthMargin, screenWidth);
}

}  // namespace kelvane

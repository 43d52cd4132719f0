// The two filter dialogs without their widgets: the inputs kept between openings, the filter
// object parsed from them, the filter-active flag and the description for the status line;
// confirming in the dialog's input order, clearing, and the pick lists of the drop-down inputs.
#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "list/ZOLFilterCommon.h"
#include "list/ZOLListTypes.h"
#include "platform/NonCopyable.h"
#include "records/ZOLFieldIds.h"

namespace kelvane {

enum class FilterDialogKind { Styles, Songs };

// The texts typed into a dialog: one per field id (style, midi or song field) and the quick
// search ("Global Search Text").
struct FilterInputs {
    std::array<std::string, kStyleFieldCount> fields;
    std::string quick;
    bool operator==(const FilterInputs&) const = default;
};

class CZOLFilterDlgState : NonCopyable {
  public:
    explicit CZOLFilterDlgState(FilterDialogKind kind) : kind_(kind) {}

    FilterDialogKind Kind() const { return kind_; }
    const FilterInputs& Inputs() const { return inputs_; }

    // OK of the dialog. The style dialog also takes the duplicates mode (-1 leaves it). Parses
    // the inputs in the dialog's order; at the first failing input (its message has been
    // shown) returns the status and sets `failedField` to its field id (96 for the quick
    // search) so the dialog can focus it. A failure keeps the previous inputs, mode and filter,
    // so that Cancel afterwards changes nothing.
    StatusCode Confirm(const FilterInputs& inputs, int duplicatesMode, int* failedField);
    // Empties the inputs and the filter and clears the flag; the style dialog also returns the
    // duplicates mode to "Show all".
    void Clear();

    const CZOLFilterCommon& Filter() const { return filter_; }
    bool Active() const { return active_; }
    // " [Header=input]" per non-empty input in the description order; empty without inputs.
    const std::string& Description() const { return description_; }

    // The field ids of the dialog's inputs in confirmation order (the quick search not
    // included) for the run mode. Inputs of other fields of the catalogue (set by the
    // command-line tool) are parsed and described after these, by field id.
    std::vector<int> InputFields() const;
    bool IsInputField(int fieldId) const;
    // The header a field's input is labelled and named with in messages (translated).
    std::string InputLabel(int fieldId) const;
    // Drop-down values of an input: every distinct non-empty value the field has in the
    // loaded records (fields of type 2 or 4); the two status texts for song field 9; empty for
    // plain edit boxes.
    std::vector<std::string> PickList(int fieldId) const;

  private:
    StatusCode Parse(int* failedField);
    // Fields with an input that are not in `listed`, by id.
    std::vector<int> ExtraFields(const std::vector<int>& listed) const;
    FieldType EntryType(int fieldId) const;
    std::string BuildDescription() const;

    FilterDialogKind kind_;
    FilterInputs inputs_;
    CZOLFilterCommon filter_;
    bool active_ = false;
    std::string description_;
};

CZOLFilterDlgState& StyleFilterDialog();
CZOLFilterDlgState& SongFilterDialog();

// The width of a drop-down list: the widest value plus 22 pixels, at most the screen width.
int PickListWidth(std::span<const std::string> values, const IListDisplay& metrics,
                  int screenWidth);

}  // namespace kelvane

// The parsed filter of one filter dialog: up to 64 per-field entries, each a tree of condition
// packets parsed once from the text typed for that field, and the test whether a record
// passes all of them.
//
// The filter language (one input, one field):
//
//   input     := level
//   level     := [operand { [connector] operand }]     connector := AND | OR
//   operand   := { NOT } ( value | "(" level ")" )      (number and date fields may also put
//                                                        an operator token before any value)
//   operator  := ">=" | "<=" | "<>" | ">" | "<" | "="
//
//   - Keywords are upper case and recognised by prefix: ANDx is AND, ORGAN is OR, NOTE is NOT.
//     Lower-case and, or, not are plain values.
//   - Tokens are cut at blanks; there is no quoting; a token over 999 characters is cut into
//     pieces of 999. Parentheses are tokens of their own wherever they stand; on number and
//     date fields so are "<", ">" and "=" (with "<=", ">=", "<>" kept together).
//   - Two operands with nothing between them are joined by AND; but an operand right after
//     ")" keeps the connector that stood before the group: "(A) B" is A OR B at the start of
//     a level, "X AND (A) B" is X AND A AND B.
//   - Each NOT toggles the negation of the operand it precedes; NOT NOT cancels.
//   - Text values: "*" alone passes anything; "*x*" contains x, "*x" ends with x, "x*" starts
//     with x, a plain x contains x; compared ignoring letter case.
//   - Number values: "%ld" from the token start. Date values: exactly YYYY-MM-DD. An operator
//     stays in force for the following values of its level (a level starts with "="), so
//     "> 100 200" is > 100 AND > 200 and ">= 10 AND <= 20" is a range.
//   - Mixed connectors are read from the left: A OR B AND C is (A OR B) AND C; A AND B OR C
//     passes exactly when A and B pass.
//
// Parse errors are shown to the user as the translated message followed by the field name in
// quotes and return -12565; a value that is not a number or not a date returns -12566 or
// -12567 and shows "Illegal value for". The first error ends the parse.
#pragma once

#include <array>
#include <concepts>
#include <cstdint>
#include <string_view>

#include "list/ZOLConditionPacket.h"
#include "list/ZOLFilterEval.h"
#include "platform/NonCopyable.h"
#include "records/ZOLFieldCatalogue.h"
#include "support/NUVStatus.h"

namespace kelvane {

// Filter entries carry the field's catalogue type.
using FilterFieldType = FieldType;

// The quick-search pseudo-field: the record's joined search text, filtered as text.
inline constexpr int32_t kQuickSearchFieldId = 96;

struct FilterEntry {
    int32_t fieldId = 0;
    FieldType fieldType = FT_NONE;
    ConditionList conditions;  // the top level of the parsed input
};

// What the filter needs from a record (or song): the values of its fields by id. Texts for
// text and letter fields, the integer of number fields, the date text of date fields (its
// first ten characters are compared), and the quick-search text for field 96.
template <class Subject>
concept FilterSubject = requires(const Subject& subject, int32_t fieldId) {
    { subject.FilterText(fieldId) } -> std::convertible_to<std::string_view>;
    { subject.FilterNumber(fieldId) } -> std::convertible_to<int32_t>;
    { subject.FilterDateText(fieldId) } -> std::convertible_to<std::string_view>;
    { subject.QuickSearchText() } -> std::convertible_to<std::string_view>;
};

class CZOLFilterCommon : NonCopyable {
  public:
    static constexpr int kMaxEntries = 64;

    CZOLFilterCommon() = default;

    // Returns every entry's packets to the pool and empties the table.
    void Reset();

    // Parses one field's input into a new entry. 0, or -12565 (syntax, shown), -12566 (not a
    // number, shown), -12567 (not a date, shown), -12568 (table full, not shown). An input of
    // blanks, or a field type the filter does not test, adds nothing and returns 0. A failed
    // parse still counts its entry, with the packets built before the error.
    StatusCode AddFieldFilter(int32_t fieldId, FilterFieldType fieldType,
                              std::string_view inputText, std::string_view fieldNameForMessages);

    // 0 when the subject passes every entry; otherwise the 1-based number of the first entry
    // (in the order added) that it fails.
    template <FilterSubject Subject>
    int Passes(const Subject& subject) const;

    // Whether one entry passes a value already fetched for it.
    bool EntryPasses(int index, const FilterValue& value) const;

    int EntryCount() const { return entryCount_; }
    const FilterEntry& Entry(int index) const { return entries_[index]; }
    const ConditionPacketPool& Pool() const { return pool_; }

  private:
    std::array<FilterEntry, kMaxEntries> entries_;
    int entryCount_ = 0;
    ConditionPacketPool pool_;
    mutable FilterEvalStack evalStack_;  // user-interface thread only
};

template <FilterSubject Subject>
int CZOLFilterCommon::Passes(const Subject& subject) const {
    for (int i = 0; i < entryCount_; ++i) {
        const FilterEntry& entry = entries_[i];
        FilterValue value;
        if (entry.fieldId == kQuickSearchFieldId) {
            value = FilterValue::Text(subject.QuickSearchText());
        } else {
            switch (entry.fieldType) {
                case FT_OWN_TEXT:
                case FT_SHARED_TEXT:
                case FT_LETTER:
                    value = FilterValue::Text(subject.FilterText(entry.fieldId));
                    break;
                case FT_NUMBER:
                    value = FilterValue::Number(subject.FilterNumber(entry.fieldId));
                    break;
                case FT_DATE:
                    value = FilterValue::Date(subject.FilterDateText(entry.fieldId));
                    break;
                default:
                    continue;  // a type the filter does not test passes
            }
        }
        if (!EntryPasses(i, value)) {
            return i + 1;
        }
    }
    return 0;
}

}  // namespace kelvane

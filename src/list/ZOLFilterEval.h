// Evaluation of parsed filter conditions against one value of a record: text comparisons in
// upper case (the field text is folded on the fly, never copied), numbers, and date texts.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "list/ZOLConditionPacket.h"

namespace kelvane {

// The value an entry tests, fetched once per entry and record.
struct FilterValue {
    enum class Kind { Text, Number, Date };
    Kind kind = Kind::Text;
    std::string_view text;  // Text and Date
    int32_t number = 0;     // Number

    static FilterValue Text(std::string_view text) { return {Kind::Text, text, 0}; }
    static FilterValue Number(int32_t number) { return {Kind::Number, {}, number}; }
    static FilterValue Date(std::string_view text) { return {Kind::Date, text, 0}; }
};

// Fills a text condition from a value token: wildcards choose the compare kind and are
// removed, the text is upper-cased and, for "contains", the search table is built.
void SetTextCondition(ConditionPacket& packet, std::string_view token);

// Comparisons of one condition (negation not applied).
bool TextConditionPasses(const ConditionPacket& packet, std::string_view fieldText);
bool NumberConditionPasses(const ConditionPacket& packet, int32_t fieldValue);
bool DateConditionPasses(const ConditionPacket& packet, std::string_view fieldDate);

// The first ten bytes of two date texts compared ignoring ASCII letter case (<0, 0, >0); a
// text ends early at its end.
int CompareDateTexts(std::string_view a, std::string_view b);

// Working memory of ConditionListPasses, kept by the caller so that evaluation allocates
// nothing once it has seen the deepest nesting.
struct FilterEvalFrame {
    const ConditionList* list;
    std::size_t next;
    bool verdict;
};
using FilterEvalStack = std::vector<FilterEvalFrame>;

// The verdict of a condition list: it starts as fail and takes each packet from the left:
// fail + first/OR: the packet's result; fail + AND: the list fails; pass + AND: the packet
// must pass or the list fails; pass + first/OR: skipped. An empty list fails.
bool ConditionListPasses(const ConditionList& list, const FilterValue& value,
                         FilterEvalStack& stack);

}  // namespace kelvane

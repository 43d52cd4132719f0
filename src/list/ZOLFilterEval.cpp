#include "list/ZOLFilterEval.h"

#include <algorithm>
#include <array>
#include <optional>

namespace kelvane {
namespace {

using ByteTable = std::array<unsigned char, 256>;

// ASCII letters only: bytes of other code pages compare as they are.
constexpr ByteTable MakeCaseTable(char from, char to) {
    ByteTable table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        const bool letter =
            i >= static_cast<std::size_t>(from) && i < static_cast<std::size_t>(from) + 26;
        table[i] = static_cast<unsigned char>(letter ? i - from + to : i);
    }
    return table;
}
constexpr ByteTable kUpper = MakeCaseTable('a', 'A');
constexpr ByteTable kLower = MakeCaseTable('A', 'a');

unsigned char Upper(char c) {
    return kUpper[static_cast<unsigned char>(c)];
}

// `upperText` is already upper case; `field` is folded byte by byte.
bool EqualsUpper(const char* field, std::string_view upperText) {
    for (std::size_t i = 0; i < upperText.size(); ++i) {
        if (Upper(field[i]) != static_cast<unsigned char>(upperText[i])) {
            return false;
        }
    }
    return true;
}

// Horspool search with the packet's case-folded skip table.
bool ContainsUpper(const ConditionPacket& packet, std::string_view field) {
    const std::string_view pattern = packet.textValue;
    const std::size_t length = pattern.size();
    if (length > field.size()) {
        return false;
    }
    const std::size_t last = length - 1;
    const auto lastByte = static_cast<unsigned char>(pattern[last]);
    const std::size_t lastStart = field.size() - length;
    std::size_t start = 0;
    for (;;) {
        const auto probe = static_cast<unsigned char>(field[start + last]);
        if (kUpper[probe] == lastByte &&
            EqualsUpper(field.data() + start, pattern.substr(0, last))) {
            return true;
        }
        const std::size_t step = packet.skip[probe];
        if (lastStart - start < step) {
            return false;
        }
        start += step;
    }
}

void BuildSkipTable(ConditionPacket& packet) {
    const std::string_view pattern = packet.textValue;
    const std::size_t length = pattern.size();
    packet.skip.fill(static_cast<unsigned char>(std::min<std::size_t>(length, 255)));
    for (std::size_t i = 0; i + 1 < length; ++i) {
        const auto shift = static_cast<unsigned char>(std::min<std::size_t>(length - 1 - i, 255));
        const auto c = static_cast<unsigned char>(pattern[i]);
        packet.skip[c] = shift;
        packet.skip[kLower[c]] = shift;
    }
}

bool Ordered(CompareKind kind, int comparison) {
    switch (kind) {
        case CompareKind::Equal:
            return comparison == 0;
        case CompareKind::NotEqual:
            return comparison != 0;
        case CompareKind::Less:
            return comparison < 0;
        case CompareKind::LessEqual:
            return comparison <= 0;
        case CompareKind::Greater:
            return comparison > 0;
        case CompareKind::GreaterEqual:
            return comparison >= 0;
        default:
            return false;
    }
}

}  // namespace

void SetTextCondition(ConditionPacket& packet, std::string_view token) {
    const bool leading = token.starts_with('*');
    const bool trailing = token.ends_with('*');
    if (token == "*") {
        packet.compareKind = CompareKind::Any;
        token = {};
    } else if (leading && trailing && token.size() >= 3) {
        packet.compareKind = CompareKind::Contains;
        token = token.substr(1, token.size() - 2);
    } else if (leading) {
        packet.compareKind = CompareKind::EndsWith;
        token.remove_prefix(1);
    } else if (trailing) {
        packet.compareKind = CompareKind::StartsWith;
        token.remove_suffix(1);
    } else {
        packet.compareKind = CompareKind::Contains;
    }
    packet.textValue.assign(token);
    for (char& c : packet.textValue) {
        c = static_cast<char>(Upper(c));
    }
    if (packet.compareKind == CompareKind::Contains && !packet.textValue.empty()) {
        BuildSkipTable(packet);
    }
}

bool TextConditionPasses(const ConditionPacket& packet, std::string_view fieldText) {
    const std::string_view value = packet.textValue;
    if (value.empty()) {
        return true;
    }
    switch (packet.compareKind) {
        case CompareKind::Any:
            return true;
        case CompareKind::StartsWith:
            return fieldText.size() >= value.size() && EqualsUpper(fieldText.data(), value);
        case CompareKind::EndsWith:
            return fieldText.size() >= value.size() &&
                   EqualsUpper(fieldText.data() + (fieldText.size() - value.size()), value);
        case CompareKind::Contains:
            return ContainsUpper(packet, fieldText);
        default:
            return false;
    }
}

bool NumberConditionPasses(const ConditionPacket& packet, int32_t fieldValue) {
    const int comparison = fieldValue < packet.numberValue ? -1 : (fieldValue > packet.numberValue);
    return Ordered(packet.compareKind, comparison);
}

int CompareDateTexts(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < 10; ++i) {
        const int ca = i < a.size() ? kLower[static_cast<unsigned char>(a[i])] : 0;
        const int cb = i < b.size() ? kLower[static_cast<unsigned char>(b[i])] : 0;
        if (ca != cb) {
            return ca - cb;
        }
        if (ca == 0) {
            break;
        }
    }
    return 0;
}

bool DateConditionPasses(const ConditionPacket& packet, std::string_view fieldDate) {
    if (packet.textValue.empty()) {
        return true;
    }
    return Ordered(packet.compareKind, CompareDateTexts(fieldDate, packet.textValue));
}

namespace {

bool ConditionPasses(const ConditionPacket& packet, const FilterValue& value) {
    switch (value.kind) {
        case FilterValue::Kind::Text:
            return TextConditionPasses(packet, value.text);
        case FilterValue::Kind::Number:
            return NumberConditionPasses(packet, value.number);
        case FilterValue::Kind::Date:
            return DateConditionPasses(packet, value.text);
    }
    return false;
}

// Takes the result of the frame's current packet. Returns the list's final verdict when the
// packet ends the list early (a failing AND), else moves on and returns nothing.
std::optional<bool> TakeResult(FilterEvalFrame& frame, bool result) {
    if (frame.verdict && !result) {
        return false;
    }
    frame.verdict = frame.verdict || result;
    ++frame.next;
    return std::nullopt;
}

}  // namespace

// Groups are walked with an explicit stack, so any nesting depth is safe.
bool ConditionListPasses(const ConditionList& list, const FilterValue& value,
                         FilterEvalStack& stack) {
    stack.clear();
    stack.push_back({&list, 0, false});
    std::optional<bool> finished;
    for (;;) {
        if (finished) {
            stack.pop_back();
            if (stack.empty()) {
                return *finished;
            }
            FilterEvalFrame& parent = stack.back();
            const ConditionPacket& group = *(*parent.list)[parent.next];
            finished = TakeResult(parent, *finished != (group.negate != 0));
            continue;
        }
        FilterEvalFrame& frame = stack.back();
        if (frame.next == frame.list->size()) {
            finished = frame.verdict;
            continue;
        }
        const ConditionPacket& packet = *(*frame.list)[frame.next];
        const bool joinedByAnd = packet.connector == kConnectorAnd;
        if (!frame.verdict && joinedByAnd) {
            finished = false;
        } else if (frame.verdict && !joinedByAnd) {
            ++frame.next;
        } else if (packet.nodeKind == kNodeGroup) {
            stack.push_back({&packet.children, 0, false});
        } else {
            finished = TakeResult(frame, ConditionPasses(packet, value) != (packet.negate != 0));
        }
    }
}

}  // namespace kelvane

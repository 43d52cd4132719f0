// Sorting the rows of a list by up to two keys whose values are read once per row. Each row
// becomes a small item: one 64-bit word per key whose unsigned order is the key's order (a
// number; or a text's first eight sort weights) plus the row number. Most comparisons end at
// the words; only rows whose words are equal look at the whole texts, which were translated
// into sort weights once, into arrays of their own. Rows equal under both keys keep the order
// they had, so the result does not depend on how the work is split: large lists are read and
// sorted in two halves side by side and merged.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "list/ZOLSortSequence.h"

namespace kelvane {

enum class RowKeyKind { None, Number, Text };

struct RowKeySpec {
    RowKeyKind kind = RowKeyKind::None;
    bool ascending = true;
};

// The values of one row for the two keys; a key reads `numbers` or `texts` after its kind.
struct RowKeyValues {
    std::array<int32_t, 2> numbers{};
    std::array<std::string_view, 2> texts{};
};

// Fills the values of one row. It is called once per row, from up to two threads at a time
// (for different rows), so it must only read; the texts must stay valid until the sort ends.
using RowKeyReader = std::function<void(size_t row, RowKeyValues& values)>;

// The row numbers 0..count-1 ordered by the first key, then by the second; rows equal under
// both keep their given order. Texts compare by their `weights`: at the first position whose
// weights differ the smaller weight comes first; a text that is the beginning of the other
// comes first (the order of the sort sequence's comparison).
std::vector<uint32_t> SortRowsByKeys(size_t count, const std::array<RowKeySpec, 2>& keys,
                                     const SortWeightTable& weights, const RowKeyReader& read);

}  // namespace kelvane

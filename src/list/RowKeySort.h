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

#include "list/ZOLListTypes.h"
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
using RowKeyReader = std::function<void(const RowRef& row, RowKeyValues& values)>;

// The working memory of the sorts of one list, kept from one sort to the next: memory fresh
// from the system costs more to touch than the sort itself takes (a million rows sorted by a
// text use about 100 MB). Only SortRowsByKeys reads or writes the members.
struct RowSortBuffers {
    // One row during the sort (see RowKeySort.cpp).
    struct Item {
        uint64_t word = 0;
        uint32_t order = 0;
        uint32_t place = 0;
    };
    // A row's text as sort weights: `size` bytes at `offset` in arena `arena`.
    struct Text {
        uint64_t offset = 0;
        uint32_t size = 0;
        uint32_t arena = 0;
    };
    // The values of one key, by the place where a row was read.
    struct Key {
        std::vector<uint64_t> numbers;
        std::vector<Text> texts;
        std::array<std::vector<unsigned char>, 2> arenas;  // one for each thread that reads
    };
    // The read order: each row as its page number above its row number.
    std::vector<uint64_t> places;
    std::vector<uint64_t> spare;
    std::vector<Item> items;
    std::vector<Item> merged;
    std::array<Key, 2> keys;
    std::vector<RowRef> rows;
};

// Orders `rows` by the first key, then by the second; rows equal under both keep their order.
// Texts compare by their `weights`: at the first position whose weights differ the smaller
// weight comes first; a text that is the beginning of the other comes first (the order of the
// sort sequence's comparison). The rows are read in the order their records lie in memory,
// which over a large list is many times faster than reading them scattered.
void SortRowsByKeys(std::vector<RowRef>& rows, const std::array<RowKeySpec, 2>& keys,
                    const SortWeightTable& weights, const RowKeyReader& read,
                    RowSortBuffers& buffers);

}  // namespace kelvane

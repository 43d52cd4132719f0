#include "list/RowKeySort.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <iterator>
#include <system_error>
#include <thread>

namespace kelvane {
namespace {

// Below this many rows a second thread costs more than it saves.
constexpr size_t kSplitRows = 1u << 15;

struct SortItem {
    std::array<uint64_t, 2> words{};
    uint32_t row = 0;
};

// A row's text as sort weights: `size` bytes at `offset` in the arena of the row's half.
struct WeightText {
    uint64_t offset = 0;
    uint32_t size = 0;
};

// The weight texts of one text key: one entry per row, the bytes in one arena per half.
struct KeyTexts {
    std::vector<WeightText> rows;
    std::array<std::vector<unsigned char>, 2> arenas;
    size_t split = 0;  // rows from here on use the second arena

    // Whole texts compared, with the sequence's rules: <0, 0 or >0.
    int Compare(uint32_t a, uint32_t b) const {
        const WeightText& ta = rows[a];
        const WeightText& tb = rows[b];
        const unsigned char* da = arenas[a < split ? 0 : 1].data() + ta.offset;
        const unsigned char* db = arenas[b < split ? 0 : 1].data() + tb.offset;
        const size_t common = std::min(ta.size, tb.size);
        if (common > 0) {
            const int diff = std::memcmp(da, db, common);
            if (diff != 0) {
                return diff;
            }
        }
        return (ta.size > tb.size) - (ta.size < tb.size);
    }
};

// The first eight weights, big-endian, zeros after the end: a text that sorts before another
// never gets a greater word, and equal words leave the order to the whole texts.
uint64_t PrefixWord(std::string_view text, const SortWeightTable& weights) {
    uint64_t word = 0;
    for (size_t i = 0; i < 8; ++i) {
        word <<= 8;
        if (i < text.size()) {
            word |= weights[static_cast<unsigned char>(text[i])];
        }
    }
    return word;
}

uint64_t NumberWord(int32_t number) {
    return static_cast<uint32_t>(number) ^ 0x80000000u;
}

struct KeyTable {
    std::array<RowKeySpec, 2> keys;
    const SortWeightTable* weights = nullptr;
    std::vector<SortItem> items;
    std::array<KeyTexts, 2> texts;

    // Reads rows [begin, end) into the items and, for text keys, into arena `half`.
    void Fill(size_t begin, size_t end, int half, const RowKeyReader& read) {
        RowKeyValues values;
        for (size_t row = begin; row < end; ++row) {
            read(row, values);
            SortItem& item = items[row];
            item.row = static_cast<uint32_t>(row);
            for (size_t k = 0; k < keys.size(); ++k) {
                uint64_t word = 0;
                if (keys[k].kind == RowKeyKind::Number) {
                    word = NumberWord(values.numbers[k]);
                } else if (keys[k].kind == RowKeyKind::Text) {
                    word = PrefixWord(values.texts[k], *weights);
                    AddText(texts[k], half, row, values.texts[k]);
                }
                item.words[k] = keys[k].ascending ? word : ~word;
            }
        }
    }

    void AddText(KeyTexts& key, int half, size_t row, std::string_view text) const {
        std::vector<unsigned char>& arena = key.arenas[static_cast<size_t>(half)];
        const size_t offset = arena.size();
        key.rows[row] = {offset, static_cast<uint32_t>(text.size())};
        arena.resize(offset + text.size());
        unsigned char* out = arena.data() + offset;
        for (const char c : text) {
            *out++ = (*weights)[static_cast<unsigned char>(c)];
        }
    }

    int CompareTexts(size_t k, uint32_t a, uint32_t b) const {
        const int result = texts[k].Compare(a, b);
        return keys[k].ascending ? result : -result;
    }

    bool Less(const SortItem& a, const SortItem& b) const {
        for (size_t k = 0; k < keys.size(); ++k) {
            if (a.words[k] != b.words[k]) {
                return a.words[k] < b.words[k];
            }
            if (keys[k].kind == RowKeyKind::Text) {
                const int result = CompareTexts(k, a.row, b.row);
                if (result != 0) {
                    return result < 0;
                }
            }
        }
        return a.row < b.row;
    }
};

}  // namespace

std::vector<uint32_t> SortRowsByKeys(size_t count, const std::array<RowKeySpec, 2>& keys,
                                     const SortWeightTable& weights, const RowKeyReader& read) {
    KeyTable table;
    table.keys = keys;
    table.weights = &weights;
    table.items.resize(count);
    const bool split = count >= kSplitRows && std::thread::hardware_concurrency() > 1;
    const size_t half = split ? count / 2 : count;
    for (size_t k = 0; k < keys.size(); ++k) {
        if (keys[k].kind == RowKeyKind::Text) {
            table.texts[k].rows.resize(count);
            table.texts[k].split = half;
        }
    }
    const auto less = [&table](const SortItem& a, const SortItem& b) { return table.Less(a, b); };
    const auto first = table.items.begin();
    const auto middle = first + static_cast<std::ptrdiff_t>(half);
    const auto sortPart = [&](size_t begin, size_t end, int arena) {
        table.Fill(begin, end, arena, read);
        std::sort(first + static_cast<std::ptrdiff_t>(begin),
                  first + static_cast<std::ptrdiff_t>(end), less);
    };
    if (split) {
        std::exception_ptr failure;
        std::thread second;
        try {
            second = std::thread([&] {
                try {
                    sortPart(half, count, 1);
                } catch (...) {
                    failure = std::current_exception();
                }
            });
        } catch (const std::system_error&) {
            sortPart(half, count, 1);  // no thread to be had: the same work here
        }
        std::exception_ptr ownFailure;
        try {
            sortPart(0, half, 0);
        } catch (...) {
            ownFailure = std::current_exception();
        }
        if (second.joinable()) {
            second.join();
        }
        if (ownFailure || failure) {
            std::rethrow_exception(ownFailure ? ownFailure : failure);
        }
    } else {
        sortPart(0, count, 0);
    }
    std::vector<uint32_t> order;
    order.reserve(count);
    if (split) {
        std::vector<SortItem> merged;
        merged.reserve(count);
        std::merge(first, middle, middle, table.items.end(), std::back_inserter(merged), less);
        table.items.swap(merged);
    }
    for (const SortItem& item : table.items) {
        order.push_back(item.row);
    }
    return order;
}

}  // namespace kelvane

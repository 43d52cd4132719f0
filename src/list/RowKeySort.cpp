#include "list/RowKeySort.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <exception>
#include <system_error>
#include <thread>
#include <utility>

namespace kelvane {
namespace {

// Below this many rows a second thread costs more than it saves.
constexpr size_t kSplitRows = 1u << 15;

// A text is looked at in chunks of eight weights.
constexpr size_t kChunk = 8;
// The tag of a text that goes on after the chunk in hand.
constexpr uint32_t kGoesOn = kChunk + 1;
// A row number takes the low bits of an item's order word, the tag the bits above.
constexpr int kRowBits = 28;
constexpr uint32_t kRowMask = (1u << kRowBits) - 1;

// One row during the sort, with the part of one key that is being ordered: a number, or one
// chunk of a text plus its tag (the text's length when it ends within the chunk, else kGoesOn).
// `word` and the tag are stored so that their unsigned order is the key's order in its
// direction; the row number below the tag (`order` = tag << kRowBits | row) keeps equal rows
// in their order. `place` is where the row's values were read to.
using SortItem = RowSortBuffers::Item;

bool ItemLess(const SortItem& a, const SortItem& b) {
    return a.word != b.word ? a.word < b.word : a.order < b.order;
}

bool SamePart(const SortItem& a, const SortItem& b) {
    return a.word == b.word && (a.order >> kRowBits) == (b.order >> kRowBits);
}

using WeightText = RowSortBuffers::Text;
using KeyValues = RowSortBuffers::Key;

uint64_t NumberWord(int32_t number) {
    return static_cast<uint32_t>(number) ^ 0x80000000u;
}

class KeyedSort {
  public:
    // `buffers.places` holds the read order of `rows`.
    KeyedSort(const std::array<RowKeySpec, 2>& keys, const SortWeightTable& weights,
              const std::vector<RowRef>& rows, RowSortBuffers& buffers)
        : keys_(keys),
          weights_(weights),
          items_(buffers.items),
          rows_(rows),
          readOrder_(buffers.places),
          values_(buffers.keys) {
        items_.resize(rows.size());
        for (size_t k = 0; k < keys_.size(); ++k) {
            values_[k].arenas[0].clear();
            values_[k].arenas[1].clear();
            if (keys_[k].kind == RowKeyKind::Number) {
                values_[k].numbers.resize(items_.size());
            } else if (keys_[k].kind == RowKeyKind::Text) {
                values_[k].texts.resize(items_.size());
            }
        }
    }

    std::vector<SortItem>& Items() { return items_; }

    // Reads the rows at places [begin, end) of the read order (their texts into arena `arena`),
    // each into the item at its place, set to the first part of the first key.
    void Fill(size_t begin, size_t end, uint32_t arena, const RowKeyReader& read) {
        for (size_t k = 0; k < keys_.size(); ++k) {
            if (keys_[k].kind == RowKeyKind::Text) {
                values_[k].arenas[arena].reserve((end - begin) * 2 * kChunk);
            }
        }
        // In blocks: first the block's rows are looked up, then read, then their texts are
        // translated. The rows, their records and then their texts lie scattered in memory;
        // fetching a block of each at once waits for memory once per block, not per row.
        constexpr size_t kBlock = 64;
        std::array<const RowRef*, kBlock> refs;
        std::array<RowKeyValues, kBlock> block;
        for (size_t start = begin; start < end; start += kBlock) {
            const size_t stop = std::min(end, start + kBlock);
            for (size_t place = start; place < stop; ++place) {
                refs[place - start] = &rows_[readOrder_[place] & kRowMask];
            }
            for (size_t place = start; place < stop; ++place) {
                read(*refs[place - start], block[place - start]);
            }
            for (size_t place = start; place < stop; ++place) {
                const RowKeyValues& values = block[place - start];
                for (size_t k = 0; k < keys_.size(); ++k) {
                    if (keys_[k].kind == RowKeyKind::Number) {
                        const uint64_t word = NumberWord(values.numbers[k]);
                        values_[k].numbers[place] = keys_[k].ascending ? word : ~word;
                    } else if (keys_[k].kind == RowKeyKind::Text) {
                        AddText(values_[k], arena, place, values.texts[k]);
                    }
                }
                items_[place].order = static_cast<uint32_t>(readOrder_[place] & kRowMask);
                items_[place].place = static_cast<uint32_t>(place);
                Load(items_[place], 0, 0);
            }
        }
    }

    // Orders [begin, end), whose items hold the part (key, depth), and then every run of
    // rows equal in that part by what comes next.
    void Order(size_t begin, size_t end, size_t key, uint32_t depth) {
        std::sort(items_.begin() + static_cast<std::ptrdiff_t>(begin),
                  items_.begin() + static_cast<std::ptrdiff_t>(end), ItemLess);
        OrderRuns(begin, end, key, depth);
    }

    // [begin, end) is ordered by the part (key, depth): orders each run of equal parts by the
    // text's next chunk, or by the next key. A run is in row order already, which is the
    // order of rows equal under both keys.
    void OrderRuns(size_t begin, size_t end, size_t key, uint32_t depth) {
        struct Task {
            size_t begin, end, key;
            uint32_t depth;
        };
        std::vector<Task> tasks = {{begin, end, key, depth}};
        while (!tasks.empty()) {
            const Task task = tasks.back();
            tasks.pop_back();
            size_t first = task.begin;
            while (first < task.end) {
                size_t last = first + 1;
                while (last < task.end && SamePart(items_[first], items_[last])) {
                    ++last;
                }
                if (last - first > 1) {
                    Task next{first, last, task.key, task.depth + 1};
                    if (!GoesOn(items_[first], task.key)) {
                        next = {first, last, task.key + 1, 0};
                        while (next.key < keys_.size() &&
                               keys_[next.key].kind == RowKeyKind::None) {
                            ++next.key;
                        }
                    }
                    if (next.key < keys_.size()) {
                        LoadAll(first, last, next.key, next.depth);
                        std::sort(items_.begin() + static_cast<std::ptrdiff_t>(first),
                                  items_.begin() + static_cast<std::ptrdiff_t>(last), ItemLess);
                        tasks.push_back(next);
                    }
                }
                first = last;
            }
        }
    }

  private:
    // Loads the part (key, depth) into the items [begin, end). Their texts lie scattered;
    // each is asked for from memory a few items before it is needed.
    void LoadAll(size_t begin, size_t end, size_t key, uint32_t depth) {
        const KeyValues& values = values_[key];
        const bool text = keys_[key].kind == RowKeyKind::Text;
        constexpr size_t kAhead = 8;
        for (size_t i = begin; i < end; ++i) {
            if (text && i + 2 * kAhead < end) {
                __builtin_prefetch(&values.texts[items_[i + 2 * kAhead].place]);
            }
            if (text && i + kAhead < end) {
                const WeightText& ahead = values.texts[items_[i + kAhead].place];
                __builtin_prefetch(values.arenas[ahead.arena].data() + ahead.offset +
                                   static_cast<size_t>(depth) * kChunk);
            }
            Load(items_[i], key, depth);
        }
    }

    void AddText(KeyValues& key, uint32_t arena, size_t place, std::string_view text) const {
        std::vector<unsigned char>& bytes = key.arenas[arena];
        const size_t offset = bytes.size();
        key.texts[place] = {offset, static_cast<uint32_t>(text.size()), arena};
        bytes.resize(offset + text.size());
        unsigned char* out = bytes.data() + offset;
        for (const char c : text) {
            *out++ = weights_[static_cast<unsigned char>(c)];
        }
    }

    // Does the item's text go on after the chunk in hand (text keys only)?
    bool GoesOn(const SortItem& item, size_t key) const {
        if (keys_[key].kind != RowKeyKind::Text) {
            return false;
        }
        return (item.order >> kRowBits) == (keys_[key].ascending ? kGoesOn : 0);
    }

    // Sets the item to the part (key, depth) of its row: the number, or chunk `depth` of the
    // text, big-endian with zeros after the end, tagged with the length left when it ends
    // there. A text that ends earlier never gets a greater chunk than one that goes on with
    // the same weights (weights and padding are both 0 at worst), and the tag orders them.
    void Load(SortItem& item, size_t key, uint32_t depth) const {
        const KeyValues& values = values_[key];
        uint64_t word = 0;
        uint32_t tag = 0;
        if (keys_[key].kind == RowKeyKind::Number) {
            word = values.numbers[item.place];
        } else if (keys_[key].kind == RowKeyKind::Text) {
            const WeightText& text = values.texts[item.place];
            const size_t start = static_cast<size_t>(depth) * kChunk;
            const size_t left = text.size > start ? text.size - start : 0;
            const unsigned char* bytes = values.arenas[text.arena].data() + text.offset + start;
            for (size_t i = 0; i < kChunk; ++i) {
                word = (word << 8) | (i < left ? bytes[i] : 0u);
            }
            tag = left > kChunk ? kGoesOn : static_cast<uint32_t>(left);
            if (!keys_[key].ascending) {
                word = ~word;
                tag = kGoesOn - tag;
            }
        }
        item.word = word;
        item.order = (tag << kRowBits) | (item.order & kRowMask);
    }

    std::array<RowKeySpec, 2> keys_;
    const SortWeightTable& weights_;
    std::vector<SortItem>& items_;
    const std::vector<RowRef>& rows_;
    const std::vector<uint64_t>& readOrder_;
    std::array<KeyValues, 2>& values_;
};

// Runs `second` on another thread while `first` runs here; both finish before it returns and
// the first failure of either is rethrown. Without a thread to be had, both run here.
template <class First, class Second>
void SideBySide(const First& first, const Second& second) {
    std::exception_ptr failure;
    std::thread thread;
    try {
        thread = std::thread([&] {
            try {
                second();
            } catch (...) {
                failure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        second();
    }
    std::exception_ptr ownFailure;
    try {
        first();
    } catch (...) {
        ownFailure = std::current_exception();
    }
    if (thread.joinable()) {
        thread.join();
    }
    if (ownFailure || failure) {
        std::rethrow_exception(ownFailure ? ownFailure : failure);
    }
}

// The start of a run of equal parts nearest to `index` (0 when one run covers everything).
size_t RunBoundaryNear(const std::vector<SortItem>& items, size_t index) {
    size_t up = index;
    size_t down = index;
    while (true) {
        if (up < items.size() && (up == 0 || !SamePart(items[up - 1], items[up]))) {
            return up;
        }
        if (down > 0 && !SamePart(items[down - 1], items[down])) {
            return down;
        }
        if (up >= items.size() && down == 0) {
            return 0;
        }
        up += up < items.size() ? 1 : 0;
        down -= down > 0 ? 1 : 0;
    }
}

// Sets `places` to the rows in the order of the memory pages their records lie on (rows on
// one page keep their order). Records scattered over a gigabyte are read many times faster in
// this order, which touches each page once, than in the order of the rows. A radix sort, 11
// bits at a time, of words that hold the page number above the row number (8 bytes a row: the
// sort's memory stays small next to a million records).
void ReadOrder(const std::vector<RowRef>& rows, std::vector<uint64_t>& places,
               std::vector<uint64_t>& spare) {
    const auto address = [](const RowRef& row) {
        return reinterpret_cast<uintptr_t>(row.song != nullptr ? static_cast<const void*>(row.song)
                                                               : row.style);
    };
    uintptr_t low = UINTPTR_MAX;
    uintptr_t high = 0;
    for (const RowRef& row : rows) {
        low = std::min(low, address(row));
        high = std::max(high, address(row));
    }
    // Pages of 4 KB, or larger ones when the span is too wide for the bits above the row.
    const int pageShift = std::max(12, static_cast<int>(std::bit_width(high - low)) - 36);
    places.resize(rows.size());
    spare.resize(rows.size());
    for (size_t row = 0; row < rows.size(); ++row) {
        places[row] = (((address(rows[row]) - low) >> pageShift) << kRowBits) | row;
    }
    constexpr int kDigitBits = 11;
    constexpr uint64_t kDigitMask = (uint64_t{1} << kDigitBits) - 1;
    std::array<size_t, size_t{1} << kDigitBits> starts{};
    const int topBit = kRowBits + static_cast<int>(std::bit_width((high - low) >> pageShift));
    for (int shift = kRowBits; shift < topBit; shift += kDigitBits) {
        starts.fill(0);
        for (const uint64_t place : places) {
            ++starts[(place >> shift) & kDigitMask];
        }
        if (std::find(starts.begin(), starts.end(), rows.size()) != starts.end()) {
            continue;  // every row has the same digit here
        }
        size_t sum = 0;
        for (size_t& start : starts) {
            sum += std::exchange(start, sum);
        }
        for (const uint64_t place : places) {
            spare[starts[(place >> shift) & kDigitMask]++] = place;
        }
        places.swap(spare);
    }
}

}  // namespace

void SortRowsByKeys(std::vector<RowRef>& rows, const std::array<RowKeySpec, 2>& rowKeys,
                    const SortWeightTable& weights, const RowKeyReader& read,
                    RowSortBuffers& buffers) {
    const size_t count = rows.size();
    if (count > kRowMask) {  // beyond any list that fits in memory: left as it is
        return;
    }
    std::array<RowKeySpec, 2> keys = rowKeys;
    if (keys[0].kind == RowKeyKind::None) {
        std::swap(keys[0], keys[1]);  // a first key that does not sort leaves it to the second
    }
    const bool split = count >= kSplitRows && std::thread::hardware_concurrency() > 1;
    const size_t half = split ? count / 2 : count;
    ReadOrder(rows, buffers.places, buffers.spare);
    KeyedSort sort(keys, weights, rows, buffers);
    std::vector<SortItem>& items = buffers.items;
    const auto at = [&items](size_t index) {
        return items.begin() + static_cast<std::ptrdiff_t>(index);
    };
    if (!split) {
        sort.Fill(0, count, 0, read);
        sort.Order(0, count, 0, 0);
    } else {
        // Each half read and ordered by the first part on a thread of its own, merged, then
        // the runs of equal first parts ordered further in two groups.
        SideBySide(
            [&] {
                sort.Fill(0, half, 0, read);
                std::sort(at(0), at(half), ItemLess);
            },
            [&] {
                sort.Fill(half, count, 1, read);
                std::sort(at(half), at(count), ItemLess);
            });
        buffers.merged.resize(count);
        std::merge(at(0), at(half), at(half), at(count), buffers.merged.begin(), ItemLess);
        items.swap(buffers.merged);
        const size_t middle = RunBoundaryNear(items, half);
        SideBySide([&] { sort.OrderRuns(0, middle, 0, 0); },
                   [&] { sort.OrderRuns(middle, count, 0, 0); });
    }
    buffers.rows.resize(count);
    for (size_t i = 0; i < count; ++i) {
        buffers.rows[i] = rows[items[i].order & kRowMask];
    }
    rows.swap(buffers.rows);
}

}  // namespace kelvane

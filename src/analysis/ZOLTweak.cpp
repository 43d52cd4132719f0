#include "analysis/ZOLTweak.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <vector>

#include "support/NUVCrc32.h"
#include "support/NUVTrace.h"

namespace kelvane {
namespace {

// Below this many words a comparison sort beats the four counting passes.
constexpr size_t kRadixThreshold = 256;
// Runs of equal ticks up to this length are sorted by insertion.
constexpr size_t kInsertionRun = 16;

uint32_t* NewZeroedWords(size_t count) {
    return new (std::nothrow) uint32_t[count]();
}

// The (kind, note) order of an item's second word (kind in the low half, note in the high).
inline uint32_t KindNoteKey(uint32_t word) {
    return (word << 16) | (word >> 16);
}

}  // namespace

CZOLTweak::CZOLTweak() {
    words_.reset(NewZeroedWords(2 * kInitialItems));
    scratch_.reset(new (std::nothrow) uint32_t[kInitialItems]);
    if (words_ != nullptr && scratch_ != nullptr) {
        capacity_ = kInitialItems;
    } else {
        words_.reset();
        scratch_.reset();
    }
}

void CZOLTweak::Reset() {
    if (count_ > 0) {
        std::memset(words_.get(), 0, 2 * count_ * sizeof(uint32_t));
    }
    maxUsed_ = std::max(maxUsed_, count_);
    count_ = 0;
    lastId_ = 0;
    growthLogged_ = false;
}

StatusCode CZOLTweak::Grow() {
    const size_t capacity = capacity_ + kGrowthItems;
    std::unique_ptr<uint32_t[]> words(growthRefused_ ? nullptr : NewZeroedWords(2 * capacity));
    std::unique_ptr<uint32_t[]> scratch(words == nullptr ? nullptr
                                                         : new (std::nothrow) uint32_t[capacity]);
    if (words == nullptr || scratch == nullptr) {
        // Once per file: a dense file would otherwise log every note it has left.
        if (!growthLogged_) {
            growthLogged_ = true;
            TraceLine(trace::kAlways, true, "Running out of memory for tweak array...");
        }
        return status::kTweakOutOfMemory;
    }
    if (count_ > 0) {
        std::memcpy(words.get(), words_.get(), 2 * count_ * sizeof(uint32_t));
    }
    words_ = std::move(words);
    scratch_ = std::move(scratch);
    capacity_ = capacity;
    return status::kOk;
}

// Ascending as unsigned numbers: least significant byte first, one counting pass per byte,
// passes in which every word has the same byte left out.
void CZOLTweak::SortWords(uint32_t* words, size_t n) {
    if (n < kRadixThreshold) {
        std::sort(words, words + n);
        return;
    }
    size_t histogram[4 * 256] = {};
    for (size_t i = 0; i < n; ++i) {
        const uint32_t w = words[i];
        ++histogram[w & 0xFF];
        ++histogram[256 + ((w >> 8) & 0xFF)];
        ++histogram[512 + ((w >> 16) & 0xFF)];
        ++histogram[768 + (w >> 24)];
    }
    uint32_t* from = words;
    uint32_t* to = scratch_.get();
    for (int pass = 0; pass < 4; ++pass) {
        size_t* counts = histogram + 256 * pass;
        const int shift = 8 * pass;
        if (counts[(from[0] >> shift) & 0xFF] == n) {
            continue;  // every word has this byte: the order stays
        }
        size_t offset = 0;
        for (int b = 0; b < 256; ++b) {
            const size_t c = counts[b];
            counts[b] = offset;
            offset += c;
        }
        for (size_t i = 0; i < n; ++i) {
            to[counts[(from[i] >> shift) & 0xFF]++] = from[i];
        }
        std::swap(from, to);
    }
    if (from != words) {
        std::memcpy(words, from, n * sizeof(uint32_t));
    }
}

// Steps b and c of the id: swapping neighbours of equal tick while their kinds, then (for
// equal kinds) their notes are out of order, until nothing moves, leaves every run of equal
// ticks ordered by kind and note. Items equal in all three are equal bytes, so any sort of a
// run by (kind, note) gives the same array.
void CZOLTweak::SortRunsByKindAndNote() {
    uint32_t* w = words_.get();
    size_t i = 0;
    while (i < count_) {
        size_t j = i + 1;
        while (j < count_ && w[2 * j] == w[2 * i]) {
            ++j;
        }
        const size_t run = j - i;
        if (run >= 2) {
            uint32_t* keys = scratch_.get();
            for (size_t k = 0; k < run; ++k) {
                keys[k] = KindNoteKey(w[2 * (i + k) + 1]);
            }
            if (run <= kInsertionRun) {
                for (size_t k = 1; k < run; ++k) {
                    const uint32_t key = keys[k];
                    size_t m = k;
                    for (; m > 0 && keys[m - 1] > key; --m) {
                        keys[m] = keys[m - 1];
                    }
                    keys[m] = key;
                }
            } else {
                std::sort(keys, keys + run);
            }
            for (size_t k = 0; k < run; ++k) {
                w[2 * (i + k) + 1] = KindNoteKey(keys[k]);  // the swap is its own inverse
            }
        }
        i = j;
    }
}

int32_t CZOLTweak::TweakId() {
    if (count_ == 0) {
        lastId_ = 0;
        return 0;
    }
    if (count_ >= 2) {
        SortWords(words_.get(), count_);
        SortRunsByKindAndNote();
    }
    uint32_t crc = 0;
    if constexpr (std::endian::native == std::endian::little) {
        NUVCalcCRC32ofBuffer(words_.get(), count_ * 8, crc);
    } else {
        std::vector<uint8_t> bytes(count_ * 8);
        CopyItemBytes(bytes.data());
        NUVCalcCRC32ofBuffer(bytes.data(), bytes.size(), crc);
    }
    lastId_ = static_cast<int32_t>(crc);
    return lastId_;
}

void CZOLTweak::CopyItemBytes(uint8_t* out) const {
    for (size_t i = 0; i < 2 * count_; ++i) {
        const uint32_t w = words_[i];
        out[4 * i] = static_cast<uint8_t>(w);
        out[4 * i + 1] = static_cast<uint8_t>(w >> 8);
        out[4 * i + 2] = static_cast<uint8_t>(w >> 16);
        out[4 * i + 3] = static_cast<uint8_t>(w >> 24);
    }
}

}  // namespace kelvane

#include "analysis/ZOLTweak.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <new>
#include <vector>

#include "support/FaultPoints.h"
#include "support/NUVCrc32.h"
#include "support/NUVTrace.h"

namespace kelvane {
namespace {

std::atomic<size_t>& RunMaximum() {
    static std::atomic<size_t> maximum{0};
    return maximum;
}

void NoteRunMaximum(size_t count) {
    size_t known = RunMaximum().load();
    while (count > known && !RunMaximum().compare_exchange_weak(known, count)) {
    }
}

// Below this many words a comparison sort beats the counting passes.
constexpr size_t kRadixThreshold = 256;
// Ticks in up to this many ascending runs are merged rather than sorted.
constexpr size_t kMaxMergedRuns = 8;
// From this many words on, two passes of 12 bits beat three of 8.
constexpr size_t kWideRadixThreshold = 32768;
// Runs of equal ticks up to this length are sorted by insertion.
constexpr size_t kInsertionRun = 16;

// Left uninitialised: only the words of the items added are ever read, and memory not
// written is not touched at all (an analyser of a small file uses a few pages of it).
uint32_t* NewWords(size_t count) {
    return new (std::nothrow) uint32_t[count];
}

// The (kind, note) order of an item's second word (kind in the low half, note in the high).
inline uint32_t KindNoteKey(uint32_t word) {
    return (word << 16) | (word >> 16);
}

}  // namespace

CZOLTweak::CZOLTweak() {
    words_.reset(NewWords(2 * kInitialItems));
    scratch_.reset(new (std::nothrow) uint32_t[kInitialItems + 2]);
    if (words_ != nullptr && scratch_ != nullptr) {
        capacity_ = kInitialItems;
        next_ = words_.get();
        limit_ = next_ + 2 * capacity_;
    } else {
        words_.reset();
        scratch_.reset();
    }
}

// The items beyond the count are never read (the accessors give 0 for them), so they need
// not be cleared: Add writes both words of every item it appends.
void CZOLTweak::Reset() {
    maxUsed_ = std::max(maxUsed_, Count());
    count_ = 0;
    next_ = words_.get();
    lastId_ = 0;
    growthLogged_ = false;
}

StatusCode CZOLTweak::Grow() {
    const size_t capacity = std::min(std::max<size_t>(2 * capacity_, kInitialItems), kMaxItems);
    const bool capped = capacity <= capacity_;
    std::unique_ptr<uint32_t[]> words(
        FaultArmed(FaultPoint::TweakGrowth) || capped ? nullptr : NewWords(2 * capacity));
    std::unique_ptr<uint32_t[]> scratch(
        words == nullptr ? nullptr : new (std::nothrow) uint32_t[capacity + 2]);
    if (words == nullptr || scratch == nullptr) {
        // Once per file: a dense file would otherwise log every note it has left.
        if (!growthLogged_) {
            growthLogged_ = true;
            TraceLine(trace::kAlways, true,
                      capped ? "Warning - more notes than the tweak array holds - no tweak id"
                             : "Running out of memory for tweak array...");
        }
        return status::kTweakOutOfMemory;
    }
    const size_t count = Count();
    if (count > 0) {
        std::memcpy(words.get(), words_.get(), 2 * count * sizeof(uint32_t));
    }
    words_ = std::move(words);
    scratch_ = std::move(scratch);
    capacity_ = capacity;
    next_ = words_.get() + 2 * count;
    limit_ = words_.get() + 2 * capacity_;
    return status::kOk;
}

namespace {

// One counting pass of a least-significant-digit radix sort: `from` ordered by the digit
// (word >> Shift) & Mask into `to`; `counts` holds the digit histogram and is consumed.
template <int Shift, uint32_t Mask>
void ScatterByDigit(const uint32_t* __restrict from, uint32_t* __restrict to, size_t n,
                    uint32_t* __restrict counts) {
    uint32_t offset = 0;
    for (uint32_t b = 0; b <= Mask; ++b) {
        const uint32_t c = counts[b];
        counts[b] = offset;
        offset += c;
    }
    for (size_t i = 0; i < n; ++i) {
        const uint32_t w = from[i];
        to[counts[(w >> Shift) & Mask]++] = w;
    }
}

// The 8-bit pass of digit `pass` (0 = lowest).
void ScatterByte(int pass, const uint32_t* from, uint32_t* to, size_t n, uint32_t* counts) {
    switch (pass) {
        case 0:
            return ScatterByDigit<0, 0xFF>(from, to, n, counts);
        case 1:
            return ScatterByDigit<8, 0xFF>(from, to, n, counts);
        case 2:
            return ScatterByDigit<16, 0xFF>(from, to, n, counts);
        default:
            return ScatterByDigit<24, 0xFF>(from, to, n, counts);
    }
}

// Merges the ascending runs of `a` (run r spans starts[r] .. starts[r + 1]) pairwise until one
// is left, alternating between `a` and `b`; returns the buffer that holds the result.
uint32_t* MergeRuns(uint32_t* a, uint32_t* b, size_t* starts, size_t runs) {
    while (runs > 1) {
        size_t merged = 0;
        for (size_t r = 0; r < runs; r += 2) {
            const size_t lo = starts[r];
            const size_t mid = starts[std::min(r + 1, runs)];
            const size_t hi = starts[std::min(r + 2, runs)];
            size_t x = lo, y = mid, out = lo;
            // From both ends at once: the smallest head goes to the front and the largest
            // tail to the back, two independent chains the processor overlaps. Equal words
            // are equal bytes, so the order of ties does not matter. A step takes at most one
            // word of each run from each end, so with two unread words in each run neither end
            // can reach a word the other has taken.
            size_t xe = mid - 1, ye = hi - 1, back = hi - 1;
            while (x < xe && y < ye) {
                const bool second = a[y] < a[x];
                b[out++] = second ? a[y] : a[x];
                y += second;
                x += !second;
                const bool first = a[xe] > a[ye];
                b[back--] = first ? a[xe] : a[ye];
                xe -= first;
                ye -= !first;
            }
            const size_t xEnd = xe + 1, yEnd = ye + 1;
            while (x < xEnd && y < yEnd) {
                // Without a branch: the smaller head goes out.
                const bool second = a[y] < a[x];
                b[out++] = second ? a[y] : a[x];
                y += second;
                x += !second;
            }
            while (x < xEnd) {
                b[out++] = a[x++];
            }
            while (y < yEnd) {
                b[out++] = a[y++];
            }
            starts[merged++] = lo;
        }
        starts[merged] = starts[runs];
        runs = merged;
        std::swap(a, b);
    }
    return a;
}

}  // namespace

// Ascending as unsigned numbers, by counting passes over 8-bit digits, leaving out those in
// which every word has the same digit (the upper ones are counted only when a word uses them).
// Many words below 2^24 take two passes of 12 bits instead (for few words their larger
// histograms cost more than the pass they save).
void CZOLTweak::SortWords(uint32_t* words, size_t n, uint32_t* scratch) {
    if (n < kRadixThreshold) {
        std::sort(words, words + n);
        return;
    }
    uint32_t counts[4][256] = {};
    uint32_t any = 0;
    for (size_t i = 0; i < n; ++i) {
        const uint32_t w = words[i];
        any |= w;
        ++counts[0][w & 0xFF];
        ++counts[1][(w >> 8) & 0xFF];
    }
    if (n >= kWideRadixThreshold && any < (1u << 24)) {
        static thread_local uint32_t wide[2][4096];
        std::memset(wide, 0, sizeof wide);
        for (size_t i = 0; i < n; ++i) {
            ++wide[0][words[i] & 0xFFF];
            ++wide[1][(words[i] >> 12) & 0xFFF];
        }
        ScatterByDigit<0, 0xFFF>(words, scratch, n, wide[0]);
        ScatterByDigit<12, 0xFFF>(scratch, words, n, wide[1]);
        return;
    }
    if (any >= (1u << 16)) {
        for (size_t i = 0; i < n; ++i) {
            ++counts[2][(words[i] >> 16) & 0xFF];
            ++counts[3][words[i] >> 24];
        }
    }
    uint32_t* from = words;
    uint32_t* to = scratch;
    for (int pass = 0; pass < 4; ++pass) {
        const int shift = 8 * pass;
        if (shift >= 16 && any < (1u << 16)) {
            break;  // no word has these digits
        }
        if (counts[pass][(from[0] >> shift) & 0xFF] == n) {
            continue;  // every word has this digit: the order stays
        }
        ScatterByte(pass, from, to, n, counts[pass]);
        std::swap(from, to);
    }
    if (from != words) {
        std::memcpy(words, from, n * sizeof(uint32_t));
    }
}

// Step a for the usual notes. The first count words are the ticks of the first half of the
// items (even places) and their kind/note words (odd places). The kind/note words take at most
// 256 values (kind 1 or 2, note below 128) and are counted; the ticks come in ascending runs,
// one per track, and are only sorted when there is more than one run. Both lists merged in
// ascending order are the sorted words. Anything else goes to the plain sort.
void CZOLTweak::SortFirstWords() {
    uint32_t* w = words_.get();
    const size_t n = count_;
    const size_t ticks = (n + 1) / 2;
    const size_t seconds = n / 2;
    uint32_t noteCounts[256] = {};
    uint32_t* t = scratch_.get();
    // Where each ascending run of ticks starts (the tracks read one after the other).
    size_t runStarts[kMaxMergedRuns + 1];
    size_t runs = 1;
    runStarts[0] = 0;
    uint32_t previous = 0;
    for (size_t k = 0; k < ticks; ++k) {
        const uint32_t tick = w[2 * k];
        t[k] = tick;
        if (tick < previous) {
            if (runs < kMaxMergedRuns) {
                runStarts[runs] = k;
            }
            ++runs;
        }
        previous = tick;
        if (k < seconds) {
            const uint32_t word = w[2 * k + 1];
            const uint32_t kind = (word & 0xFFFF) - 1;
            const uint32_t note = word >> 16;
            if (kind > 1 || note > 127) {
                SortWords(w, n, scratch_.get());
                return;
            }
            ++noteCounts[note * 2 + kind];
        }
    }
    if (runs > kMaxMergedRuns) {
        SortWords(t, ticks, t + ticks);
    } else if (runs > 1) {
        runStarts[runs] = ticks;
        t = MergeRuns(t, t + ticks, runStarts, runs);
    }
    size_t slot = 0;
    while (slot < 256 && noteCounts[slot] == 0) {
        ++slot;
    }
    size_t out = 0;
    size_t i = 0;
    // Usually every tick is below every note word: the ticks first, then the note words.
    if (slot < 256 && (ticks == 0 || t[ticks - 1] < (((slot >> 1) << 16) | ((slot & 1) + 1)))) {
        std::memcpy(w, t, ticks * sizeof(uint32_t));
        out = i = ticks;
    }
    for (; slot < 256; ++slot) {
        const uint32_t c = noteCounts[slot];
        if (c == 0) {
            continue;
        }
        const uint32_t value = static_cast<uint32_t>(((slot >> 1) << 16) | ((slot & 1) + 1));
        while (i < ticks && t[i] < value) {
            w[out++] = t[i++];
        }
        std::fill(w + out, w + out + c, value);
        out += c;
    }
    while (i < ticks) {
        w[out++] = t[i++];
    }
}

// Steps b and c of the id: swapping neighbours of equal tick while their kinds, then (for
// equal kinds) their notes are out of order, until nothing moves, leaves every run of equal
// ticks ordered by kind and note. Items equal in all three are equal bytes, so any sort of a
// run by (kind, note) gives the same array.
void CZOLTweak::SortRunsByKindAndNote() {
    uint32_t* w = words_.get();
    size_t i = 0;
    // The first count / 2 items are pairs of sorted words: in a run of equal ticks v, every
    // second word is v too but the last one's, u >= v. Ordered by (kind, note) the run holds
    // u first when its key is the smaller, v everywhere else. A run that reaches the items
    // after them goes the general way.
    const size_t sorted = count_ / 2;
    while (i + 1 < sorted) {
        if (w[2 * i] != w[2 * i + 2]) {
            ++i;
            continue;
        }
        size_t j = i + 2;
        while (j < sorted && w[2 * j] == w[2 * i]) {
            ++j;
        }
        if (j == sorted) {
            break;
        }
        uint32_t& first = w[2 * i + 1];
        uint32_t& last = w[2 * (j - 1) + 1];
        if (KindNoteKey(last) < KindNoteKey(first)) {
            std::swap(first, last);
        }
        i = j;
    }
    while (i + 1 < count_) {
        if (w[2 * i] != w[2 * i + 2]) {
            ++i;
            continue;
        }
        size_t j = i + 2;
        while (j < count_ && w[2 * j] == w[2 * i]) {
            ++j;
        }
        const size_t run = j - i;
        if (run == 2) {
            // The usual run (a chord of two, a note ending where the next begins): one swap.
            uint32_t& first = w[2 * i + 1];
            uint32_t& second = w[2 * i + 3];
            if (KindNoteKey(first) > KindNoteKey(second)) {
                std::swap(first, second);
            }
            i = j;
            continue;
        }
        uint32_t* keys = scratch_.get();
        for (size_t k = 0; k < run; ++k) {
            keys[k] = KindNoteKey(w[2 * (i + k) + 1]);
        }
        bool ordered = true;
        for (size_t k = 1; k < run && ordered; ++k) {
            ordered = keys[k - 1] <= keys[k];
        }
        if (ordered) {
            i = j;
            continue;
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
        i = j;
    }
}

size_t CZOLTweak::MaxUsedOfRun() {
    return RunMaximum().load();
}

int32_t CZOLTweak::TweakId() {
    count_ = Count();
    NoteRunMaximum(count_);
    if (count_ == 0 || Overflowed()) {
        lastId_ = 0;
        return 0;
    }
    if (count_ >= 2) {
        SortFirstWords();
        SortRunsByKindAndNote();
    }
    uint32_t crc = 0;
    if constexpr (std::endian::native == std::endian::little) {
        NUVCalcCRC32ofBuffer(words_.get(), count_ * 8, crc);
    } else {
        std::vector<uint8_t> bytes(count_ * 8);  // count_ is Count() here
        CopyItemBytes(bytes.data());
        NUVCalcCRC32ofBuffer(bytes.data(), bytes.size(), crc);
    }
    lastId_ = static_cast<int32_t>(crc);
    return lastId_;
}

void CZOLTweak::CopyItemBytes(uint8_t* out) const {
    for (size_t i = 0; i < 2 * Count(); ++i) {
        const uint32_t w = words_[i];
        out[4 * i] = static_cast<uint8_t>(w);
        out[4 * i + 1] = static_cast<uint8_t>(w >> 8);
        out[4 * i + 2] = static_cast<uint8_t>(w >> 16);
        out[4 * i + 3] = static_cast<uint8_t>(w >> 24);
    }
}

}  // namespace kelvane

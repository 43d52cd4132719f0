// CommonStringPool: one set of distinct texts per field (47 pools: 0..34 the style or midi
// field of the same id, 35..46 the song fields). Records refer to pooled texts instead of
// holding copies, so a folder shared by thousands of files is stored once.
//
// Layout: texts live in large character chunks, their PooledText entries in fixed-size entry
// chunks, so both keep their addresses until the pools are cleared. Each pool has 32 buckets
// chosen by the first byte of the text (unsigned, modulo 32) which give the enumeration
// order, plus an open-addressing hash index over the same entries so that interning stays
// O(1) when a pool holds a hundred thousand names. Clearing keeps every chunk, bucket and
// index allocation for the next fill, so a rescan of the same tree allocates nothing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/NonCopyable.h"
#include "records/ZOLFieldIds.h"

namespace kelvane {

// One distinct text of a pool; its address is stable until the pools are cleared.
struct PooledText {
    std::string_view text;        // NUL-terminated in its chunk
    uint32_t bucketPosition = 0;  // index within its bucket, for enumeration
};

struct StringPoolStats {
    size_t texts = 0;          // distinct texts over all pools
    size_t textBytes = 0;      // their bytes, terminators included
    size_t reservedBytes = 0;  // memory held by chunks, buckets and indexes
    size_t allocations = 0;    // chunk, bucket and index allocations since construction
};

class CommonStringPool : NonCopyable {
  public:
    static constexpr int kBucketCount = 32;

    CommonStringPool();
    ~CommonStringPool();

    // The permanent empty text of new records; it belongs to no pool.
    static const PooledText* EmptyText();

    // The pool's entry equal to `text` (byte for byte), added when missing. An empty text
    // yields EmptyText(). nullptr when the pool number is outside 0..46 or memory runs out.
    const PooledText* Intern(int pool, std::string_view text);
    // The entry equal to `text`, or nullptr; never adds.
    const PooledText* Find(int pool, std::string_view text) const;
    // The pool's next text after `cursor` in bucket order (nullptr cursor: the first one);
    // nullptr at the end, for a pool outside 0..46 or a cursor that is not in the pool.
    const PooledText* Next(int pool, const PooledText* cursor) const;

    size_t Count(int pool) const;
    // Empties every pool; the texts handed out so far become invalid.
    void Clear();
    // Empties every pool and gives all memory back.
    void ReleaseMemory();
    StringPoolStats Stats() const;

  private:
    struct Pool {
        std::array<std::vector<const PooledText*>, kBucketCount> buckets;
        std::vector<const PooledText*> index;  // open addressing, size a power of two
        size_t count = 0;
    };

    static size_t BucketOf(std::string_view text);
    size_t IndexSlot(const Pool& pool, std::string_view text) const;
    void GrowIndex(Pool& pool);
    char* StoreText(std::string_view text);
    PooledText* NewEntry();

    std::array<Pool, kStringPoolCount> pools_;
    struct TextChunk {
        std::unique_ptr<char[]> bytes;
        size_t size = 0;
    };

    // Character chunks: filled in order; chunk `textChunk_` is being filled up to textUsed_.
    std::vector<TextChunk> textChunks_;
    size_t textChunk_ = 0;
    size_t textUsed_ = 0;
    // Entry chunks of kEntriesPerChunk entries; entriesUsed_ counts across chunks.
    std::vector<std::unique_ptr<PooledText[]>> entryChunks_;
    size_t entriesUsed_ = 0;
    size_t textBytes_ = 0;
    size_t allocations_ = 0;
};

}  // namespace kelvane

#include "records/ZOLCommonStringPool.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>

namespace kelvane {
namespace {

constexpr size_t kTextChunkSize = 64 * 1024;
constexpr size_t kEntriesPerChunk = 1024;
constexpr size_t kMinIndexSize = 64;

bool ValidPool(int pool) {
    return pool >= 0 && pool < kStringPoolCount;
}

}  // namespace

CommonStringPool::CommonStringPool() = default;
CommonStringPool::~CommonStringPool() = default;

const PooledText* CommonStringPool::EmptyText() {
    static const PooledText empty{std::string_view("", 0), 0};
    return &empty;
}

size_t CommonStringPool::BucketOf(std::string_view text) {
    return static_cast<unsigned char>(text.front()) % kBucketCount;
}

size_t CommonStringPool::IndexSlot(const Pool& pool, std::string_view text) const {
    const size_t mask = pool.index.size() - 1;
    size_t slot = std::hash<std::string_view>{}(text)&mask;
    while (pool.index[slot] != nullptr && pool.index[slot]->text != text) {
        slot = (slot + 1) & mask;
    }
    return slot;
}

void CommonStringPool::GrowIndex(Pool& pool) {
    const size_t size = std::max(kMinIndexSize, pool.index.size() * 2);
    pool.index.assign(size, nullptr);
    ++allocations_;
    for (const auto& bucket : pool.buckets) {
        for (const PooledText* entry : bucket) {
            pool.index[IndexSlot(pool, entry->text)] = entry;
        }
    }
}

char* CommonStringPool::StoreText(std::string_view text) {
    const size_t need = text.size() + 1;
    if (textChunk_ < textChunks_.size() && textChunks_[textChunk_].size - textUsed_ < need) {
        ++textChunk_;
        textUsed_ = 0;
    }
    // After a Clear the chunks of the previous fill are reused in order; a text longer than
    // the next chunk gets a chunk of its own in front of it.
    if (textChunk_ >= textChunks_.size() || textChunks_[textChunk_].size < need) {
        const size_t size = std::max(kTextChunkSize, need);
        TextChunk chunk{std::make_unique_for_overwrite<char[]>(size), size};
        textChunks_.insert(textChunks_.begin() + static_cast<std::ptrdiff_t>(textChunk_),
                           std::move(chunk));
        textUsed_ = 0;
        ++allocations_;
    }
    char* out = textChunks_[textChunk_].bytes.get() + textUsed_;
    std::memcpy(out, text.data(), text.size());
    out[text.size()] = '\0';
    textUsed_ += need;
    textBytes_ += need;
    return out;
}

PooledText* CommonStringPool::NewEntry() {
    const size_t chunk = entriesUsed_ / kEntriesPerChunk;
    if (chunk >= entryChunks_.size()) {
        entryChunks_.push_back(std::make_unique<PooledText[]>(kEntriesPerChunk));
        ++allocations_;
    }
    PooledText* entry = &entryChunks_[chunk][entriesUsed_ % kEntriesPerChunk];
    ++entriesUsed_;
    return entry;
}

const PooledText* CommonStringPool::Intern(int poolNumber, std::string_view text) {
    if (!ValidPool(poolNumber)) {
        return nullptr;
    }
    if (text.empty()) {
        return EmptyText();
    }
    Pool& pool = pools_[static_cast<size_t>(poolNumber)];
    try {
        if ((pool.count + 1) * 2 > pool.index.size()) {
            GrowIndex(pool);
        }
        const size_t slot = IndexSlot(pool, text);
        if (pool.index[slot] != nullptr) {
            return pool.index[slot];
        }
        std::vector<const PooledText*>& bucket = pool.buckets[BucketOf(text)];
        if (bucket.size() == bucket.capacity()) {
            ++allocations_;
            bucket.reserve(std::max<size_t>(8, bucket.capacity() * 2));
        }
        PooledText* entry = NewEntry();
        entry->text = std::string_view(StoreText(text), text.size());
        entry->bucketPosition = static_cast<uint32_t>(bucket.size());
        bucket.push_back(entry);  // cannot throw: capacity reserved above
        pool.index[slot] = entry;
        ++pool.count;
        return entry;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

const PooledText* CommonStringPool::Find(int poolNumber, std::string_view text) const {
    if (!ValidPool(poolNumber) || text.empty()) {
        return nullptr;
    }
    const Pool& pool = pools_[static_cast<size_t>(poolNumber)];
    if (pool.index.empty()) {
        return nullptr;
    }
    return pool.index[IndexSlot(pool, text)];
}

const PooledText* CommonStringPool::Next(int poolNumber, const PooledText* cursor) const {
    if (!ValidPool(poolNumber)) {
        return nullptr;
    }
    const Pool& pool = pools_[static_cast<size_t>(poolNumber)];
    size_t bucket = 0;
    size_t position = 0;
    if (cursor != nullptr) {
        if (cursor->text.empty()) {
            return nullptr;
        }
        bucket = BucketOf(cursor->text);
        position = cursor->bucketPosition;
        const auto& entries = pool.buckets[bucket];
        if (position >= entries.size() || entries[position] != cursor) {
            return nullptr;
        }
        ++position;
    }
    for (; bucket < kBucketCount; ++bucket, position = 0) {
        if (position < pool.buckets[bucket].size()) {
            return pool.buckets[bucket][position];
        }
    }
    return nullptr;
}

size_t CommonStringPool::Count(int poolNumber) const {
    return ValidPool(poolNumber) ? pools_[static_cast<size_t>(poolNumber)].count : 0;
}

void CommonStringPool::Clear() {
    for (Pool& pool : pools_) {
        for (auto& bucket : pool.buckets) {
            bucket.clear();
        }
        std::fill(pool.index.begin(), pool.index.end(), nullptr);
        pool.count = 0;
    }
    textChunk_ = 0;
    textUsed_ = 0;
    entriesUsed_ = 0;
    textBytes_ = 0;
}

void CommonStringPool::ReleaseMemory() {
    Clear();
    for (Pool& pool : pools_) {
        for (auto& bucket : pool.buckets) {
            std::vector<const PooledText*>().swap(bucket);
        }
        std::vector<const PooledText*>().swap(pool.index);
    }
    textChunks_.clear();
    textChunks_.shrink_to_fit();
    entryChunks_.clear();
    entryChunks_.shrink_to_fit();
}

StringPoolStats CommonStringPool::Stats() const {
    StringPoolStats stats;
    stats.textBytes = textBytes_;
    stats.allocations = allocations_;
    for (const Pool& pool : pools_) {
        stats.texts += pool.count;
        stats.reservedBytes += pool.index.capacity() * sizeof(const PooledText*);
        for (const auto& bucket : pool.buckets) {
            stats.reservedBytes += bucket.capacity() * sizeof(const PooledText*);
        }
    }
    for (const TextChunk& chunk : textChunks_) {
        stats.reservedBytes += chunk.size;
    }
    stats.reservedBytes += entryChunks_.size() * kEntriesPerChunk * sizeof(PooledText);
    return stats;
}

}  // namespace kelvane

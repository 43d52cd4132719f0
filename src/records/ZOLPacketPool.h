// The free pool of one record kind. Packets are allocated in blocks and never freed one by
// one: a released packet waits on the free stack and is handed out again by the next request,
// so rescanning a tree of the same size allocates nothing. Everything is freed at once.
//
// The first block holds kFirstBlock packets; each further block twice as many as the one
// before, until a block fills whole huge pages (see platform/PageBlock.h). A packet is made
// when it is first handed out, so memory is touched only as far as packets are used.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#include "platform/PageBlock.h"

namespace kelvane {

template <class Packet, size_t kFirstBlock>
class PacketPool {
    static_assert(std::is_nothrow_default_constructible_v<Packet>);

  public:
    PacketPool() = default;
    PacketPool(const PacketPool&) = delete;
    PacketPool& operator=(const PacketPool&) = delete;
    ~PacketPool() { FreeAll(); }

    // A released packet (the last one released first) or a packet never used before;
    // nullptr when memory runs out. The caller initialises it.
    Packet* Take() {
        if (!free_.empty()) {
            Packet* packet = free_.back();
            free_.pop_back();
            packet->inFreePool = false;
            return packet;
        }
        if (blocks_.empty() || usedInLastBlock_ == blocks_.back().count) {
            if (!AddBlock()) {
                return nullptr;
            }
        }
        ++allocated_;
        return new (blocks_.back().packets + usedInLastBlock_++) Packet();
    }

    // Puts a packet on the free stack; false when it is there already.
    bool Give(Packet* packet) {
        if (packet->inFreePool) {
            return false;
        }
        packet->inFreePool = true;
        free_.push_back(packet);
        return true;
    }

    // Frees every packet, in use or not.
    void FreeAll() {
        std::vector<Packet*>().swap(free_);
        for (size_t i = 0; i < blocks_.size(); ++i) {
            const Block& block = blocks_[i];
            std::destroy_n(block.packets, i + 1 < blocks_.size() ? block.count : usedInLastBlock_);
            FreePageBlock(block.packets, block.bytes);
        }
        std::vector<Block>().swap(blocks_);
        usedInLastBlock_ = 0;
        allocated_ = 0;
    }

    size_t Allocated() const { return allocated_; }  // packets ever handed out new
    size_t FreeCount() const { return free_.size(); }
    size_t Allocations() const { return allocations_; }  // blocks allocated since start
    size_t InUse() const { return allocated_ - free_.size(); }

  private:
    struct Block {
        Packet* packets;
        size_t count;
        size_t bytes;
    };

    static constexpr size_t kMostHugePages = 2;  // the largest block, in huge pages

    size_t NextBlockCount() const {
        const size_t count = blocks_.empty() ? kFirstBlock : blocks_.back().count * 2;
        if (count * sizeof(Packet) < kHugePageBytes) {
            return count;
        }
        const size_t pages = std::min(
            (count * sizeof(Packet) + kHugePageBytes - 1) / kHugePageBytes, kMostHugePages);
        return pages * kHugePageBytes / sizeof(Packet);
    }

    // Only called when every packet of the blocks so far is handed out (the free stack is
    // empty and the last block full), so `allocated_` is what they hold.
    bool AddBlock() {
        const size_t count = NextBlockCount();
        const size_t bytes = count * sizeof(Packet);
        void* memory = AllocatePageBlock(bytes);
        if (memory == nullptr) {
            return false;
        }
        try {
            // The free stack can hold every packet, so Give never allocates.
            free_.reserve(allocated_ + count);
            blocks_.push_back(Block{static_cast<Packet*>(memory), count, bytes});
        } catch (const std::bad_alloc&) {
            FreePageBlock(memory, bytes);
            return false;
        }
        usedInLastBlock_ = 0;
        ++allocations_;
        return true;
    }

    std::vector<Block> blocks_;
    std::vector<Packet*> free_;
    size_t usedInLastBlock_ = 0;
    size_t allocated_ = 0;
    size_t allocations_ = 0;
};

}  // namespace kelvane

// The free pool of one record kind. Packets are allocated in blocks and never freed one by
// one: a released packet waits on the free stack and is handed out again by the next request,
// so rescanning a tree of the same size allocates nothing. Everything is freed at once.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

namespace kelvane {

template <class Packet, size_t kBlockSize>
class PacketPool {
  public:
    // A released packet (the last one released first) or a packet never used before;
    // nullptr when memory runs out. The caller initialises it.
    Packet* Take() {
        if (!free_.empty()) {
            Packet* packet = free_.back();
            free_.pop_back();
            packet->inFreePool = false;
            return packet;
        }
        if (blocks_.empty() || usedInLastBlock_ == kBlockSize) {
            try {
                // The free stack can hold every packet, so Give never allocates.
                free_.reserve(blocks_.size() * kBlockSize + kBlockSize);
                blocks_.push_back(std::make_unique<Packet[]>(kBlockSize));
            } catch (const std::bad_alloc&) {
                return nullptr;
            }
            usedInLastBlock_ = 0;
            ++allocations_;
        }
        ++allocated_;
        return &blocks_.back()[usedInLastBlock_++];
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
        blocks_.clear();
        blocks_.shrink_to_fit();
        usedInLastBlock_ = 0;
        allocated_ = 0;
    }

    size_t Allocated() const { return allocated_; }  // packets ever handed out new
    size_t FreeCount() const { return free_.size(); }
    size_t Allocations() const { return allocations_; }  // blocks allocated since start
    size_t InUse() const { return allocated_ - free_.size(); }

  private:
    std::vector<std::unique_ptr<Packet[]>> blocks_;
    std::vector<Packet*> free_;
    size_t usedInLastBlock_ = 0;
    size_t allocated_ = 0;
    size_t allocations_ = 0;
};

}  // namespace kelvane

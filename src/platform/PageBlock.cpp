#include "platform/PageBlock.h"

#include <sys/mman.h>

#include <cstdint>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KELVANE_LEAK_CHECKED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KELVANE_LEAK_CHECKED 1
#endif
#ifdef KELVANE_LEAK_CHECKED
#include <sanitizer/lsan_interface.h>
#endif

namespace kelvane {
namespace {

// The leak checker looks for pointers only in memory it knows: a block's objects may hold the
// only pointer to heap memory (a record's text), so the block is shown to it.
void ShowToLeakChecker(const void* block, std::size_t bytes) {
#ifdef KELVANE_LEAK_CHECKED
    __lsan_register_root_region(block, bytes);
#else
    (void)block;
    (void)bytes;
#endif
}

void HideFromLeakChecker(const void* block, std::size_t bytes) {
#ifdef KELVANE_LEAK_CHECKED
    __lsan_unregister_root_region(block, bytes);
#else
    (void)block;
    (void)bytes;
#endif
}

std::size_t RoundUp(std::size_t bytes, std::size_t unit) {
    return (bytes + unit - 1) / unit * unit;
}

}  // namespace

void* AllocatePageBlock(std::size_t bytes) {
    if (bytes == 0) {
        return nullptr;
    }
    if (bytes < kHugePageBytes) {
        // Mapped in at once: one system call instead of a page fault for every page.
        void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        if (block == MAP_FAILED) {
            return nullptr;
        }
        ShowToLeakChecker(block, bytes);
        return block;
    }
    // Over-map by one huge page and cut the block out on a huge-page boundary: only aligned
    // ranges can be backed by huge pages.
    const std::size_t length = RoundUp(bytes, kHugePageBytes);
    void* mapped = mmap(nullptr, length + kHugePageBytes, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        return nullptr;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = RoundUp(start, kHugePageBytes);
    if (aligned > start) {
        munmap(mapped, aligned - start);
    }
    const std::uintptr_t tail = aligned + length;
    const std::uintptr_t end = start + length + kHugePageBytes;
    if (end > tail) {
        munmap(reinterpret_cast<void*>(tail), end - tail);
    }
    void* block = reinterpret_cast<void*>(aligned);
    // Only a hint: without huge pages the block is still good memory.
    madvise(block, length, MADV_HUGEPAGE);
    ShowToLeakChecker(block, bytes);
    return block;
}

void FreePageBlock(void* block, std::size_t bytes) {
    if (block == nullptr || bytes == 0) {
        return;
    }
    HideFromLeakChecker(block, bytes);
    munmap(block, bytes < kHugePageBytes ? bytes : RoundUp(bytes, kHugePageBytes));
}

}  // namespace kelvane

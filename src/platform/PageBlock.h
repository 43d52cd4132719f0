// Large blocks of memory for objects made by the thousand (the records of a scan). A block
// comes straight from the system in whole pages and asks for huge pages, so that filling a
// million records costs a few hundred page faults instead of a few hundred thousand.
#pragma once

#include <cstddef>

namespace kelvane {

// The size huge pages come in; blocks of this size (or multiples) use them best.
inline constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

// A zero-filled block of at least `bytes` bytes, aligned to kHugePageBytes when it is that
// large; nullptr when the system has no memory for it.
void* AllocatePageBlock(std::size_t bytes);

// Gives back a block from AllocatePageBlock with the size it was asked for.
void FreePageBlock(void* block, std::size_t bytes);

}  // namespace kelvane

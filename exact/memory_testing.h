// Internal to the exact library and its tests: running out of memory on
// demand, and what the allocator of exact/memory.h holds.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quotalis::exact {

// After `count` more blocks have been obtained (allocated, or grown by
// reallocation), every further one is refused as if the system had no memory
// left; a negative count ends the refusals.
void RefuseBlocksAfter(std::int64_t count);

// The blocks of more than 512 bytes in use (those ReclaimSince may free),
// and the blocks kept after a failed allocation ("zombies").
std::size_t TrackedBlocks();
std::size_t ZombieBlocks();

}  // namespace quotalis::exact

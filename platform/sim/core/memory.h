// The device's heap as cesim's other parts use it: blocks of the task allocator live in the same
// table as local and global blocks, so the automation API can count them all.
#ifndef CESIM_CORE_MEMORY_H
#define CESIM_CORE_MEMORY_H

#include <cstddef>

#include "core/parts.h"

namespace cesim::detail {

// Which family of functions a block belongs to; a block is freed only by its own family.
enum class BlockFamily { LocalGlobal, Task };

// A fixed block of the family (zeroed when asked); null when the heap cannot satisfy it.
void* AllocateFixedBlock(BlockFamily family, size_t bytes, bool zero);
// Frees a fixed block of the family; false when the pointer is not such a live block.
bool FreeFixedBlock(BlockFamily family, void* pointer);

// Frees every block of the heap.
void ResetHeap(Phase phase);

}  // namespace cesim::detail

#endif

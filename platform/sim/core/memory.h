// The device's heap as cesim's other parts use it: blocks of the task allocator live in the same
// table as local and global blocks, so the automation API can count them all, and the clipboard
// takes over the blocks it is given.
#ifndef CESIM_CORE_MEMORY_H
#define CESIM_CORE_MEMORY_H

#include <cstddef>

#include "core/parts.h"
#include "sim/types.h"

namespace cesim::detail {

// Which family of functions a block belongs to; a block is freed only by its own family.
enum class BlockFamily { LocalGlobal, Task };

// A fixed block of the family (zeroed when asked); null when the heap cannot satisfy it.
void* AllocateFixedBlock(BlockFamily family, size_t bytes, bool zero);
// Frees a fixed block of the family; false when the pointer is not such a live block.
bool FreeFixedBlock(BlockFamily family, void* pointer);

// Blocks that SetClipboardData took: the clipboard owns them from then on. An application that
// frees or resizes one would leave the clipboard with freed memory; cesim reports that and stops.
// Hands a live local or global block to the clipboard; false when the handle names none.
bool GiveBlockToClipboard(HANDLE handle);
// Whether the clipboard holds the block.
bool ClipboardHoldsBlock(HANDLE handle);
// The clipboard lets go of a block it holds, which frees it.
void FreeClipboardBlock(HANDLE handle);

// Frees every block of the heap.
void ResetHeap(Phase phase);

}  // namespace cesim::detail

#endif

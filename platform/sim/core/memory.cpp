// The process heap: LocalAlloc and GlobalAlloc with their handles checked against a table of live
// blocks, so a freed or foreign handle fails as the device reports it instead of corrupting memory.
// Fixed blocks are their own handles; moveable blocks have a handle of their own (never 16-byte
// aligned, so it can never be mistaken for a block's address) and are reached through GlobalLock.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "cesim/automation.h"
#include "core/memory.h"
#include "core/parts.h"
#include "sim/core.h"

namespace cesim {

namespace detail {

namespace {

// A device process never gets a block this large; larger requests fail as out of memory.
constexpr size_t kLargestBlock = 0x7FFFFFFF;
// The lock count is a byte on the platform and stays at its maximum once reached.
constexpr unsigned kMaximumLock = 255;
// Moveable handles: 8 modulo 16 above this base, one per allocation, never reused in a boot.
constexpr uintptr_t kMoveableBase = 0x00A00000;

struct Block {
  BlockFamily family = BlockFamily::LocalGlobal;
  bool moveable = false;
  void* data = nullptr;  // null for a discarded moveable block
  size_t size = 0;
  unsigned lock = 0;
  bool clipboard = false;  // SetClipboardData took it
};

struct Heap {
  std::unordered_map<uintptr_t, Block> blocks;
  uintptr_t nextMoveable = 0;
};

Heap& TheHeap() {
  static Heap heap;
  return heap;
}

uintptr_t Key(const void* handle) { return reinterpret_cast<uintptr_t>(handle); }

// The application gave the block to the clipboard and then freed or resized it: on the device the
// clipboard would hand out freed memory to the next reader. Said on stderr, then cesim stops.
[[noreturn]] void ReportClipboardBlockTouched(const void* handle, const char* call) {
  std::fprintf(stderr,
               "cesim: %s of memory block %p, which the clipboard owns since SetClipboardData took it; the "
               "clipboard would go on handing out freed memory\n",
               call, handle);
  std::fflush(stderr);
  std::abort();
}

Block* FindBlock(const void* handle, BlockFamily family) {
  if (handle == nullptr) return nullptr;
  auto it = TheHeap().blocks.find(Key(handle));
  if (it == TheHeap().blocks.end() || it->second.family != family) return nullptr;
  return &it->second;
}

// Storage for a block of the given size (at least one byte, so every block has an address).
void* NewStorage(size_t bytes, bool zero) {
  const size_t actual = bytes == 0 ? 1 : bytes;
  return zero ? std::calloc(1, actual) : std::malloc(actual);
}

HANDLE NewMoveableHandle() {
  Heap& heap = TheHeap();
  ++heap.nextMoveable;
  return reinterpret_cast<HANDLE>(kMoveableBase + heap.nextMoveable * 16 + 8);
}

HANDLE AllocateBlock(BlockFamily family, bool moveable, size_t bytes, bool zero) {
  if (bytes > kLargestBlock) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  Block block;
  block.family = family;
  block.moveable = moveable;
  block.size = bytes;
  // A moveable block of no bytes starts discarded, as on the platform.
  if (!(moveable && bytes == 0)) {
    block.data = NewStorage(bytes, zero);
    if (block.data == nullptr) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
  }
  HANDLE handle = moveable ? NewMoveableHandle() : block.data;
  TheHeap().blocks.emplace(Key(handle), block);
  return handle;
}

// Frees a block of the family; false (and ERROR_INVALID_HANDLE) when the handle names none.
bool FreeBlock(const void* handle, BlockFamily family) {
  Block* block = FindBlock(handle, family);
  if (block == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  if (block->clipboard) ReportClipboardBlockTouched(handle, "LocalFree or GlobalFree");
  std::free(block->data);
  TheHeap().blocks.erase(Key(handle));
  return true;
}

// Gives a block's storage a new size, zeroing what is added when asked.
bool ResizeStorage(Block* block, size_t bytes, bool zero) {
  void* data = std::realloc(block->data, bytes == 0 ? 1 : bytes);
  if (data == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
  if (zero && bytes > block->size) std::memset(static_cast<char*>(data) + block->size, 0, bytes - block->size);
  block->data = data;
  block->size = bytes;
  return true;
}

HANDLE ReAllocateBlock(HANDLE handle, size_t bytes, UINT flags) {
  Block* block = FindBlock(handle, BlockFamily::LocalGlobal);
  if (block == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (block->clipboard) ReportClipboardBlockTouched(handle, "LocalReAlloc or GlobalReAlloc");
  const bool zero = (flags & GMEM_ZEROINIT) != 0;
  const bool mayMove = (flags & GMEM_MOVEABLE) != 0;

  if (flags & GMEM_MODIFY) {
    // Attributes only: a fixed block made moveable gets a handle of its own.
    if (block->moveable || !mayMove) return handle;
    Block moved = *block;
    moved.moveable = true;
    moved.lock = 0;
    TheHeap().blocks.erase(Key(handle));
    HANDLE movedHandle = NewMoveableHandle();
    TheHeap().blocks.emplace(Key(movedHandle), moved);
    return movedHandle;
  }
  if (bytes > kLargestBlock) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }

  if (block->moveable) {
    if (bytes == 0) {
      // An unlocked moveable block shrunk to nothing is discarded; its handle stays valid.
      if (block->lock != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
      }
      std::free(block->data);
      block->data = nullptr;
      block->size = 0;
      return handle;
    }
    if (block->data == nullptr) {
      block->data = NewStorage(bytes, zero);
      if (block->data == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
      }
      block->size = bytes;
      return handle;
    }
    // A locked block may not move: it can only shrink in place unless the caller allows moving.
    if (block->lock != 0 && !mayMove) {
      if (bytes > block->size) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
      }
      block->size = bytes;
      return handle;
    }
    return ResizeStorage(block, bytes, zero) ? handle : nullptr;
  }

  // A fixed block is its address: it shrinks in place, and grows only when it may move.
  if (bytes <= block->size) {
    block->size = bytes;
    return handle;
  }
  if (!mayMove) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  Block moved = *block;
  if (!ResizeStorage(&moved, bytes, zero)) return nullptr;
  TheHeap().blocks.erase(Key(handle));
  TheHeap().blocks.emplace(Key(moved.data), moved);
  return moved.data;
}

SIZE_T BlockSize(HANDLE handle) {
  Block* block = FindBlock(handle, BlockFamily::LocalGlobal);
  if (block == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return block->size;
}

}  // namespace

void ResetHeap(Phase) {
  Heap& heap = TheHeap();
  for (auto& entry : heap.blocks) std::free(entry.second.data);
  heap.blocks.clear();
  heap.nextMoveable = 0;
}

void* AllocateFixedBlock(BlockFamily family, size_t bytes, bool zero) {
  return AllocateBlock(family, false, bytes, zero);
}

bool FreeFixedBlock(BlockFamily family, void* pointer) {
  Block* block = FindBlock(pointer, family);
  if (block == nullptr || block->moveable) return false;
  return FreeBlock(pointer, family);
}

bool GiveBlockToClipboard(HANDLE handle) {
  Block* block = FindBlock(handle, BlockFamily::LocalGlobal);
  if (block == nullptr) return false;
  block->clipboard = true;
  return true;
}

bool ClipboardHoldsBlock(HANDLE handle) {
  const Block* block = FindBlock(handle, BlockFamily::LocalGlobal);
  return block != nullptr && block->clipboard;
}

void FreeClipboardBlock(HANDLE handle) {
  Block* block = FindBlock(handle, BlockFamily::LocalGlobal);
  if (block == nullptr || !block->clipboard) return;
  std::free(block->data);
  TheHeap().blocks.erase(Key(handle));
}

}  // namespace detail

size_t LiveMemoryBlocks() {
  size_t live = 0;
  for (const auto& entry : detail::TheHeap().blocks) {
    if (!entry.second.clipboard) ++live;
  }
  return live;
}

size_t ClipboardMemoryBlocks() { return detail::TheHeap().blocks.size() - LiveMemoryBlocks(); }

}  // namespace cesim

using cesim::detail::BlockFamily;

CESIM_API HLOCAL WINAPI LocalAlloc(UINT uFlags, SIZE_T uBytes) {
  // The device's local heap offers fixed blocks only.
  if (uFlags & ~static_cast<UINT>(LMEM_ZEROINIT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return cesim::detail::AllocateBlock(BlockFamily::LocalGlobal, false, uBytes, (uFlags & LMEM_ZEROINIT) != 0);
}

CESIM_API HLOCAL WINAPI LocalFree(HLOCAL hMem) {
  if (hMem == nullptr) return nullptr;
  return cesim::detail::FreeBlock(hMem, BlockFamily::LocalGlobal) ? nullptr : hMem;
}

CESIM_API HLOCAL WINAPI LocalReAlloc(HLOCAL hMem, SIZE_T uBytes, UINT uFlags) {
  return cesim::detail::ReAllocateBlock(hMem, uBytes, uFlags);
}

CESIM_API SIZE_T WINAPI LocalSize(HLOCAL hMem) { return cesim::detail::BlockSize(hMem); }

CESIM_API HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes) {
  // The other flags are obsolete and ignored, as on the platform.
  return cesim::detail::AllocateBlock(BlockFamily::LocalGlobal, (uFlags & GMEM_MOVEABLE) != 0, dwBytes,
                                      (uFlags & GMEM_ZEROINIT) != 0);
}

CESIM_API HGLOBAL WINAPI GlobalFree(HGLOBAL hMem) {
  if (hMem == nullptr) return nullptr;
  return cesim::detail::FreeBlock(hMem, BlockFamily::LocalGlobal) ? nullptr : hMem;
}

CESIM_API HGLOBAL WINAPI GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags) {
  return cesim::detail::ReAllocateBlock(hMem, dwBytes, uFlags);
}

CESIM_API LPVOID WINAPI GlobalLock(HGLOBAL hMem) {
  cesim::detail::Block* block = cesim::detail::FindBlock(hMem, BlockFamily::LocalGlobal);
  if (block == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (!block->moveable) return block->data;
  if (block->data == nullptr) {
    SetLastError(ERROR_DISCARDED);
    return nullptr;
  }
  if (block->lock < cesim::detail::kMaximumLock) ++block->lock;
  return block->data;
}

CESIM_API BOOL WINAPI GlobalUnlock(HGLOBAL hMem) {
  cesim::detail::Block* block = cesim::detail::FindBlock(hMem, BlockFamily::LocalGlobal);
  if (block == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!block->moveable) return TRUE;  // fixed blocks have no lock count
  if (block->lock == 0) {
    SetLastError(ERROR_NOT_LOCKED);
    return FALSE;
  }
  --block->lock;
  if (block->lock != 0) return TRUE;
  SetLastError(NO_ERROR);
  return FALSE;
}

CESIM_API SIZE_T WINAPI GlobalSize(HGLOBAL hMem) { return cesim::detail::BlockSize(hMem); }

// The task allocator: blocks of their own family in the process heap, so LocalFree cannot free
// them and CoTaskMemFree cannot free a local block.
#include "core/memory.h"
#include "sim/com.h"

CESIM_API LPVOID WINAPI CoTaskMemAlloc(SIZE_T cb) {
  return cesim::detail::AllocateFixedBlock(cesim::detail::BlockFamily::Task, cb, false);
}

CESIM_API void WINAPI CoTaskMemFree(LPVOID pv) {
  // A null pointer, or one the task allocator did not hand out, is ignored.
  if (pv != nullptr) cesim::detail::FreeFixedBlock(cesim::detail::BlockFamily::Task, pv);
}

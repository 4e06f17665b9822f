// Kernel handles: the table behind CloseHandle.
#include "core/handles.h"

#include <map>

#include "sim/core.h"

namespace cesim::detail {

namespace {

struct KernelHandle {
  KernelObject kind = KernelObject::Process;
  DWORD id = 0;
};

std::map<uintptr_t, KernelHandle>& Table() {
  static std::map<uintptr_t, KernelHandle> table;
  return table;
}

// Numbered like the device's kernel handles, apart from every other kind of handle of cesim.
uintptr_t NewHandleValue() {
  static uintptr_t issued = 0;
  return 0x00C00000 + (++issued) * 4;
}

}  // namespace

HANDLE OpenKernelHandle(KernelObject kind, DWORD id) {
  uintptr_t value = NewHandleValue();
  Table()[value] = KernelHandle{kind, id};
  return reinterpret_cast<HANDLE>(value);
}

bool FindKernelHandle(HANDLE handle, KernelObject* kind, DWORD* id) {
  auto it = Table().find(reinterpret_cast<uintptr_t>(handle));
  if (it == Table().end()) return false;
  if (kind != nullptr) *kind = it->second.kind;
  if (id != nullptr) *id = it->second.id;
  return true;
}

size_t OpenKernelHandleCount() { return Table().size(); }

void ResetKernelHandles(Phase) { Table().clear(); }

}  // namespace cesim::detail

BOOL WINAPI CloseHandle(HANDLE hObject) {
  auto& table = cesim::detail::Table();
  auto it = table.find(reinterpret_cast<uintptr_t>(hObject));
  if (it == table.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  table.erase(it);
  return TRUE;
}

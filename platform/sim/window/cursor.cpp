// The device's cursors and SetCursor: LoadCursorW knows the system cursors, SetCursor shows one
// and returns the one shown before.
#include "window/cursor.h"

#include <array>

#include "sim/core.h"
#include "sim/window.h"

namespace cesim::detail {

namespace {

constexpr std::array<int, 9> kSystemCursors = {32512, 32513, 32514, 32515, 32516, 32646, 32648, 32650, 32651};

// The handles of the system cursors: fixed values that no other object has.
HCURSOR HandleOf(int id) { return reinterpret_cast<HCURSOR>(static_cast<uintptr_t>(0x00C00000 + id)); }

struct CursorState {
  HCURSOR current = nullptr;
  int changes = 0;
};

CursorState& State() {
  static CursorState state;
  return state;
}

}  // namespace

HCURSOR CurrentCursor() { return State().current; }

int CursorChanges() { return State().changes; }

int CursorResourceId(HCURSOR cursor) {
  for (int id : kSystemCursors) {
    if (HandleOf(id) == cursor) return id;
  }
  return 0;
}

void ResetCursor() {
  State() = CursorState();
  State().current = HandleOf(32512);
}

}  // namespace cesim::detail

using namespace cesim::detail;

HCURSOR WINAPI LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName) {
  // Cursors of a module would come from its resources; the device's own ones need no module.
  if (hInstance == nullptr && IS_INTRESOURCE(lpCursorName)) {
    int id = static_cast<int>(reinterpret_cast<ULONG_PTR>(lpCursorName));
    for (int known : kSystemCursors) {
      if (known == id) return HandleOf(id);
    }
  }
  SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return nullptr;
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor) {
  CursorState& s = State();
  HCURSOR previous = s.current;
  if (hCursor != previous) ++s.changes;
  s.current = hCursor;
  return previous;
}

HCURSOR WINAPI GetCursor(void) { return State().current; }

// The icon objects of the window system: handles numbered like the device's user objects, never
// reused within a boot, so a destroyed icon's handle stays stale instead of naming another one.
#include "window/icons.h"

#include <cstdint>
#include <map>

#include "sim/core.h"
#include "sim/window.h"

namespace cesim::detail {

namespace {

// Icon handles: 4 apart above this base, like other user objects of the device.
constexpr uintptr_t kIconBase = 0x00C10000;

struct IconTable {
  std::map<uintptr_t, IconPicture> icons;
  uintptr_t next = 0;
};

IconTable& Icons() {
  static IconTable table;
  return table;
}

}  // namespace

HICON CreateIconOf(const IconPicture& picture) {
  IconTable& table = Icons();
  const uintptr_t handle = kIconBase + (++table.next) * 4;
  table.icons.emplace(handle, picture);
  return reinterpret_cast<HICON>(handle);
}

std::optional<IconPicture> IconPictureOf(HICON icon) {
  auto it = Icons().icons.find(reinterpret_cast<uintptr_t>(icon));
  if (it == Icons().icons.end()) return std::nullopt;
  return it->second;
}

size_t LiveIconCount() { return Icons().icons.size(); }

void ResetIcons(Phase) { Icons() = IconTable(); }

}  // namespace cesim::detail

BOOL WINAPI DestroyIcon(HICON hIcon) {
  auto& icons = cesim::detail::Icons().icons;
  auto it = icons.find(reinterpret_cast<uintptr_t>(hIcon));
  if (it == icons.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  icons.erase(it);
  return TRUE;
}

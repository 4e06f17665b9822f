// The menu table: handle values, lookups by position and by command, the recursive destruction.
#include "menu/store.h"

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "core/parts.h"
#include "sim/core.h"
#include "sim/menu.h"

namespace cesim::detail {

namespace {

// Menu handles are numbered from this base in steps of 4 and never reused within a boot.
constexpr uintptr_t kMenuBase = 0x00C00000;
// Deeper menu trees than this are refused; the platform's own limit is of this order.
constexpr int kMaximumDepth = 25;

struct MenuTable {
  std::unordered_map<uintptr_t, std::unique_ptr<Menu>> menus;
  uintptr_t next = 0;
};

MenuTable& Table() {
  static MenuTable table;
  return table;
}

// The menu of a handle without touching the last error, for walks over a menu tree.
Menu* Lookup(HMENU handle) {
  auto it = Table().menus.find(reinterpret_cast<uintptr_t>(handle));
  return it == Table().menus.end() ? nullptr : it->second.get();
}

bool FindByCommand(HMENU handle, UINT id, int depth, MenuItemPlace* place) {
  if (depth > kMaximumDepth) return false;
  Menu* menu = Lookup(handle);
  if (menu == nullptr) return false;
  bool fallback = false;
  size_t fallbackPosition = 0;
  for (size_t i = 0; i < menu->items.size(); ++i) {
    const MenuItem& item = menu->items[i];
    if (item.type & MF_POPUP) {
      if (item.submenu != nullptr && FindByCommand(item.submenu, id, depth + 1, place)) return true;
      if (item.id == id && !fallback) {
        fallback = true;
        fallbackPosition = i;
      }
    } else if (item.id == id) {
      place->menu = handle;
      place->position = i;
      return true;
    }
  }
  if (!fallback) return false;
  place->menu = handle;
  place->position = fallbackPosition;
  return true;
}

bool Contains(HMENU menu, HMENU target, int depth) {
  if (menu == target) return true;
  if (depth > kMaximumDepth) return true;  // too deep counts as a cycle: refuse
  Menu* data = Lookup(menu);
  if (data == nullptr) return false;
  for (const MenuItem& item : data->items) {
    if ((item.type & MF_POPUP) && item.submenu != nullptr && Contains(item.submenu, target, depth + 1)) return true;
  }
  return false;
}

bool DestroyTree(HMENU handle, int depth) {
  MenuTable& table = Table();
  auto it = table.menus.find(reinterpret_cast<uintptr_t>(handle));
  if (it == table.menus.end()) return false;
  std::unique_ptr<Menu> menu = std::move(it->second);
  table.menus.erase(it);
  if (depth < kMaximumDepth) {
    for (const MenuItem& item : menu->items) {
      if ((item.type & MF_POPUP) && item.submenu != nullptr) DestroyTree(item.submenu, depth + 1);
    }
  }
  return true;
}

}  // namespace

void ResetMenus(Phase) {
  Table().menus.clear();
  Table().next = 0;
}

Menu* FindMenu(HMENU handle) {
  Menu* menu = handle == nullptr ? nullptr : Lookup(handle);
  if (menu == nullptr) SetLastError(ERROR_INVALID_MENU_HANDLE);
  return menu;
}

Menu* LookUpMenu(HMENU handle) { return handle == nullptr ? nullptr : Lookup(handle); }

bool FindMenuItem(HMENU handle, UINT item, bool byPosition, MenuItemPlace* place) {
  if (!byPosition) return FindMenu(handle) != nullptr && FindByCommand(handle, item, 0, place);
  Menu* menu = FindMenu(handle);
  if (menu == nullptr || item >= menu->items.size()) return false;
  place->menu = handle;
  place->position = item;
  return true;
}

bool WouldMakeCycle(HMENU menu, HMENU submenu) { return Contains(submenu, menu, 0); }

HMENU NewMenu(bool popup) {
  MenuTable& table = Table();
  ++table.next;
  HMENU handle = reinterpret_cast<HMENU>(kMenuBase + table.next * 4);
  auto menu = std::make_unique<Menu>();
  menu->popup = popup;
  table.menus.emplace(reinterpret_cast<uintptr_t>(handle), std::move(menu));
  return handle;
}

bool DestroyMenuTree(HMENU menu) {
  if (!DestroyTree(menu, 0)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return false;
  }
  return true;
}

}  // namespace cesim::detail

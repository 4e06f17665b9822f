// The device's menus as data: each menu handle names a list of items; handles are checked
// against the table, so a destroyed menu's handle fails instead of reaching freed memory.
#ifndef CESIM_MENU_STORE_H
#define CESIM_MENU_STORE_H

#include <string>
#include <vector>

#include "core/parts.h"
#include "sim/menu.h"
#include "sim/types.h"

namespace cesim::detail {

struct MenuItem {
  UINT type = MFT_STRING;  // MFT_* bits, MF_POPUP for an item that opens a pop-up menu
  UINT state = 0;          // MFS_* bits
  UINT id = 0;
  HMENU submenu = nullptr;
  HBITMAP checkedBitmap = nullptr;
  HBITMAP uncheckedBitmap = nullptr;
  ULONG_PTR data = 0;
  bool hasText = false;  // string items; the text is a copy made at insertion
  std::u16string text;
};

struct Menu {
  bool popup = false;
  std::vector<MenuItem> items;
};

// The live menu of a handle, or null (and ERROR_INVALID_MENU_HANDLE) for any other value.
Menu* FindMenu(HMENU handle);
// The same without touching the last error, for the menu loop and automation.
Menu* LookUpMenu(HMENU handle);

// Where an item was found: the menu that holds it and its position there.
struct MenuItemPlace {
  HMENU menu = nullptr;
  size_t position = 0;
};

// Finds an item by position in the menu itself, or by command identifier in the menu and, depth
// first, in its pop-up menus (a pop-up item whose own identifier matches is taken only when no
// deeper item does). False when the menu is invalid or holds no such item.
bool FindMenuItem(HMENU menu, UINT item, bool byPosition, MenuItemPlace* place);

// Whether inserting `submenu` under `menu` would make a menu contain itself.
bool WouldMakeCycle(HMENU menu, HMENU submenu);

HMENU NewMenu(bool popup);
// Destroys the menu and, recursively, the pop-up menus of its items. False for an invalid handle.
bool DestroyMenuTree(HMENU menu);

// Forgets every menu.
void ResetMenus(Phase phase);

}  // namespace cesim::detail

#endif

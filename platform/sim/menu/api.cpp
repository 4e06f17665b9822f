// The menu functions of the core library over the menu table: creation and destruction, items
// inserted by position or before a command, their text (copied at insertion), state and pop-up
// menus, and the item queries.
#include <algorithm>
#include <set>

#include "menu/store.h"
#include "sim/core.h"
#include "sim/menu.h"

using cesim::detail::FindMenu;
using cesim::detail::FindMenuItem;
using cesim::detail::Menu;
using cesim::detail::MenuItem;
using cesim::detail::MenuItemPlace;

namespace {

// The type bits that an item keeps (MF_POPUP is set only through a pop-up menu).
constexpr UINT kTypeMask = MFT_STRING | MFT_BITMAP | MFT_OWNERDRAW | MFT_SEPARATOR | MFT_MENUBARBREAK |
                           MFT_MENUBREAK | MFT_RADIOCHECK | MFT_RIGHTORDER | MFT_RIGHTJUSTIFY;
// The state bits that an item keeps.
constexpr UINT kStateMask = MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT;
// The state bits that InsertMenuW takes from its flags (MF_DEFAULT only through item information).
constexpr UINT kInsertStateMask = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE;
constexpr UINT kNotFound = 0xFFFFFFFF;

MenuItem* ItemAt(const MenuItemPlace& place) {
  Menu* menu = FindMenu(place.menu);
  return menu == nullptr ? nullptr : &menu->items[place.position];
}

// Where a new item goes: before the item that the position names, or at the end of the menu when
// it names none (a position of -1 or past the end, a command that no item has).
bool InsertionPlace(HMENU menu, UINT position, bool byPosition, MenuItemPlace* place) {
  Menu* data = FindMenu(menu);
  if (data == nullptr) return false;
  if (!FindMenuItem(menu, position, byPosition, place)) {
    place->menu = menu;
    place->position = data->items.size();
  }
  return true;
}

// Checks a pop-up menu that is to hang below `parent`.
bool AcceptSubmenu(HMENU parent, HMENU submenu) {
  Menu* data = FindMenu(submenu);
  if (data == nullptr) return false;
  if (cesim::detail::WouldMakeCycle(parent, submenu)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  data->popup = true;
  return true;
}

void Insert(const MenuItemPlace& place, const MenuItem& item) {
  Menu* menu = FindMenu(place.menu);
  menu->items.insert(menu->items.begin() + static_cast<std::ptrdiff_t>(place.position), item);
}

// Applies the members that the mask names to an item of `owner`. False, with the item unchanged,
// when a named pop-up menu is not acceptable.
bool ApplyItemInfo(HMENU owner, const MENUITEMINFOW& info, MenuItem* item) {
  MenuItem updated = *item;
  if (info.fMask & MIIM_TYPE) {
    updated.type = (updated.type & MF_POPUP) | (info.fType & kTypeMask);
    updated.hasText = false;
    updated.text.clear();
    const bool stringType = (info.fType & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW)) == 0;
    if (stringType && info.dwTypeData != nullptr) {
      updated.hasText = true;
      updated.text = info.dwTypeData;
    }
  }
  if (info.fMask & MIIM_STATE) updated.state = info.fState & kStateMask;
  if (info.fMask & MIIM_ID) updated.id = info.wID;
  if (info.fMask & MIIM_SUBMENU) {
    if (info.hSubMenu != nullptr) {
      if (!AcceptSubmenu(owner, info.hSubMenu)) return false;
      updated.type |= MF_POPUP;
    } else {
      updated.type &= ~static_cast<UINT>(MF_POPUP);
    }
    updated.submenu = info.hSubMenu;
  }
  if (info.fMask & MIIM_CHECKMARKS) {
    updated.checkedBitmap = info.hbmpChecked;
    updated.uncheckedBitmap = info.hbmpUnchecked;
  }
  if (info.fMask & MIIM_DATA) updated.data = info.dwItemData;
  // A string item without a string is drawn as a separator, and reported as one.
  if (!updated.hasText && (updated.type & (MFT_BITMAP | MFT_OWNERDRAW)) == 0) updated.type |= MFT_SEPARATOR;
  *item = updated;
  return true;
}

bool ValidItemInfo(LPCMENUITEMINFOW info) {
  if (info == nullptr || info->cbSize != sizeof(MENUITEMINFOW)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  return true;
}

// Finds an item, reporting a missing item (on a valid menu) as the platform does.
MenuItem* FindItem(HMENU menu, UINT item, bool byPosition, MenuItemPlace* place) {
  if (FindMenu(menu) == nullptr) return nullptr;
  if (!FindMenuItem(menu, item, byPosition, place)) {
    SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
    return nullptr;
  }
  return ItemAt(*place);
}

// The item text into the caller's buffer: cut to cch - 1 characters and terminated; cch then
// holds the characters copied, or the whole length when no buffer was given.
void CopyItemText(const MenuItem& item, MENUITEMINFOW* info) {
  if (!item.hasText) {
    if (info->dwTypeData != nullptr && info->cch != 0) info->dwTypeData[0] = 0;
    info->cch = 0;
    return;
  }
  const size_t length = item.text.size();
  if (info->dwTypeData == nullptr || info->cch == 0) {
    info->cch = static_cast<UINT>(length);
    return;
  }
  const size_t copied = std::min<size_t>(length, info->cch - 1);
  std::copy(item.text.begin(), item.text.begin() + static_cast<std::ptrdiff_t>(copied), info->dwTypeData);
  info->dwTypeData[copied] = 0;
  info->cch = static_cast<UINT>(copied);
}

// The identifiers in [first, last] that items of the menu tree carry, in rising order.
void CollectIds(HMENU handle, UINT first, UINT last, int depth, std::set<UINT>* ids) {
  Menu* menu = FindMenu(handle);
  if (menu == nullptr || depth > 25) return;
  for (const MenuItem& item : menu->items) {
    if (item.id >= first && item.id <= last) ids->insert(item.id);
    if ((item.type & MF_POPUP) && item.submenu != nullptr) CollectIds(item.submenu, first, last, depth + 1, ids);
  }
}

}  // namespace

CESIM_API HMENU WINAPI CreateMenu(void) { return cesim::detail::NewMenu(false); }

CESIM_API HMENU WINAPI CreatePopupMenu(void) { return cesim::detail::NewMenu(true); }

CESIM_API BOOL WINAPI DestroyMenu(HMENU hMenu) { return cesim::detail::DestroyMenuTree(hMenu) ? TRUE : FALSE; }

CESIM_API BOOL WINAPI IsMenu(HMENU hMenu) { return FindMenu(hMenu) != nullptr ? TRUE : FALSE; }

CESIM_API BOOL WINAPI InsertMenuW(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem,
                                  LPCWSTR lpNewItem) {
  MenuItemPlace place;
  if (!InsertionPlace(hMenu, uPosition, (uFlags & MF_BYPOSITION) != 0, &place)) return FALSE;
  MenuItem item;
  item.state = uFlags & kInsertStateMask;
  item.type = uFlags & (MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY);
  if (uFlags & MF_POPUP) {
    HMENU submenu = reinterpret_cast<HMENU>(uIDNewItem);
    if (!AcceptSubmenu(place.menu, submenu)) return FALSE;
    item.type |= MF_POPUP;
    item.submenu = submenu;
  }
  // A pop-up item's identifier is its menu's handle, as on the platform.
  item.id = static_cast<UINT>(uIDNewItem);
  // A separator can never be chosen: it is inserted grayed, as on the platform. A string item
  // without a string is one.
  if ((uFlags & MF_SEPARATOR) || ((uFlags & (MF_BITMAP | MF_OWNERDRAW)) == 0 && lpNewItem == nullptr)) {
    item.type |= MFT_SEPARATOR;
    item.state |= MF_GRAYED | MF_DISABLED;
  } else if (uFlags & MF_BITMAP) {
    item.type |= MFT_BITMAP;
  } else if (uFlags & MF_OWNERDRAW) {
    item.type |= MFT_OWNERDRAW;
    item.data = reinterpret_cast<ULONG_PTR>(lpNewItem);
  } else {
    item.hasText = true;
    item.text = lpNewItem;
  }
  Insert(place, item);
  return TRUE;
}

CESIM_API BOOL WINAPI AppendMenuW(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem) {
  return InsertMenuW(hMenu, kNotFound, uFlags | MF_BYPOSITION, uIDNewItem, lpNewItem);
}

CESIM_API BOOL WINAPI InsertMenuItemW(HMENU hMenu, UINT uItem, BOOL fByPosition, LPCMENUITEMINFOW lpmii) {
  if (!ValidItemInfo(lpmii)) return FALSE;
  MenuItemPlace place;
  if (!InsertionPlace(hMenu, uItem, fByPosition != FALSE, &place)) return FALSE;
  MenuItem item;
  if (!ApplyItemInfo(place.menu, *lpmii, &item)) return FALSE;
  Insert(place, item);
  return TRUE;
}

CESIM_API BOOL WINAPI SetMenuItemInfoW(HMENU hMenu, UINT uItem, BOOL fByPosition, LPCMENUITEMINFOW lpmii) {
  if (!ValidItemInfo(lpmii)) return FALSE;
  MenuItemPlace place;
  MenuItem* item = FindItem(hMenu, uItem, fByPosition != FALSE, &place);
  if (item == nullptr) return FALSE;
  return ApplyItemInfo(place.menu, *lpmii, item) ? TRUE : FALSE;
}

CESIM_API BOOL WINAPI GetMenuItemInfoW(HMENU hMenu, UINT uItem, BOOL fByPosition, LPMENUITEMINFOW lpmii) {
  if (!ValidItemInfo(lpmii)) return FALSE;
  MenuItemPlace place;
  const MenuItem* item = FindItem(hMenu, uItem, fByPosition != FALSE, &place);
  if (item == nullptr) return FALSE;
  if (lpmii->fMask & MIIM_TYPE) {
    lpmii->fType = item->type & kTypeMask;
    if (item->type & (MFT_SEPARATOR | MFT_OWNERDRAW | MFT_BITMAP)) {
      lpmii->dwTypeData = nullptr;
      lpmii->cch = 0;
    } else {
      CopyItemText(*item, lpmii);
    }
  }
  if (lpmii->fMask & MIIM_STATE) lpmii->fState = item->state;
  if (lpmii->fMask & MIIM_ID) lpmii->wID = item->id;
  lpmii->hSubMenu = (lpmii->fMask & MIIM_SUBMENU) && (item->type & MF_POPUP) ? item->submenu : nullptr;
  if (lpmii->fMask & MIIM_CHECKMARKS) {
    lpmii->hbmpChecked = item->checkedBitmap;
    lpmii->hbmpUnchecked = item->uncheckedBitmap;
  }
  if (lpmii->fMask & MIIM_DATA) lpmii->dwItemData = item->data;
  return TRUE;
}

CESIM_API int WINAPI GetMenuItemCount(HMENU hMenu) {
  Menu* menu = FindMenu(hMenu);
  return menu == nullptr ? -1 : static_cast<int>(menu->items.size());
}

CESIM_API UINT WINAPI GetMenuItemID(HMENU hMenu, int nPos) {
  MenuItemPlace place;
  const MenuItem* item = FindItem(hMenu, static_cast<UINT>(nPos), true, &place);
  if (item == nullptr || (item->type & MF_POPUP)) return kNotFound;
  return item->id;
}

CESIM_API HMENU WINAPI GetSubMenu(HMENU hMenu, int nPos) {
  MenuItemPlace place;
  const MenuItem* item = FindItem(hMenu, static_cast<UINT>(nPos), true, &place);
  if (item == nullptr || !(item->type & MF_POPUP)) return nullptr;
  return item->submenu;
}

CESIM_API DWORD WINAPI CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
  MenuItemPlace place;
  MenuItem* item = FindItem(hMenu, uIDCheckItem, (uCheck & MF_BYPOSITION) != 0, &place);
  if (item == nullptr) return kNotFound;
  const DWORD previous = item->state & MF_CHECKED;
  if (uCheck & MF_CHECKED) {
    item->state |= MF_CHECKED;
  } else {
    item->state &= ~static_cast<UINT>(MF_CHECKED);
  }
  return previous;
}

CESIM_API BOOL WINAPI EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
  MenuItemPlace place;
  MenuItem* item = FindItem(hMenu, uIDEnableItem, (uEnable & MF_BYPOSITION) != 0, &place);
  if (item == nullptr) return -1;
  const UINT previous = item->state & (MF_GRAYED | MF_DISABLED);
  item->state = (item->state & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
  return static_cast<BOOL>(previous);
}

CESIM_API BOOL WINAPI CheckMenuRadioItem(HMENU hMenu, UINT idFirst, UINT idLast, UINT idCheck, UINT uFlags) {
  Menu* menu = FindMenu(hMenu);
  if (menu == nullptr) return FALSE;
  const bool byPosition = (uFlags & MF_BYPOSITION) != 0;
  // The platform walks every number from first to last; only numbers that name an item matter,
  // so the walk goes over those alone.
  std::set<UINT> candidates;
  if (byPosition) {
    for (size_t i = 0; i < menu->items.size(); ++i) {
      if (i >= idFirst && i <= idLast) candidates.insert(static_cast<UINT>(i));
    }
  } else {
    CollectIds(hMenu, idFirst, idLast, 0, &candidates);
  }
  HMENU group = nullptr;
  BOOL done = FALSE;
  for (UINT value : candidates) {
    MenuItemPlace place;
    if (!FindMenuItem(hMenu, value, byPosition, &place)) continue;
    // The group is the menu that holds the first item found; items elsewhere are left alone.
    if (group == nullptr) group = place.menu;
    if (place.menu != group) continue;
    MenuItem* item = ItemAt(place);
    if (item->type == MFT_SEPARATOR) continue;
    if (value == idCheck) {
      item->type |= MFT_RADIOCHECK;
      item->state |= MFS_CHECKED;
      done = TRUE;
    } else {
      item->state &= ~static_cast<UINT>(MFS_CHECKED);  // the radio mark stays, as on the platform
    }
  }
  return done;
}

CESIM_API BOOL WINAPI RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
  MenuItemPlace place;
  if (FindItem(hMenu, uPosition, (uFlags & MF_BYPOSITION) != 0, &place) == nullptr) return FALSE;
  Menu* menu = FindMenu(place.menu);
  menu->items.erase(menu->items.begin() + static_cast<std::ptrdiff_t>(place.position));
  return TRUE;
}

CESIM_API BOOL WINAPI DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
  MenuItemPlace place;
  MenuItem* item = FindItem(hMenu, uPosition, (uFlags & MF_BYPOSITION) != 0, &place);
  if (item == nullptr) return FALSE;
  const HMENU submenu = (item->type & MF_POPUP) ? item->submenu : nullptr;
  Menu* menu = FindMenu(place.menu);
  menu->items.erase(menu->items.begin() + static_cast<std::ptrdiff_t>(place.position));
  if (submenu != nullptr) cesim::detail::DestroyMenuTree(submenu);
  return TRUE;
}

CESIM_API UINT WINAPI GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
  MenuItemPlace place;
  const MenuItem* item = FindItem(hMenu, uId, (uFlags & MF_BYPOSITION) != 0, &place);
  if (item == nullptr) return kNotFound;
  if (item->type & MF_POPUP) {
    // A pop-up item: the count of its menu's items in the high byte, its flags in the low byte.
    Menu* submenu = FindMenu(item->submenu);
    if (submenu == nullptr) return kNotFound;
    return (static_cast<UINT>(submenu->items.size()) << 8) | ((item->state | item->type) & 0xff);
  }
  return item->type | item->state;
}

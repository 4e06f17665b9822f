// LoadMenuW: a module's standard menu resource turned into menus, with the menu functions an
// application would use: the resource's top level becomes a menu bar (CreateMenu), each pop-up item
// a pop-up menu (CreatePopupMenu) appended with its text; an item whose text is empty is a
// separator, as the platform reads the template.
#include <optional>
#include <vector>

#include "menu/template.h"
#include "sim/core.h"
#include "sim/menu.h"
#include "sim/resources.h"

namespace {

using cesim::detail::MenuTemplateItem;

// Appends the items to the menu; false, with what was appended left in place for the caller to
// destroy, when a menu cannot be made.
bool AppendItems(HMENU menu, const std::vector<MenuTemplateItem>& items) {
  for (const MenuTemplateItem& item : items) {
    if ((item.flags & MF_POPUP) != 0) {
      HMENU popup = CreatePopupMenu();
      if (popup == nullptr) return false;
      if (!AppendItems(popup, item.children) ||
          !AppendMenuW(menu, item.flags, reinterpret_cast<UINT_PTR>(popup), item.text.c_str())) {
        DestroyMenu(popup);
        return false;
      }
    } else if (!AppendMenuW(menu, item.flags, item.id, item.text.empty() ? nullptr : item.text.c_str())) {
      return false;
    }
  }
  return true;
}

}  // namespace

CESIM_API HMENU WINAPI LoadMenuW(HINSTANCE hInstance, LPCWSTR lpMenuName) {
  HRSRC found = FindResourceW(hInstance, lpMenuName, RT_MENU);
  if (found == nullptr) return nullptr;
  const void* data = LoadResource(hInstance, found);
  const DWORD size = SizeofResource(hInstance, found);
  if (data == nullptr) return nullptr;
  std::optional<std::vector<MenuTemplateItem>> items = cesim::detail::ParseMenuTemplate(data, size);
  if (!items) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  HMENU menu = CreateMenu();
  if (menu == nullptr) return nullptr;
  if (!AppendItems(menu, *items)) {
    DestroyMenu(menu);
    return nullptr;
  }
  return menu;
}

#include "view/menu_items.h"

BOOL ReadMenuItem(HMENU menu, UINT item, BOOL byPosition, UINT mask, MENUITEMINFOW* info) {
  memset(info, 0, sizeof(*info));
  info->cbSize = sizeof(*info);
  info->fMask = mask;
  return GetMenuItemInfoW(menu, item, byPosition, info);
}

BOOL ReadMenuItemId(HMENU menu, UINT item, BOOL byPosition, UINT* id) {
  MENUITEMINFOW info;
  if (!ReadMenuItem(menu, item, byPosition, MIIM_ID, &info)) return FALSE;
  *id = info.wID;
  return TRUE;
}

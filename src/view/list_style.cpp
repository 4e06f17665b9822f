// The three list styles and their pop-up menu.
#include "view/list_style.h"

#include "host/settings.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"
#include "view/commands.h"

HMENU BuildListStyleMenu() {
  HMENU menu = CreatePopupMenu();
  if (menu == NULL) return NULL;
  AppendMenuW(menu, MF_STRING, CMD_STYLE_DETAIL, GetResourceString(IDS_DETAIL));
  AppendMenuW(menu, MF_STRING, CMD_STYLE_DETAIL_HEADER, GetResourceString(IDS_DETAIL_WITH_HEADER));
  AppendMenuW(menu, MF_STRING, CMD_STYLE_ICON, GetResourceString(IDS_ICON));
  return menu;
}

DWORD ListStyleOfCommand(UINT command) {
  switch (command) {
    case CMD_STYLE_DETAIL:
      return LIST_STYLE_DETAIL;
    case CMD_STYLE_DETAIL_HEADER:
      return LIST_STYLE_DETAIL_HEADER;
    case CMD_STYLE_ICON:
      return LIST_STYLE_ICON;
    default:
      return 0;
  }
}

void ApplyListStyle(HWND listView, DWORD value) {
  DWORD style = static_cast<DWORD>(GetWindowLongW(listView, GWL_STYLE));
  SetWindowLongW(listView, GWL_STYLE, static_cast<LONG>((style & ~static_cast<DWORD>(LIST_STYLE_MASK)) | value));
}

void CheckListStyleItem(HMENU menu, DWORD windowStyle) {
  UINT checked = CMD_STYLE_ICON;
  if ((windowStyle & LVS_REPORT) != 0)
    checked = (windowStyle & LVS_NOCOLUMNHEADER) != 0 ? CMD_STYLE_DETAIL : CMD_STYLE_DETAIL_HEADER;
  CheckMenuRadioItem(menu, CMD_STYLE_DETAIL, CMD_STYLE_ICON, checked, MF_BYCOMMAND);
}

// The Explorer frame's menu bar and the contents of its pop-ups.
#include "frame_menus.h"

#include "explorer_settings.h"

BOOL BuildFrameMenus(FrameMenus* menus) {
  menus->bar = CreateMenu();
  menus->view = CreatePopupMenu();
  menus->history = CreatePopupMenu();
  HMENU file = CreatePopupMenu();
  if (menus->bar == NULL || menus->view == NULL || menus->history == NULL || file == NULL) {
    if (menus->bar != NULL) DestroyMenu(menus->bar);
    if (menus->view != NULL) DestroyMenu(menus->view);
    if (menus->history != NULL) DestroyMenu(menus->history);
    if (file != NULL) DestroyMenu(file);
    menus->bar = menus->view = menus->history = NULL;
    return FALSE;
  }
  AppendMenuW(file, MF_STRING, CMD_CLOSE, TEXT("&Close"));
  AppendMenuW(menus->view, MF_STRING, CMD_REFRESH, TEXT("&Refresh"));
  AppendMenuW(menus->view, MF_STRING, CMD_SHOW_ALL, TEXT("Show &All Files"));
  AppendMenuW(menus->view, MF_STRING, CMD_REDISPLAY, TEXT("Re&display"));
  AppendMenuW(menus->history, MF_STRING, CMD_UP_ONE_LEVEL, TEXT("&Up One Level"));
  AppendMenuW(menus->bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), TEXT("&File"));
  AppendMenuW(menus->bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menus->view), TEXT("&View"));
  AppendMenuW(menus->bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menus->history), TEXT("&Go"));
  return TRUE;
}

void UpdateViewPopup(HMENU view) {
  CheckMenuItem(view, CMD_SHOW_ALL, MF_BYCOMMAND | (ReadViewAll() ? MF_CHECKED : MF_UNCHECKED));
}

void FillHistoryPopup(HMENU history, const PathHistory& entries) {
  while (GetMenuItemCount(history) > 1) DeleteMenu(history, 1, MF_BYPOSITION);
  for (int i = 0; i < entries.count; ++i) {
    AppendMenuW(history, MF_STRING, CMD_HISTORY_FIRST + i, entries.entries[i].path);
  }
}

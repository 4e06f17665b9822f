// The View Options submenu, built once and kept for the module's life.
#include "view/view_options_menu.h"

#include "host/host_contract.h"
#include "host/settings.h"
#include "module/module_state.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"
#include "view/commands.h"
#include "view/list_style.h"

namespace {

const int kItemTextLength = 32;

UINT Mark(DWORD setting) { return setting != 0 ? MF_CHECKED : MF_UNCHECKED; }

}  // namespace

BOOL IsViewPopup(HMENU popup) {
  MENUITEMINFOW item;
  memset(&item, 0, sizeof(item));
  item.cbSize = sizeof(item);
  item.fMask = MIIM_ID;
  return GetMenuItemInfoW(popup, HOST_CMD_REFRESH_VIEW, FALSE, &item);
}

void AddViewOptionsMenu(HMENU popup) {
  if (g_module.viewOptionsMenu != NULL) return;
  HMENU options = BuildListStyleMenu();
  if (options == NULL) return;
  g_module.viewOptionsMenu = options;

  WCHAR showAll[kItemTextLength];
  showAll[0] = 0;
  MENUITEMINFOW item;
  memset(&item, 0, sizeof(item));
  item.cbSize = sizeof(item);
  item.fMask = MIIM_TYPE;
  item.dwTypeData = showAll;
  item.cch = kItemTextLength;
  if (!GetMenuItemInfoW(popup, HOST_CMD_SHOW_ALL, FALSE, &item)) showAll[0] = 0;
  showAll[kItemTextLength - 1] = 0;

  InsertMenuW(options, 0, MF_BYPOSITION | MF_STRING, HOST_CMD_SHOW_ALL, showAll);
  InsertMenuW(options, 1, MF_BYPOSITION | MF_STRING, CMD_SHOW_EXTENSION, GetResourceString(IDS_SHOW_EXTENSION));
  InsertMenuW(options, 2, MF_BYPOSITION | MF_STRING, CMD_PREVIEW_IMAGE, GetResourceString(IDS_PREVIEW_IMAGE));
  InsertMenuW(options, 3, MF_BYPOSITION | MF_SEPARATOR, 0, NULL);
  // The host's item lives on inside View Options only; choosing it still reaches the host. It
  // leaves the host's pop-up before View Options goes in: a search by command looks into a
  // submenu before the items after it, and would find the copy inside View Options first.
  RemoveMenu(popup, HOST_CMD_SHOW_ALL, MF_BYCOMMAND);
  InsertMenuW(popup, HOST_CMD_VIEW_FIRST, MF_BYCOMMAND | MF_POPUP, reinterpret_cast<UINT_PTR>(options),
              GetResourceString(IDS_VIEW_OPTIONS));
}

void UpdateViewOptionsMarks() {
  HMENU options = g_module.viewOptionsMenu;
  if (options == NULL) return;
  CheckMenuItem(options, CMD_SHOW_EXTENSION, MF_BYCOMMAND | Mark(GetShowExt()));
  CheckMenuItem(options, HOST_CMD_SHOW_ALL, MF_BYCOMMAND | Mark(GetViewAll()));
  CheckMenuItem(options, CMD_PREVIEW_IMAGE, MF_BYCOMMAND | Mark(GetPreview()));
  CheckListStyleItem(options, static_cast<DWORD>(GetWindowLongW(g_module.listView, GWL_STYLE)));
}

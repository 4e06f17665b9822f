// The pane's context menu entries. The host takes its pane menu from the shell's resources
// ("shellres" menu 8915, else "ceshell" menu 107); the item at position 1 of that menu's first
// pop-up tells it from any other pop-up that the pane opens.
#include "view/pane_context_menu.h"

#include "host/settings.h"
#include "module/module_state.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"
#include "view/commands.h"
#include "view/list_style.h"

namespace {

const UINT kShellResourcesMenu = 8915;
const UINT kShellLibraryMenu = 107;

BOOL ReadItemByPosition(HMENU menu, UINT position, UINT mask, MENUITEMINFOW* info) {
  memset(info, 0, sizeof(*info));
  info->cbSize = sizeof(*info);
  info->fMask = mask;
  return GetMenuItemInfoW(menu, position, TRUE, info);
}

BOOL ReadItemId(HMENU menu, UINT position, UINT* id) {
  MENUITEMINFOW info;
  if (!ReadItemByPosition(menu, position, MIIM_ID, &info)) return FALSE;
  *id = info.wID;
  return TRUE;
}

HMENU LoadShellMenu(LPCWSTR moduleName, UINT menuId) {
  // Without the module there is nothing to load: a null module would name the host program.
  HMODULE module = GetModuleHandleW(moduleName);
  if (module == NULL) return NULL;
  return LoadMenuW(module, MAKEINTRESOURCEW(menuId));
}

// The identifier at position 1 of the shell's pane menu. FALSE when neither module gives the
// menu: then no pop-up is taken for the pane's context menu.
BOOL ReadReferenceId(UINT* id) {
  HMENU menu = LoadShellMenu(TEXT("shellres"), kShellResourcesMenu);
  if (menu == NULL) menu = LoadShellMenu(TEXT("ceshell"), kShellLibraryMenu);
  if (menu == NULL) return FALSE;
  HMENU first = GetSubMenu(menu, 0);
  BOOL read = first != NULL && ReadItemId(first, 1, id);
  DestroyMenu(menu);
  return read;
}

BOOL IsPaneContextMenu(HMENU popup) {
  UINT id = 0;
  UINT reference = 0;
  if (!ReadItemId(popup, 1, &id)) return FALSE;
  if (!ReadReferenceId(&reference)) return FALSE;
  return id == reference;
}

// The entries go in only where the host's separator still stands at position 2; a menu that
// has them already holds "Show Extension" there.
void InsertEntries(HMENU popup, DWORD listStyle) {
  MENUITEMINFOW info;
  if (!ReadItemByPosition(popup, 2, MIIM_TYPE, &info) || (info.fType & MFT_SEPARATOR) == 0) return;
  HMENU styles = BuildListStyleMenu();
  if (styles == NULL) return;
  CheckListStyleItem(styles, listStyle);
  InsertMenuW(popup, 2, MF_BYPOSITION | MF_STRING, CMD_SHOW_EXTENSION, GetResourceString(IDS_SHOW_EXTENSION));
  InsertMenuW(popup, 3, MF_BYPOSITION | MF_STRING, CMD_PREVIEW_IMAGE, GetResourceString(IDS_PREVIEW_IMAGE));
  // A submenu that could not be inserted belongs to nobody and goes.
  if (!InsertMenuW(popup, 4, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(styles),
                   GetResourceString(IDS_CHANGE_STYLE))) {
    DestroyMenu(styles);
  }
  InsertMenuW(popup, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, CMD_CHANGE_FOLDER,
              GetResourceString(IDS_CHANGE_FOLDER));
}

UINT CheckedIf(DWORD setting) { return setting != 0 ? MF_CHECKED : MF_UNCHECKED; }

// "Change Folder" is grey while the host shows a network folder, which the folder tree does not
// hold.
BOOL LastLocationIsNetwork() {
  WCHAR path[MAX_PATH];
  path[0] = 0;
  path[1] = 0;
  GetLastLocation(path);
  return path[0] == TEXT('\\') && path[1] == TEXT('\\');
}

}  // namespace

void OnPanePopupOpens(HMENU popup) {
  if (!IsPaneContextMenu(popup)) return;
  InsertEntries(popup, static_cast<DWORD>(GetWindowLongW(g_module.listView, GWL_STYLE)));
  CheckMenuItem(popup, CMD_SHOW_EXTENSION, MF_BYCOMMAND | CheckedIf(GetShowExt()));
  CheckMenuItem(popup, CMD_PREVIEW_IMAGE, MF_BYCOMMAND | CheckedIf(GetPreview()));
  EnableMenuItem(popup, CMD_CHANGE_FOLDER, MF_BYCOMMAND | (LastLocationIsNetwork() ? MF_GRAYED : MF_ENABLED));
}

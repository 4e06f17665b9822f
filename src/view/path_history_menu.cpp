// The path history as the Explorer keeps it: "MRUList" holds one letter per entry, in the
// order shown; each entry's path is the value named by its letter.
#include "view/path_history_menu.h"

#include "host/host_contract.h"
#include "module/module_state.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"
#include "view/commands.h"

namespace {

const WCHAR kOrderValue[] = TEXT("MRUList");
const int kOrderLength = 16;   // at most 15 letters and the terminator
const int kSearchedItems = 20;  // where the previous opening's submenu is looked for

// Reads a string value into `text` (`length` characters), always terminated within it; the
// text is empty when the value cannot be read. Returns the registry status.
LONG ReadString(HKEY key, LPCWSTR name, WCHAR* text, int length) {
  text[0] = 0;
  DWORD size = static_cast<DWORD>(length * sizeof(WCHAR));
  LONG status = RegQueryValueExW(key, name, NULL, NULL, reinterpret_cast<BYTE*>(text), &size);
  if (status != ERROR_SUCCESS) {
    text[0] = 0;  // what a failed read leaves in the buffer is not defined
    return status;
  }
  // A value stored without its terminator ends where its data ends.
  DWORD end = size / sizeof(WCHAR);
  text[end < static_cast<DWORD>(length) ? end : static_cast<DWORD>(length - 1)] = 0;
  return status;
}

HKEY OpenHistory() {
  HKEY key = NULL;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, HOST_KEY_HISTORY, 0, 0, &key) != ERROR_SUCCESS) return NULL;
  return key;
}

}  // namespace

BOOL IsPathHistoryPopup(HMENU popup) {
  MENUITEMINFOW item;
  memset(&item, 0, sizeof(item));
  item.cbSize = sizeof(item);
  item.fMask = MIIM_ID;
  return GetMenuItemInfoW(popup, 0, TRUE, &item) && item.wID == HOST_MENU_HISTORY_FIRST;
}

void RemoveDeletePathMenu(HMENU popup) {
  // Position 0 is the host's own item 210, never a submenu of ours.
  for (int position = 1; position < kSearchedItems; ++position) {
    if (GetSubMenu(popup, position) == NULL) continue;
    DeleteMenu(popup, position - 1, MF_BYPOSITION);  // the separator before it
    DeleteMenu(popup, position - 1, MF_BYPOSITION);  // the submenu, moved up
    return;
  }
}

void AddDeletePathMenu(HMENU popup) {
  HKEY key = OpenHistory();
  if (key == NULL) return;
  WCHAR order[kOrderLength];
  ReadString(key, kOrderValue, order, kOrderLength);
  HMENU entries = order[0] != 0 ? CreatePopupMenu() : NULL;
  if (entries != NULL) {
    for (const WCHAR* letter = order; *letter != 0; ++letter) {
      WCHAR name[2] = {*letter, 0};
      WCHAR path[MAX_PATH];
      ReadString(key, name, path, MAX_PATH);
      InsertMenuW(entries, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, CMD_DELETE_PATH_BASE + *letter, path);
    }
    InsertMenuW(popup, static_cast<UINT>(-1), MF_BYPOSITION | MF_SEPARATOR, 0, NULL);
    InsertMenuW(popup, static_cast<UINT>(-1), MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(entries),
                GetResourceString(IDS_DELETE_PATH));
  }
  RegCloseKey(key);
}

void DeletePathAndRestart(WCHAR letter) {
  HKEY key = OpenHistory();
  if (key != NULL) {
    WCHAR order[kOrderLength];
    LONG status = ReadString(key, kOrderValue, order, kOrderLength);
    WCHAR* found = wcschr(order, letter);
    if (found != NULL) memmove(found, found + 1, wcslen(found) * sizeof(WCHAR));  // terminator included
    // A history that could not be read (one longer than fifteen entries) is never overwritten
    // with an empty one; a missing one is written back empty.
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
      RegSetValueExW(key, kOrderValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(order),
                     static_cast<DWORD>((wcslen(order) + 1) * sizeof(WCHAR)));
    }
    RegCloseKey(key);
  }
  // The new Explorer first: when it cannot be started, the user keeps the one that is open.
  if (CreateProcessW(HOST_PROGRAM_NAME, NULL, NULL, NULL, FALSE, 0, NULL, NULL, NULL, NULL)) {
    PostMessageW(g_module.frameWindow, WM_CLOSE, 0, 0);
  }
}

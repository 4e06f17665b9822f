// The pane's context menus and the item actions that they lead to.
#include "pane_menus.h"

#include "context_menu_host.h"
#include "folder_listing.h"
#include "frame_window.h"
#include "import_routing.h"
#include "item_record.h"
#include "pane_window.h"

namespace {

// Positions of the items that the Explorer acts on in the shell's pane menu.
const int kNewFolderPosition = 0;
const int kSelectAllPosition = 1;
const int kPastePosition = 3;
const int kPasteShortcutPosition = 4;
const int kRefreshPosition = 6;

// The shell's Explorer menu: "shellres" menu 8915 where that module is loaded, else "ceshell" 107.
HMENU LoadShellExplorerMenu() {
  HMODULE shellres = GetModuleHandleW(TEXT("shellres"));
  if (shellres != NULL) {
    HMENU menu = LoadMenuW(shellres, MAKEINTRESOURCEW(8915));
    if (menu != NULL) return menu;
  }
  HMODULE ceshell = GetModuleHandleW(TEXT("ceshell"));
  return ceshell != NULL ? LoadMenuW(ceshell, MAKEINTRESOURCEW(107)) : NULL;
}

BOOL IsProgram(LPCWSTR path) {
  size_t length = wcslen(path);
  return length > 4 && _wcsicmp(path + length - 4, TEXT(".exe")) == 0;
}

// A folder "New Folder" in the current folder, or "New Folder (2)" and so on when it is taken.
void CreateNewFolder(HWND pane) {
  WCHAR folder[MAX_PATH];
  GetFrameFolder(GetParent(pane), folder, MAX_PATH);
  size_t length = wcslen(folder);
  if (length > 0 && folder[length - 1] == TEXT('\\')) --length;
  for (int number = 1; number < 100; ++number) {
    WCHAR path[MAX_PATH];
    WCHAR name[32];
    if (number == 1) {
      _snwprintf(name, 31, TEXT("New Folder"));
    } else {
      _snwprintf(name, 31, TEXT("New Folder (%d)"), number);
    }
    name[31] = 0;
    if (length + 1 + wcslen(name) >= MAX_PATH) return;
    memcpy(path, folder, length * sizeof(WCHAR));
    path[length] = TEXT('\\');
    memcpy(path + length + 1, name, (wcslen(name) + 1) * sizeof(WCHAR));
    if (RoutedGetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) continue;
    if (CreateDirectoryW(path, NULL)) RefillPane(pane);
    return;
  }
}

void SelectAll(HWND list) {
  LVITEMW state;
  memset(&state, 0, sizeof(state));
  state.stateMask = LVIS_SELECTED;
  state.state = LVIS_SELECTED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
}

}  // namespace

void ShowPaneMenu(HWND pane, HWND list, POINT screen) {
  HMENU menu = LoadShellExplorerMenu();
  HMENU popup = menu != NULL ? GetSubMenu(menu, 0) : NULL;
  if (popup == NULL) {
    if (menu != NULL) DestroyMenu(menu);
    return;
  }
  // The commands as the shell's menu names them, read before an extension adds its items.
  UINT newFolder = GetMenuItemID(popup, kNewFolderPosition);
  UINT selectAll = GetMenuItemID(popup, kSelectAllPosition);
  UINT refresh = GetMenuItemID(popup, kRefreshPosition);
  EnableMenuItem(popup, kPastePosition, MF_BYPOSITION | MF_GRAYED);
  EnableMenuItem(popup, kPasteShortcutPosition, MF_BYPOSITION | MF_GRAYED);
  UINT command = static_cast<UINT>(
      TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, screen.x, screen.y, 0, pane, NULL));
  DestroyMenu(menu);
  if (command == 0) return;
  if (command == newFolder) {
    CreateNewFolder(pane);
  } else if (command == selectAll) {
    SelectAll(list);
  } else if (command == refresh) {
    RefillPane(pane);
  } else {
    // Items that an extension added go to the pane as the commands they are.
    SendMessageW(pane, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  }
}

void ShowItemMenu(HWND pane, HWND list, int item, POINT screen) {
  BYTE* record = ListedRecord(list, item);
  if (record == NULL) return;
  WCHAR path[MAX_PATH];
  wcsncpy(path, ItemRecordPath(record), MAX_PATH - 1);
  path[MAX_PATH - 1] = 0;
  BOOL openable = ItemRecordIsFolder(record) || IsProgram(path);
  ContextMenuSession session;
  memset(&session, 0, sizeof(session));
  if (!OpenContextMenu(path, &session)) return;
  if (!openable) EnableMenuItem(session.menu, kCommandOpen, MF_BYCOMMAND | MF_GRAYED);
  UINT command = static_cast<UINT>(
      TrackPopupMenu(session.menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, screen.x, screen.y, 0, pane, NULL));
  if (command >= static_cast<UINT>(kFirstHandlerCommand)) {
    InvokeHandlerCommand(&session, command, GetParent(pane));
    CloseContextMenu(&session);
    return;
  }
  CloseContextMenu(&session);
  // The list may have changed while the menu was open: find the item by its record again.
  LVFINDINFOW find;
  memset(&find, 0, sizeof(find));
  find.flags = LVFI_PARAM;
  find.lParam = reinterpret_cast<LPARAM>(record);
  item = static_cast<int>(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
  if (item < 0) return;
  switch (command) {
    case kCommandOpen:
      OpenListItem(pane, list, item);
      break;
    case kCommandDelete:
      DeleteListItem(pane, list, item);
      break;
    case kCommandRename:
      SetFocus(list);
      SendMessageW(list, LVM_EDITLABELW, item, 0);
      break;
    default:
      break;
  }
}

void OpenListItem(HWND pane, HWND list, int item) {
  BYTE* record = ListedRecord(list, item);
  if (record == NULL) return;
  WCHAR path[MAX_PATH];
  wcsncpy(path, ItemRecordPath(record), MAX_PATH - 1);
  path[MAX_PATH - 1] = 0;
  if (ItemRecordIsFolder(record)) {
    SendMessageW(GetParent(pane), FRAME_MSG_NAVIGATE, 0, reinterpret_cast<LPARAM>(path));
  } else if (IsProgram(path)) {
    PROCESS_INFORMATION process;
    memset(&process, 0, sizeof(process));
    if (CreateProcessW(path, NULL, NULL, NULL, FALSE, 0, NULL, NULL, NULL, &process)) {
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
  }
}

void DeleteListItem(HWND pane, HWND list, int item) {
  BYTE* record = ListedRecord(list, item);
  if (record == NULL) return;
  WCHAR path[MAX_PATH];
  wcsncpy(path, ItemRecordPath(record), MAX_PATH - 1);
  path[MAX_PATH - 1] = 0;
  BOOL deleted = ItemRecordIsFolder(record) ? RemoveDirectoryW(path) : RoutedDeleteFileW(path);
  if (!deleted) return;
  // What is gone leaves the list; what the file system still shows is listed anew.
  if (RoutedGetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) {
    SendMessageW(list, LVM_DELETEITEM, item, 0);
  } else {
    RefillPane(pane);
  }
}

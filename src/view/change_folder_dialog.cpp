// The Change Folder dialog: a modeless, borderless pop-up that behaves like a drop-down list.
// It fills its tree one folder level at a time as branches open, and closes itself, once, when it
// loses activation, on Tab or Escape (in the tree or through the dialog manager), and after a
// navigation by tap or Enter.
#include "view/change_folder_dialog.h"

#include "host/host_contract.h"
#include "host/settings.h"
#include "module/module_state.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"

namespace {

HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

void ReadItemText(HWND tree, HTREEITEM item, WCHAR* text) {
  TVITEMW tvi;
  tvi.mask = TVIF_TEXT;
  tvi.hItem = item;
  tvi.pszText = text;
  tvi.cchTextMax = MAX_PATH;
  text[0] = 0;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi));
  text[MAX_PATH - 1] = 0;
}

HTREEITEM InsertItem(HWND tree, HTREEITEM parent, HTREEITEM after, LPCWSTR text, int children) {
  TVINSERTSTRUCTW insert;
  insert.hParent = parent;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
  insert.item.pszText = const_cast<LPWSTR>(text);
  insert.item.cChildren = children;
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

// Joins "first", "separator" and "second" into out (MAX_PATH); FALSE when that does not fit.
BOOL JoinPath(LPCWSTR first, LPCWSTR separator, LPCWSTR second, WCHAR* out) {
  size_t length = wcslen(first) + wcslen(separator) + wcslen(second);
  if (length >= MAX_PATH) return FALSE;
  _snwprintf(out, MAX_PATH, TEXT("%s%s%s"), first, separator, second);
  out[length] = 0;
  return TRUE;
}

BOOL IsNetworkPath(LPCWSTR path) { return path[0] == TEXT('\\') && path[1] == TEXT('\\'); }

// A search entry that is a sub-folder. The folder-only search is advisory: a file system that
// cannot filter returns files as well, so the attribute decides. Desktop Windows also lists the
// folder itself and its parent as "." and "..", which are no sub-folders.
BOOL IsSubFolder(const WIN32_FIND_DATAW& entry) {
  if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return FALSE;
  const WCHAR* name = entry.cFileName;
  if (name[0] == TEXT('.') && (name[1] == 0 || (name[1] == TEXT('.') && name[2] == 0))) return FALSE;
  return TRUE;
}

// Whether the folder that the pattern lists holds a sub-folder, hidden ones included. Where the
// file system filters, the first entry settles it with one search call; elsewhere the search
// goes on past the files until it finds a folder or ends.
BOOL HasSubFolder(LPCWSTR pattern) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileExW(pattern, FindExInfoStandard, &entry, FindExSearchLimitToDirectories, NULL, 0);
  if (search == INVALID_HANDLE_VALUE) return FALSE;
  BOOL found = IsSubFolder(entry);
  while (!found && FindNextFileW(search, &entry)) found = IsSubFolder(entry);
  FindClose(search);
  return found;
}

// --- Ending the dialog ---
//
// The dialog ends once. Its end begins at once (DestroyWindow), or, where the tree has asked by
// a notification after which it goes on using its own state (NM_CLICK, NM_RETURN, TVN_KEYDOWN),
// once that notification has returned: the dialog posts itself WM_CLOSE. From then on nothing
// begins the end again: not the messages that the destruction itself causes (it deactivates the
// dialog and takes the focus from the tree, from inside DestroyWindow), nor those of a
// destruction begun by someone else (the Explorer destroying its frame window, which destroys
// the windows it owns). The marks name the dialog by its handle and stay after it is gone, so
// that no message of a destruction, early or late, can start another one; WM_DESTROY sets the
// mark too. A dialog that is not visible counts as ending as well: it is shown once it is created
// and nothing hides it but its destruction, which hides it before it tells it anything, so
// neither a destruction begun elsewhere nor the messages of its own creation end it again.

enum CloseTime { kCloseNow, kCloseAfterNotification };

BOOL IsClosing(HWND dialog) {
  return g_module.folderDialogClosing == dialog || g_module.folderDialogDestroying == dialog ||
         !IsWindowVisible(dialog);
}

void DestroyFolderDialog(HWND dialog) {
  if (g_module.folderDialogDestroying == dialog) return;
  g_module.folderDialogDestroying = dialog;
  DestroyWindow(dialog);
}

// Ends the dialog from a notification of its tree: after the notification has returned.
void PostFolderDialogClose(HWND dialog) {
  g_module.folderDialogClosing = dialog;
  // A close that cannot be posted leaves the dialog open for the next reason to close.
  if (!PostMessageW(dialog, WM_CLOSE, 0, 0) && IsWindow(dialog)) g_module.folderDialogClosing = NULL;
}

void CloseFolderDialog(HWND dialog, CloseTime when) {
  if (IsClosing(dialog)) return;
  if (when == kCloseNow) {
    DestroyFolderDialog(dialog);
  } else {
    PostFolderDialogClose(dialog);
  }
}

// Sends the selected folder to the frame window and ends the dialog; a dialog whose end has begun
// has made its choice already, so the folder is sent once.
void NavigateToSelection(HWND dialog, HWND tree, CloseTime when) {
  if (IsClosing(dialog)) return;
  // The end begins before the folder goes out: whatever the Explorer does while it shows the
  // folder (activating its own window) leaves the end to this choice.
  g_module.folderDialogClosing = dialog;
  WCHAR path[MAX_PATH];
  HTREEITEM selected = NextItem(tree, NULL, TVGN_CARET);
  // A folder whose path does not fit is never sent: a cut path would name another folder.
  if (GetTreeItemPath(tree, selected, path)) {
    SendMessageW(GetWindow(dialog, GW_OWNER), HOST_MSG_NAVIGATE, 0, reinterpret_cast<LPARAM>(path));
  }
  if (when == kCloseNow) {
    DestroyFolderDialog(dialog);
  } else {
    PostFolderDialogClose(dialog);
  }
}

// --- Notifications of the tree ---

void OnItemExpanding(HWND tree, const NMTREEVIEWW* notify) {
  if (notify->action != TVE_EXPAND) return;
  TVITEMW state;
  state.mask = TVIF_STATE | TVIF_HANDLE;
  state.hItem = notify->itemNew.hItem;
  state.stateMask = TVIS_EXPANDEDONCE;
  state.state = 0;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&state));
  if (state.state & TVIS_EXPANDEDONCE) return;  // each folder is listed once
  WCHAR path[MAX_PATH];
  if (GetTreeItemPath(tree, notify->itemNew.hItem, path)) FillFolderChildren(tree, notify->itemNew.hItem, path);
}

void OnClick(HWND dialog, HWND tree) {
  DWORD position = GetMessagePos();
  POINT point;
  point.x = static_cast<short>(LOWORD(position));
  point.y = static_cast<short>(HIWORD(position));
  ScreenToClient(tree, &point);
  TVHITTESTINFO hit;
  hit.pt = point;
  hit.flags = 0;
  hit.hItem = NULL;
  SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  // Only a tap on the item itself navigates; its expand button and the space beside it do not.
  if (!(hit.flags & TVHT_ONITEM) || hit.hItem == NULL) return;
  if (IsClosing(dialog)) return;
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hit.hItem));
  NavigateToSelection(dialog, tree, kCloseAfterNotification);
}

void OnTreeKeyDown(HWND dialog, const NMTVKEYDOWN* notify) {
  if (notify->wVKey == VK_ESCAPE || notify->wVKey == VK_TAB) CloseFolderDialog(dialog, kCloseAfterNotification);
}

// A tree that takes the focus with nothing selected selects its first visible item; where the path
// was not found, the dialog takes that selection back, once.
void OnTreeFocus(HWND tree) {
  if (g_module.folderTreeUnselected != tree) return;
  g_module.folderTreeUnselected = NULL;
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, 0);
}

INT_PTR OnNotify(HWND dialog, const NMHDR* header) {
  HWND tree = g_module.folderTree;
  switch (header->code) {
    case TVN_ITEMEXPANDINGW:
      OnItemExpanding(tree, reinterpret_cast<const NMTREEVIEWW*>(header));
      return FALSE;
    case TVN_KEYDOWN:
      OnTreeKeyDown(dialog, reinterpret_cast<const NMTVKEYDOWN*>(header));
      return FALSE;
    case NM_CLICK:
      OnClick(dialog, tree);
      return FALSE;
    case NM_RETURN:
      NavigateToSelection(dialog, tree, kCloseAfterNotification);
      return FALSE;
    case NM_SETFOCUS:
      OnTreeFocus(tree);
      return FALSE;
    case NM_RECOGNIZEGESTURE:
      // The tree keeps its own tap handling: no tap-and-hold gesture here.
      SetWindowLongW(dialog, DWL_MSGRESULT, 1);
      return TRUE;
    default:
      return FALSE;
  }
}

// --- The dialog manager's keys ---
//
// A host whose message loop calls IsDialogMessageW turns Enter, Escape and Tab into the dialog's
// IDOK and IDCANCEL commands and WM_NEXTDLGCTL before the tree sees them (the tree asks only for
// arrows and characters); they act as the keys do in the tree. The dialog manager sends them
// from its own message handling, outside any notification of the tree, so the dialog ends at once.

BOOL OnCommand(HWND dialog, WORD id) {
  switch (id) {
    case IDOK:
      NavigateToSelection(dialog, g_module.folderTree, kCloseNow);
      return TRUE;
    case IDCANCEL:
      CloseFolderDialog(dialog, kCloseNow);
      return TRUE;
    default:
      return FALSE;
  }
}

// The dialog has one control: moving the focus to another one is leaving it, as Tab in the tree is.
BOOL OnNextDialogControl(HWND dialog) {
  CloseFolderDialog(dialog, kCloseNow);
  return TRUE;
}

LRESULT OnClose(HWND dialog, WPARAM wParam, LPARAM lParam) {
  // Its own posted close, or anyone's: the platform's default destroys the dialog, once. A close
  // during the destruction is answered as handled, so that the dialog manager adds nothing.
  if (g_module.folderDialogDestroying == dialog) return TRUE;
  g_module.folderDialogDestroying = dialog;
  return DefWindowProcW(dialog, WM_CLOSE, wParam, lParam);
}

LRESULT OnDestroy(HWND dialog, WPARAM wParam, LPARAM lParam) {
  // Whoever began it, the destruction is under way: nothing it still sends begins another.
  g_module.folderDialogDestroying = dialog;
  return DefWindowProcW(dialog, WM_DESTROY, wParam, lParam);
}

// --- Initialisation ---

void PlaceBelowPathControl(HWND dialog) {
  HWND frame = GetWindow(dialog, GW_OWNER);
  RECT rect;
  HWND control = GetDlgItem(frame, HOST_FRAME_PATH_CONTROL);
  if (control == NULL || !GetWindowRect(control, &rect)) return;
  // Placed only: SetWindowPos would otherwise activate the dialog while it is being created. The
  // platform shows and activates it once it is initialised, with the focus on the tree.
  SetWindowPos(dialog, NULL, -1, rect.bottom, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void InsertRoots(HWND tree, LPCWSTR start) {
  if (IsNetworkPath(start)) {
    // The leading two backslashes and the server name stand for the device root.
    WCHAR server[MAX_PATH];
    const WCHAR* end = wcschr(start + 2, TEXT('\\'));
    size_t length = end != NULL ? static_cast<size_t>(end - start) : wcslen(start);
    if (length >= MAX_PATH) length = MAX_PATH - 1;
    for (size_t i = 0; i < length; ++i) server[i] = start[i];
    server[length] = 0;
    InsertItem(tree, TVI_ROOT, TVI_SORT, server, 1);
    return;
  }
  InsertItem(tree, TVI_ROOT, TVI_SORT, GetResourceString(IDS_MY_DEVICE), 1);
  // The network root shows the whole setting; a value that does not fit a path gives none.
  WCHAR network[MAX_PATH];
  network[0] = 0;
  ReadSettingPath(HKEY_CURRENT_USER, HOST_KEY_USER, TEXT("NetWorkPath"), network);
  if (network[0] != 0) InsertItem(tree, TVI_ROOT, TVI_LAST, network, 0);
}

BOOL OnInitDialog(HWND dialog, LPCWSTR start) {
  // A new dialog that has the handle of an old one starts with no end under way.
  if (g_module.folderDialogClosing == dialog) g_module.folderDialogClosing = NULL;
  if (g_module.folderDialogDestroying == dialog) g_module.folderDialogDestroying = NULL;
  g_module.folderTree = GetDlgItem(dialog, IDC_FOLDER_TREE);
  PlaceBelowPathControl(dialog);
  InsertRoots(g_module.folderTree, start);
  ExpandTreeToPath(g_module.folderTree, start);
  bool found = NextItem(g_module.folderTree, NULL, TVGN_CARET) != NULL;
  g_module.folderTreeUnselected = found ? NULL : g_module.folderTree;
  return TRUE;  // the platform gives the focus to the tree
}

}  // namespace

HWND ShowChangeFolderDialog(HWND frame) {
  // Any dialog that the frame window owns counts as an open Change Folder dialog.
  for (HWND window = GetWindow(frame, GW_HWNDPREV); window != NULL; window = GetWindow(window, GW_HWNDPREV)) {
    if (GetWindow(window, GW_OWNER) != frame) continue;
    WCHAR className[8];
    if (GetClassNameW(window, className, 8) > 0 && wcscmp(className, TEXT("Dialog")) == 0) return window;
  }
  WCHAR lastLocation[MAX_PATH];
  lastLocation[0] = 0;
  GetLastLocation(lastLocation);
  LPCVOID dialogTemplate = GetDialogTemplate(IDD_CHANGE_FOLDER);
  if (dialogTemplate == NULL) return NULL;
  return CreateDialogIndirectParamW(g_module.instance, static_cast<LPCDLGTEMPLATEW>(dialogTemplate), frame,
                                    ChangeFolderDialogProc, reinterpret_cast<LPARAM>(lastLocation));
}

INT_PTR CALLBACK ChangeFolderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, reinterpret_cast<LPCWSTR>(lParam));
    case WM_NOTIFY:
      return OnNotify(dialog, reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam));
    case WM_NEXTDLGCTL:
      return OnNextDialogControl(dialog);
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) CloseFolderDialog(dialog, kCloseNow);
      return FALSE;
    case WM_KILLFOCUS:
      if (reinterpret_cast<HWND>(wParam) == g_module.folderTree) CloseFolderDialog(dialog, kCloseNow);
      return FALSE;
    case WM_CANCELMODE:
      CloseFolderDialog(dialog, kCloseNow);
      return FALSE;
    case WM_CLOSE:
      return OnClose(dialog, wParam, lParam);
    case WM_DESTROY:
      return OnDestroy(dialog, wParam, lParam);
    default:
      return FALSE;
  }
}

BOOL GetTreeItemPath(HWND tree, HTREEITEM item, WCHAR* path) {
  WCHAR below[MAX_PATH];  // the components below the root, joined by "\"
  WCHAR text[MAX_PATH];
  WCHAR joined[MAX_PATH];
  below[0] = 0;
  path[0] = 0;
  HTREEITEM parent;
  while (item != NULL && (parent = NextItem(tree, item, TVGN_PARENT)) != NULL) {
    ReadItemText(tree, item, text);
    if (below[0] != 0) {
      if (!JoinPath(text, TEXT("\\"), below, joined)) return FALSE;
      wcscpy(below, joined);
    } else {
      wcscpy(below, text);
    }
    item = parent;
  }
  WCHAR root[MAX_PATH];
  root[0] = 0;
  if (item != NULL) ReadItemText(tree, item, root);
  // The root "My Device" never becomes part of a path; a network root's text does.
  BOOL joinedOk = root[0] == TEXT('\\') ? JoinPath(root, TEXT("\\"), below, path) : JoinPath(TEXT("\\"), TEXT(""), below, path);
  if (!joinedOk) path[0] = 0;
  return joinedOk;
}

void ExpandTreeToPath(HWND tree, LPCWSTR path) {
  WCHAR copy[MAX_PATH];
  wcsncpy(copy, path, MAX_PATH - 1);
  copy[MAX_PATH - 1] = 0;
  HTREEITEM item = NextItem(tree, NULL, TVGN_ROOT);
  WCHAR* component = wcstok(copy, TEXT("\\"));
  if (path[0] != 0 && path[1] == TEXT('\\')) component = wcstok(NULL, TEXT("\\"));  // the server name
  while (component != NULL && item != NULL) {
    // The expansion's notification fills the children; it does not use wcstok, so the walk's
    // position survives it.
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    HTREEITEM child = NextItem(tree, item, TVGN_CHILD);
    item = NULL;
    WCHAR text[MAX_PATH];
    for (; child != NULL; child = NextItem(tree, child, TVGN_NEXT)) {
      ReadItemText(tree, child, text);
      if (_wcsicmp(text, component) == 0) {
        item = child;
        break;
      }
    }
    component = wcstok(NULL, TEXT("\\"));
  }
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

void FillFolderChildren(HWND tree, HTREEITEM parent, LPCWSTR folder) {
  HCURSOR previous = SetCursor(LoadCursorW(NULL, IDC_WAIT));
  // The device root "\" lists as "\*".
  LPCWSTR base = folder[0] != 0 && folder[1] == 0 ? g_module.emptyPath : folder;
  WCHAR pattern[MAX_PATH];
  if (JoinPath(base, TEXT("\\"), TEXT("*"), pattern)) {
    DWORD viewAll = GetViewAll();
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileExW(pattern, FindExInfoStandard, &found, FindExSearchLimitToDirectories, NULL, 0);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        if (!IsSubFolder(found)) continue;
        if (viewAll == 0 && (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN)) continue;
        // A folder whose own path does not fit is left out: it could not be navigated to.
        WCHAR child[MAX_PATH];
        if (!JoinPath(base, TEXT("\\"), found.cFileName, child)) continue;
        // A folder that cannot be listed (its pattern does not fit) gets no expand button.
        WCHAR probe[MAX_PATH];
        int children = JoinPath(child, TEXT("\\"), TEXT("*"), probe) && HasSubFolder(probe) ? 1 : 0;
        InsertItem(tree, parent, TVI_SORT, found.cFileName, children);
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
  }
  SetCursor(previous);
}

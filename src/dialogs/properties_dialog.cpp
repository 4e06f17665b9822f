// The file properties dialog: the item's icon, name, type, size or free and total space, time of
// its last change and two attributes, a shortcut's target, and the way to its version
// information. Its state lives in the module state: one such dialog is open at a time.
#include "dialogs/file_dialogs.h"

#include "dialogs/full_screen_dialog.h"
#include "dialogs/modal_dialog.h"
#include "dialogs/path_name.h"
#include "dialogs/properties_edits.h"
#include "dialogs/properties_fields.h"
#include "dialogs/shell_library.h"
#include "dialogs/shortcut_reader.h"
#include "module/module_state.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"

INT_PTR CALLBACK PropertiesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

namespace {

// Files in ROM and the folders of storage volumes can be looked at but not changed.
const DWORD kLockedAttributes = FILE_ATTRIBUTE_INROM | FILE_ATTRIBUTE_TEMPORARY;

// The find record of the item, taken once. For an item that cannot be found the record is
// cleared, so that nothing of an earlier dialog or of a failed search shows.
void TakeSnapshot(LPCWSTR path) {
  WIN32_FIND_DATAW& find = g_module.propertiesFind;
  HANDLE search = FindFirstFileW(path, &find);
  g_module.propertiesFound = search != INVALID_HANDLE_VALUE;
  if (!g_module.propertiesFound) {
    memset(&find, 0, sizeof(find));
    return;
  }
  FindClose(search);
}

// The name as the file system spells it; for an item that is not there, the name in the path.
LPCWSTR ShownName() {
  if (g_module.propertiesFound) return g_module.propertiesFind.cFileName;
  return FileNameOf(g_module.propertiesPath);
}

// The item's icon and type name, in one call to the shell.
void ShowIcon(HWND dialog, SHFILEINFO* info) {
  memset(info, 0, sizeof(*info));
  SHGetFileInfo(g_module.propertiesPath, 0, info, sizeof(*info), SHGFI_ICON | SHGFI_TYPENAME);
  if (info->hIcon != NULL) {
    SendDlgItemMessageW(dialog, IDC_PROP_ICON, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(info->hIcon));
  }
}

// An item that is not there (any more) is shown locked: there is nothing to change.
void LockFields(DWORD attributes) {
  if ((attributes & kLockedAttributes) || !g_module.propertiesFound) {
    SendMessageW(g_module.propertiesName, EM_SETREADONLY, TRUE, 0);
    SendMessageW(g_module.propertiesTarget, EM_SETREADONLY, TRUE, 0);
    EnableWindow(g_module.propertiesReadOnly, FALSE);
    EnableWindow(g_module.propertiesHidden, FALSE);
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    EnableWindow(g_module.propertiesReadOnly, FALSE);
    EnableWindow(g_module.propertiesHidden, FALSE);
    if (attributes & FILE_ATTRIBUTE_TEMPORARY) ShowWindow(g_module.propertiesModified, SW_HIDE);
  }
}

// A shortcut as the shell library's shortcut test says; on a device without that library, a file
// whose name ends in ".lnk", as the shell writes shortcuts.
BOOL IsShortcut(LPCWSTR path) {
  ShellLibrary library;
  if (OpenShellLibrary(&library)) {
    BOOL shortcut = NamesShortcut(library, path);
    CloseShellLibrary(&library);
    return shortcut;
  }
  const WCHAR* dot = wcsrchr(FileNameOf(path), TEXT('.'));
  return dot != NULL && _wcsicmp(dot, TEXT(".lnk")) == 0;
}

void ShowShortcutTarget(DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return;
  if (!IsShortcut(g_module.propertiesPath)) return;
  ShowWindow(g_module.propertiesTarget, SW_SHOW);
  WCHAR target[MAX_PATH];
  ReadShortcutTarget(g_module.propertiesPath, target, MAX_PATH);  // empty when unreadable
  SetWindowTextW(g_module.propertiesTarget, target);
}

void ShowTexts(HWND dialog, const SHFILEINFO& info) {
  WIN32_FIND_DATAW& find = g_module.propertiesFind;
  WCHAR type[kTypeTextSize];
  FormatTypeText(info.szTypeName, find.dwFileAttributes, type);
  SetDlgItemTextW(dialog, IDC_PROP_TYPE, type);

  if (!g_module.propertiesFound) return;  // no size and no time of an item that is not there
  WCHAR size[kSizeTextSize];
  if (FormatSizeText(g_module.propertiesPath, find, size)) {
    SetDlgItemTextW(dialog, IDC_PROP_SIZE_LABEL, GetResourceString(IDS_FREE_TOTAL));
  }
  SetDlgItemTextW(dialog, IDC_PROP_SIZE, size);

  // The snapshot keeps the local time from here on.
  FileTimeToLocalFileTime(&find.ftLastWriteTime, &find.ftLastWriteTime);
  WCHAR modified[kModifiedTextSize];
  FormatModifiedText(find.ftLastWriteTime, modified);
  SetWindowTextW(g_module.propertiesModified, modified);
}

void CheckAttributeBoxes(DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_READONLY) SendMessageW(g_module.propertiesReadOnly, BM_SETCHECK, BST_CHECKED, 0);
  if (attributes & FILE_ATTRIBUTE_HIDDEN) SendMessageW(g_module.propertiesHidden, BM_SETCHECK, BST_CHECKED, 0);
}

BOOL OnInitDialog(HWND dialog, LPCWSTR path) {
  InitFullScreenDialog(dialog);
  g_module.propertiesPath = path;
  TakeSnapshot(path);
  DWORD versionHandle = 0;
  if (GetFileVersionInfoSizeW(const_cast<LPWSTR>(path), &versionHandle) != 0) {
    ShowWindow(GetDlgItem(dialog, IDC_PROP_VERSION), SW_SHOW);
  }
  SHFILEINFO info;
  ShowIcon(dialog, &info);
  g_module.propertiesName = GetDlgItem(dialog, IDC_PROP_NAME);
  g_module.propertiesTarget = GetDlgItem(dialog, IDC_PROP_TARGET);
  g_module.propertiesReadOnly = GetDlgItem(dialog, IDC_PROP_READONLY);
  g_module.propertiesHidden = GetDlgItem(dialog, IDC_PROP_HIDDEN);
  g_module.propertiesModified = GetDlgItem(dialog, IDC_PROP_MODIFIED);
  const DWORD attributes = g_module.propertiesFind.dwFileAttributes;
  LockFields(attributes);
  SetWindowTextW(g_module.propertiesName, ShownName());
  ShowShortcutTarget(attributes);
  ShowTexts(dialog, info);
  CheckAttributeBoxes(attributes);
  return TRUE;
}

void OnOk(HWND dialog) {
  LPCWSTR path = g_module.propertiesPath;
  const DWORD attributes = g_module.propertiesFind.dwFileAttributes;
  if (IsWindowVisible(g_module.propertiesTarget)) ApplyShortcutTarget(path, g_module.propertiesTarget, attributes);
  if (IsWindowVisible(g_module.propertiesReadOnly)) {
    ApplyAttributes(path, attributes, g_module.propertiesReadOnly, g_module.propertiesHidden);
  }
  if (IsWindowEnabled(g_module.propertiesName)) ApplyName(path, g_module.propertiesName);
  EndDialog(dialog, IDOK);
}

void OnCommand(HWND dialog, WORD id, WORD code) {
  switch (id) {
    case IDOK: OnOk(dialog); break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    case IDC_PROP_VERSION:
      if (code == BN_CLICKED) ShowVersionDialog(dialog, g_module.propertiesPath);
      break;
    default: break;
  }
}

void OnDestroy(HWND dialog) {
  HICON previous = reinterpret_cast<HICON>(SendDlgItemMessageW(dialog, IDC_PROP_ICON, STM_SETIMAGE, IMAGE_ICON, 0));
  if (previous != NULL) DestroyIcon(previous);
}

}  // namespace

void ShowPropertiesDialog(HWND owner, LPCWSTR path) {
  if (path == NULL) return;
  RunModalDialog(IDD_PROPERTIES, owner, &PropertiesDialogProc, reinterpret_cast<LPARAM>(path));
}

INT_PTR CALLBACK PropertiesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, reinterpret_cast<LPCWSTR>(lParam));
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); break;
    case WM_DESTROY: OnDestroy(dialog); break;
    default: break;
  }
  return FALSE;
}

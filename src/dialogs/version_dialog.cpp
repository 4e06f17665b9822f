// The version information dialog: the file version of the fixed part, the description and the
// copyright, and a list of ten further strings whose value shows when the user picks one. Its
// state, with the copied version resource that the list's entries point into, lives in the
// module state: one such dialog is open at a time.
#include "dialogs/file_dialogs.h"

#include "dialogs/full_screen_dialog.h"
#include "dialogs/modal_dialog.h"
#include "dialogs/version_block.h"
#include "module/bounded_format.h"
#include "module/module_state.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"

INT_PTR CALLBACK VersionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

namespace {

// The keys of the list, in the order they are asked for; each is labelled with its string
// IDS_VERSION_KEY_FIRST + its place.
const LPCWSTR kListedKeys[] = {
    TEXT("Comments"),         TEXT("CompanyName"), TEXT("FileVersion"),    TEXT("InternalName"),
    TEXT("LegalTrademarks"),  TEXT("OriginalFilename"), TEXT("PrivateBuild"), TEXT("ProductName"),
    TEXT("ProductVersion"),   TEXT("SpecialBuild"),
};
const int kListedKeyCount = sizeof(kListedKeys) / sizeof(kListedKeys[0]);

// "65535.65535.65535.65535" and its terminator.
const int kFileVersionSize = 24;

void ShowFileVersion(HWND dialog, void* block, DWORD size) {
  const VS_FIXEDFILEINFO* fixed = QueryFixedInfo(block, size);
  if (fixed == NULL) return;
  WCHAR text[kFileVersionSize];
  if (!FormatBounded(text, kFileVersionSize, TEXT("%d.%d.%d.%d"), HIWORD(fixed->dwFileVersionMS),
                     LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS))) {
    return;
  }
  SetDlgItemTextW(dialog, IDC_VERSION_FILE_VERSION, text);
}

void ShowString(HWND dialog, int control, void* block, DWORD size, WORD language, WORD codePage, LPCWSTR key) {
  LPCWSTR value = QueryVersionString(block, size, language, codePage, key);
  if (value != NULL) SetDlgItemTextW(dialog, control, value);
}

// Each key that the resource holds goes into the sorted list with its value's address.
void FillList(HWND dialog, void* block, DWORD size, WORD language, WORD codePage) {
  HWND list = GetDlgItem(dialog, IDC_VERSION_KEYS);
  for (int i = 0; i < kListedKeyCount; ++i) {
    LPCWSTR value = QueryVersionString(block, size, language, codePage, kListedKeys[i]);
    if (value == NULL) continue;
    LPCWSTR label = GetResourceString(IDS_VERSION_KEY_FIRST + i);
    LRESULT index = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label));
    if (index < 0) continue;
    SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(value));
  }
  // No selection change is sent for this: the value shows once the user picks an entry.
  SendMessageW(list, CB_SETCURSEL, 0, 0);
}

void OnInitDialog(HWND dialog, LPCWSTR path) {
  InitFullScreenDialog(dialog);
  g_module.versionPath = path;
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(const_cast<LPWSTR>(path), &handle);
  if (size == 0) {
    EndDialog(dialog, IDCANCEL);
    return;
  }
  void* block = LocalAlloc(LMEM_FIXED, size);
  if (block == NULL) return;
  g_module.versionBlock = block;
  g_module.versionBlockSize = size;
  if (!GetFileVersionInfoW(const_cast<LPWSTR>(path), 0, size, block)) return;
  ShowFileVersion(dialog, block, size);
  WORD language = 0;
  WORD codePage = 0;
  if (!QueryFirstTranslation(block, size, &language, &codePage)) return;
  ShowString(dialog, IDC_VERSION_DESCRIPTION, block, size, language, codePage, TEXT("FileDescription"));
  ShowString(dialog, IDC_VERSION_COPYRIGHT, block, size, language, codePage, TEXT("LegalCopyright"));
  FillList(dialog, block, size, language, codePage);
}

void ShowChosenValue(HWND dialog, HWND list) {
  LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return;
  LRESULT value = SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  if (value == CB_ERR || value == 0) return;
  SetDlgItemTextW(dialog, IDC_VERSION_VALUE, reinterpret_cast<LPCWSTR>(value));
}

void OnCommand(HWND dialog, WORD id, WORD code, HWND control) {
  switch (id) {
    case IDOK:
    case IDCANCEL: EndDialog(dialog, id); break;
    case IDC_VERSION_KEYS:
      if (code == CBN_SELCHANGE) ShowChosenValue(dialog, control);
      break;
    default: break;
  }
}

void OnDestroy() {
  if (g_module.versionBlock != NULL) LocalFree(g_module.versionBlock);
  g_module.versionBlock = NULL;
  g_module.versionBlockSize = 0;
}

}  // namespace

void ShowVersionDialog(HWND owner, LPCWSTR path) {
  if (path == NULL) return;
  RunModalDialog(IDD_VERSION, owner, &VersionDialogProc, reinterpret_cast<LPARAM>(path));
}

INT_PTR CALLBACK VersionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: OnInitDialog(dialog, reinterpret_cast<LPCWSTR>(lParam)); break;
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); break;
    case WM_DESTROY: OnDestroy(); break;
    default: break;
  }
  return FALSE;
}

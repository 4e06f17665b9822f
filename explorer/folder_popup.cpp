// The Explorer's folder pop-up.
#include "folder_popup.h"

#include "explorer_settings.h"

namespace {

// The length of the index-th folder from the root on the way to `folder` ("\" is the 0th);
// 0 when there are not that many.
size_t AncestorLength(LPCWSTR folder, int index) {
  if (index == 0) return 1;
  size_t length = wcslen(folder);
  int seen = 0;
  for (size_t i = 1; i <= length; ++i) {
    if (folder[i] == TEXT('\\') || folder[i] == 0) {
      if (folder[i - 1] == TEXT('\\')) continue;  // no empty components
      if (++seen == index) return i;
    }
  }
  return 0;
}

}  // namespace

BOOL TrackFolderPopup(HWND frame, LPCWSTR currentFolder, POINT at, WCHAR* chosen) {
  HMENU popup = CreatePopupMenu();
  if (popup == NULL) return FALSE;
  WCHAR network[MAX_PATH];
  network[0] = 0;
  BOOL hasNetwork = ReadPathValue(HKEY_CURRENT_USER, EXPLORER_USER_KEY, TEXT("NetWorkPath"), network) && network[0] != 0;
  AppendMenuW(popup, MF_STRING | (hasNetwork ? 0 : MF_GRAYED), CMD_FOLDER_NETWORK, TEXT("\\\\"));
  // Local folders only: a network folder has no root of its own on the device.
  BOOL local = currentFolder != NULL && currentFolder[0] == TEXT('\\') && currentFolder[1] != TEXT('\\');
  int ancestors = 0;
  while (local && ancestors < FOLDER_POPUP_MAX_ANCESTORS) {
    size_t length = AncestorLength(currentFolder, ancestors);
    if (length == 0 || length >= MAX_PATH) break;
    WCHAR text[MAX_PATH];
    memcpy(text, currentFolder, length * sizeof(WCHAR));
    text[length] = 0;
    AppendMenuW(popup, MF_STRING, CMD_FOLDER_FIRST_ANCESTOR + ancestors, text);
    ++ancestors;
  }
  UINT command = static_cast<UINT>(TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, at.x, at.y, 0,
                                                  frame, NULL));
  BOOL result = FALSE;
  if (command == CMD_FOLDER_NETWORK && hasNetwork) {
    memcpy(chosen, network, sizeof(network));
    result = TRUE;
  } else if (command >= CMD_FOLDER_FIRST_ANCESTOR && command < static_cast<UINT>(CMD_FOLDER_FIRST_ANCESTOR + ancestors)) {
    size_t length = AncestorLength(currentFolder, static_cast<int>(command - CMD_FOLDER_FIRST_ANCESTOR));
    memcpy(chosen, currentFolder, length * sizeof(WCHAR));
    chosen[length] = 0;
    result = TRUE;
  }
  // An extension may have destroyed the pop-up while it opened; then it is gone already.
  if (IsMenu(popup)) DestroyMenu(popup);
  return result;
}

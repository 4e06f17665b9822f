// Listing a folder into the Explorer's list.
#include "folder_listing.h"

#include "explorer_settings.h"
#include "import_routing.h"
#include "item_record.h"

BOOL FolderSearchPattern(LPCWSTR folder, WCHAR* pattern) {
  if (folder == NULL) return FALSE;
  size_t length = wcslen(folder);
  // The root "\" is searched as "\*.*", a folder ending in a separator without a second one.
  if (length > 0 && folder[length - 1] == TEXT('\\')) --length;
  const WCHAR suffix[] = TEXT("\\*.*");
  const size_t suffixLength = sizeof(suffix) / sizeof(suffix[0]) - 1;
  if (length + suffixLength >= MAX_PATH) return FALSE;
  memcpy(pattern, folder, length * sizeof(WCHAR));
  memcpy(pattern + length, suffix, sizeof(suffix));
  return TRUE;
}

int ListFolder(HWND list, LPCWSTR folder, BOOL showHidden) {
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  WCHAR pattern[MAX_PATH];
  if (!FolderSearchPattern(folder, pattern)) return 0;
  ItemRecordKind kind = LocationKindOf(folder) == kLocationStorageCard ? kItemOnStorageCard : kItemOnDevice;
  WIN32_FIND_DATAW data;
  HANDLE search = RoutedFindFirstFileW(pattern, &data);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    if (!showHidden && (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0) continue;
    BYTE* record = CreateItemRecord(folder, &data, kind);
    if (record == NULL) continue;
    LVITEMW item;
    memset(&item, 0, sizeof(item));
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = count;
    item.pszText = LPSTR_TEXTCALLBACKW;
    item.lParam = reinterpret_cast<LPARAM>(record);
    if (SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) < 0) {
      FreeItemRecord(record);
      continue;
    }
    ++count;
  } while (RoutedFindNextFileW(search, &data));
  FindClose(search);
  return count;
}

BYTE* ListedRecord(HWND list, int index) {
  if (index < 0) return NULL;
  LVITEMW item;
  memset(&item, 0, sizeof(item));
  item.mask = LVIF_PARAM;
  item.iItem = index;
  if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return NULL;
  return reinterpret_cast<BYTE*>(item.lParam);
}

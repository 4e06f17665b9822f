// Renaming an item of the Explorer's list.
#include "item_rename.h"

#include "item_record.h"
#include "item_text.h"

BOOL RenamedPath(const BYTE* record, LPCWSTR typed, WCHAR* path) {
  if (record == NULL || typed == NULL || typed[0] == 0) return FALSE;
  if (typed[wcscspn(typed, TEXT("\\/:*?\"<>|"))] != 0) return FALSE;
  LPCWSTR oldPath = ItemRecordPath(record);
  size_t folderLength = static_cast<size_t>(ItemRecordName(record) - oldPath);  // "\" included
  LPCWSTR extension = HiddenExtension(record);
  size_t typedLength = wcslen(typed);
  size_t extensionLength = extension != NULL ? wcslen(extension) : 0;
  if (folderLength + typedLength + extensionLength >= MAX_PATH) return FALSE;
  memcpy(path, oldPath, folderLength * sizeof(WCHAR));
  memcpy(path + folderLength, typed, typedLength * sizeof(WCHAR));
  if (extensionLength > 0) memcpy(path + folderLength + typedLength, extension, extensionLength * sizeof(WCHAR));
  path[folderLength + typedLength + extensionLength] = 0;
  return TRUE;
}

LRESULT EndItemRename(HWND list, NMLVDISPINFOW* info) {
  if (info->item.pszText == NULL) return FALSE;  // the edit was cancelled
  LVITEMW item;
  memset(&item, 0, sizeof(item));
  item.mask = LVIF_PARAM;
  item.iItem = info->item.iItem;
  if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return FALSE;
  BYTE* record = reinterpret_cast<BYTE*>(item.lParam);
  WCHAR newPath[MAX_PATH];
  if (!RenamedPath(record, info->item.pszText, newPath)) return FALSE;
  if (wcscmp(newPath, ItemRecordPath(record)) == 0) return FALSE;
  BYTE* renamed = RenameItemRecord(record, newPath);
  if (renamed == NULL) return FALSE;
  if (!MoveFileW(ItemRecordPath(record), newPath)) {
    FreeItemRecord(renamed);
    return FALSE;
  }
  item.lParam = reinterpret_cast<LPARAM>(renamed);
  if (!SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item))) {
    FreeItemRecord(renamed);
    return FALSE;
  }
  FreeItemRecord(record);
  SendMessageW(list, LVM_REDRAWITEMS, item.iItem, item.iItem);
  return FALSE;
}

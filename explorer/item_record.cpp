// The Explorer's item records: written and read field by field, since the layout leaves the
// attributes and the path unaligned for the extensions that read them.
#include "item_record.h"

namespace {

const size_t kKindOffset = 0;
const size_t kTimeOffset = 2;
const size_t kSizeLowOffset = 14;
const size_t kSizeHighOffset = 18;
const size_t kNameOffset = 22;

void PutWord(BYTE* record, size_t offset, WORD value) { memcpy(record + offset, &value, sizeof(value)); }
void PutDword(BYTE* record, size_t offset, DWORD value) { memcpy(record + offset, &value, sizeof(value)); }

WORD GetWord(const BYTE* record, size_t offset) {
  WORD value;
  memcpy(&value, record + offset, sizeof(value));
  return value;
}

DWORD GetDword(const BYTE* record, size_t offset) {
  DWORD value;
  memcpy(&value, record + offset, sizeof(value));
  return value;
}

size_t PathOffsetOf(ItemRecordKind kind) {
  return kind == kItemOnStorageCard ? ITEM_RECORD_CARD_PATH_OFFSET : ITEM_RECORD_PATH_OFFSET;
}

// A zeroed record of a kind holding a path of `length` characters and the position of its name.
BYTE* AllocateRecord(ItemRecordKind kind, LPCWSTR path, size_t length) {
  size_t pathOffset = PathOffsetOf(kind);
  BYTE* record = static_cast<BYTE*>(LocalAlloc(LPTR, pathOffset + (length + 1) * sizeof(WCHAR)));
  if (record == NULL) return NULL;
  PutWord(record, kKindOffset, static_cast<WORD>(kind));
  if (kind == kItemOnStorageCard) PutDword(record, ITEM_RECORD_PATH_OFFSET, ITEM_RECORD_STORAGE_CARD_TAG);
  memcpy(record + pathOffset, path, (length + 1) * sizeof(WCHAR));
  const WCHAR* lastSeparator = wcsrchr(path, TEXT('\\'));
  DWORD name = lastSeparator != NULL ? static_cast<DWORD>(lastSeparator - path + 1) : 0;
  PutDword(record, kNameOffset, name);
  return record;
}

}  // namespace

BYTE* CreateItemRecord(LPCWSTR folder, const WIN32_FIND_DATAW* data, ItemRecordKind kind) {
  if (folder == NULL || data == NULL) return NULL;
  // The folder "\" joins its items without a second separator.
  size_t folderLength = wcslen(folder);
  if (folderLength > 0 && folder[folderLength - 1] == TEXT('\\')) --folderLength;
  size_t nameLength = wcslen(data->cFileName);
  if (nameLength == 0 || folderLength + 1 + nameLength >= MAX_PATH) return NULL;
  WCHAR path[MAX_PATH];
  memcpy(path, folder, folderLength * sizeof(WCHAR));
  path[folderLength] = TEXT('\\');
  memcpy(path + folderLength + 1, data->cFileName, (nameLength + 1) * sizeof(WCHAR));
  BYTE* record = AllocateRecord(kind, path, folderLength + 1 + nameLength);
  if (record == NULL) return NULL;
  memcpy(record + kTimeOffset, &data->ftLastWriteTime, sizeof(FILETIME));
  PutDword(record, ITEM_RECORD_ATTRIBUTES_OFFSET, data->dwFileAttributes);
  PutDword(record, kSizeLowOffset, data->nFileSizeLow);
  PutDword(record, kSizeHighOffset, data->nFileSizeHigh);
  return record;
}

BYTE* RenameItemRecord(const BYTE* record, LPCWSTR newPath) {
  if (record == NULL || newPath == NULL) return NULL;
  size_t length = wcslen(newPath);
  if (length == 0 || length >= MAX_PATH) return NULL;
  BYTE* renamed = AllocateRecord(ItemRecordKindOf(record), newPath, length);
  if (renamed == NULL) return NULL;
  memcpy(renamed + kTimeOffset, record + kTimeOffset, kNameOffset - kTimeOffset);
  return renamed;
}

void FreeItemRecord(BYTE* record) {
  if (record != NULL) LocalFree(record);
}

ItemRecordKind ItemRecordKindOf(const BYTE* record) {
  return GetWord(record, kKindOffset) == kItemOnStorageCard ? kItemOnStorageCard : kItemOnDevice;
}

LPCWSTR ItemRecordPath(const BYTE* record) {
  return reinterpret_cast<LPCWSTR>(record + PathOffsetOf(ItemRecordKindOf(record)));
}

LPCWSTR ItemRecordName(const BYTE* record) { return ItemRecordPath(record) + GetDword(record, kNameOffset); }

DWORD ItemRecordAttributes(const BYTE* record) { return GetDword(record, ITEM_RECORD_ATTRIBUTES_OFFSET); }

ULONGLONG ItemRecordSize(const BYTE* record) {
  return (static_cast<ULONGLONG>(GetDword(record, kSizeHighOffset)) << 32) | GetDword(record, kSizeLowOffset);
}

FILETIME ItemRecordWriteTime(const BYTE* record) {
  FILETIME time;
  memcpy(&time, record + kTimeOffset, sizeof(time));
  return time;
}

BOOL ItemRecordIsFolder(const BYTE* record) { return (ItemRecordAttributes(record) & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// Reading the host's item record.
#include "host/host_item.h"

#include "host/host_contract.h"

LPCWSTR HostItemPath(LPARAM record) {
  if (record == 0) return NULL;
  const BYTE* bytes = reinterpret_cast<const BYTE*>(record);
  WCHAR first;
  memcpy(&first, bytes + HOST_ITEM_PATH_OFFSET, sizeof(first));
  const BYTE* path = bytes + (first == TEXT('\\') ? HOST_ITEM_PATH_OFFSET : HOST_ITEM_PATH_OFFSET_ALT);
  return reinterpret_cast<LPCWSTR>(path);
}

DWORD HostItemAttributes(LPARAM record) {
  if (record == 0) return 0;
  const BYTE* field = reinterpret_cast<const BYTE*>(record) + HOST_ITEM_ATTRIBUTES_OFFSET;
  return static_cast<DWORD>(field[0]) | (static_cast<DWORD>(field[1]) << 8) | (static_cast<DWORD>(field[2]) << 16) |
         (static_cast<DWORD>(field[3]) << 24);
}

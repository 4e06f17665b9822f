// The first path of a drop list, read within the bounds of its block.
#include "contextmenu/drop_list.h"

BOOL ReadFirstDropPath(const BYTE* block, SIZE_T size, WCHAR* path) {
  path[0] = 0;
  if (block == NULL || size < sizeof(DWORD)) return FALSE;
  // The record's first field is the byte offset of the list; the list is always read as wide
  // characters, whatever the record's wide-character flag says.
  DWORD offset = static_cast<DWORD>(block[0]) | (static_cast<DWORD>(block[1]) << 8) |
                 (static_cast<DWORD>(block[2]) << 16) | (static_cast<DWORD>(block[3]) << 24);
  if (offset >= size) return FALSE;
  SIZE_T available = (size - offset) / sizeof(WCHAR);
  const BYTE* list = block + offset;
  for (SIZE_T i = 0; i < available && i < MAX_PATH; ++i) {
    // Read byte by byte: the offset need not be aligned for a WCHAR.
    WCHAR c = static_cast<WCHAR>(list[2 * i] | (list[2 * i + 1] << 8));
    if (c == 0) {
      for (SIZE_T j = 0; j < i; ++j) path[j] = static_cast<WCHAR>(list[2 * j] | (list[2 * j + 1] << 8));
      path[i] = 0;
      return TRUE;
    }
  }
  return FALSE;
}

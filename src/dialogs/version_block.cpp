// Queries of a version resource copied by GetFileVersionInfoW. A value that VerQueryValueW finds
// is used only when it lies inside the copied block, so that a malformed resource is never read
// past its end.
#include "dialogs/version_block.h"

#include "module/bounded_format.h"

namespace {

// Room for "\StringFileInfo\" with eight digits, "\" and the longest key of the dialog.
const int kQuerySize = 64;

BOOL Query(void* block, DWORD blockSize, LPCWSTR subBlock, const BYTE** value, UINT* length) {
  // The device's VerQueryValueW takes the sub-block as a writable string.
  WCHAR query[kQuerySize];
  if (!FormatBounded(query, kQuerySize, TEXT("%s"), subBlock)) return FALSE;
  void* found = NULL;
  UINT foundLength = 0;
  if (!VerQueryValueW(block, query, &found, &foundLength) || found == NULL) return FALSE;
  const BYTE* start = static_cast<const BYTE*>(block);
  const BYTE* at = static_cast<const BYTE*>(found);
  if (at < start || at >= start + blockSize) return FALSE;
  *value = at;
  *length = foundLength;
  return TRUE;
}

// Bytes of the block from `at` to its end.
DWORD BytesLeft(void* block, DWORD blockSize, const BYTE* at) {
  return blockSize - static_cast<DWORD>(at - static_cast<const BYTE*>(block));
}

}  // namespace

const VS_FIXEDFILEINFO* QueryFixedInfo(void* block, DWORD blockSize) {
  const BYTE* value = NULL;
  UINT length = 0;
  if (!Query(block, blockSize, TEXT("\\"), &value, &length)) return NULL;
  if (length < sizeof(VS_FIXEDFILEINFO) || BytesLeft(block, blockSize, value) < sizeof(VS_FIXEDFILEINFO)) return NULL;
  return reinterpret_cast<const VS_FIXEDFILEINFO*>(value);
}

BOOL QueryFirstTranslation(void* block, DWORD blockSize, WORD* language, WORD* codePage) {
  const BYTE* value = NULL;
  UINT length = 0;
  if (!Query(block, blockSize, TEXT("\\VarFileInfo\\Translation"), &value, &length)) return FALSE;
  const UINT entrySize = 2 * sizeof(WORD);
  if (length < entrySize || BytesLeft(block, blockSize, value) < entrySize) return FALSE;
  const WORD* entry = reinterpret_cast<const WORD*>(value);
  *language = entry[0];
  *codePage = entry[1];
  return TRUE;
}

LPCWSTR QueryVersionString(void* block, DWORD blockSize, WORD language, WORD codePage, LPCWSTR key) {
  WCHAR query[kQuerySize];
  if (!FormatBounded(query, kQuerySize, TEXT("\\StringFileInfo\\%04x%04x\\%s"), language, codePage, key)) return NULL;
  const BYTE* value = NULL;
  UINT length = 0;
  if (!Query(block, blockSize, query, &value, &length)) return NULL;
  const WCHAR* text = reinterpret_cast<const WCHAR*>(value);
  const DWORD characters = BytesLeft(block, blockSize, value) / sizeof(WCHAR);
  for (DWORD i = 0; i < characters; ++i) {
    if (text[i] == 0) return text;
  }
  return NULL;
}

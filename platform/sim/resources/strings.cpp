// LoadStringW: string tables are resources of type RT_STRING, sixteen strings to a block (block n
// holds the strings (n - 1) * 16 to n * 16 - 1), each a count of characters followed by them.
#include <climits>
#include <cstdint>

#include "sim/core.h"
#include "sim/resources.h"

namespace {

// The string `id` inside its block, or null when the block holds none (an empty slot) or the
// block's data ends before it.
const WCHAR* StringInBlock(const uint8_t* block, size_t size, UINT id, size_t* length) {
  size_t offset = 0;
  for (UINT slot = 0;; ++slot) {
    if (size - offset < 2) return nullptr;
    const size_t count = static_cast<size_t>(block[offset] | (block[offset + 1] << 8));
    offset += 2;
    if ((size - offset) / 2 < count) return nullptr;
    if (slot == id % 16) {
      if (count == 0) return nullptr;
      *length = count;
      return reinterpret_cast<const WCHAR*>(block + offset);
    }
    offset += count * 2;
  }
}

}  // namespace

CESIM_API int WINAPI LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax) {
  if (uID > 0xFFFF) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  // FindResourceW reports a bad module or a missing block itself.
  HRSRC found = FindResourceW(hInstance, MAKEINTRESOURCE((uID >> 4) + 1), RT_STRING);
  if (found == nullptr) return 0;
  const uint8_t* block = static_cast<const uint8_t*>(LockResource(LoadResource(hInstance, found)));
  const size_t size = SizeofResource(hInstance, found);
  size_t length = 0;
  const WCHAR* text = block == nullptr ? nullptr : StringInBlock(block, size, uID, &length);
  if (text == nullptr) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  if (lpBuffer == nullptr) {
    // The device's in-place form: the string's address as the result. Resource images live below
    // 2 GB, so the address is a positive int.
    const uintptr_t address = reinterpret_cast<uintptr_t>(text);
    if (address > static_cast<uintptr_t>(INT_MAX)) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return 0;
    }
    return static_cast<int>(address);
  }
  if (cchBufferMax <= 0) return 0;  // no room even for the terminator: nothing is written
  // Copied as stored (a stored terminator included), cut to the buffer, always terminated.
  const size_t copied = length < static_cast<size_t>(cchBufferMax - 1) ? length : static_cast<size_t>(cchBufferMax - 1);
  for (size_t i = 0; i < copied; ++i) lpBuffer[i] = text[i];
  lpBuffer[copied] = 0;
  return static_cast<int>(copied);
}

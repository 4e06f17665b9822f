// Feeds arbitrary blocks to the drop-list read that the context menu object does on SetSite:
// whatever the block holds, nothing is read past it and the path comes back terminated.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "contextmenu/drop_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly `size` bytes, so that AddressSanitizer catches any read past the block.
  std::vector<uint8_t> block(data, data + size);
  WCHAR path[MAX_PATH];
  path[0] = 1;
  BOOL taken = ReadFirstDropPath(block.empty() ? nullptr : block.data(), block.size(), path);
  size_t length = 0;
  while (length < MAX_PATH && path[length] != 0) ++length;
  if (length >= MAX_PATH) std::abort();      // never unterminated
  if (!taken && length != 0) std::abort();    // a refused list leaves the path empty
  return 0;
}

// Registry keys taken away with everything below them.
#include "key_trees.h"

namespace conformance {

void DeleteKeyTree(HKEY root, const Text& subkey) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  for (;;) {
    WCHAR name[256];
    DWORD chars = 256;
    if (RegEnumKeyExW(key, 0, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    DeleteKeyTree(key, name);
  }
  RegCloseKey(key);
  RegDeleteKeyW(root, subkey.c_str());
}

}  // namespace conformance

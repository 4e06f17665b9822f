#include "replacement_table_access.h"

namespace foldwise_test {

const HostImports* ReplacementTableOf(HMODULE module) {
  // The export is data: its address is the table's first entry.
  FARPROC address = GetProcAddressW(module, MAKEINTRESOURCEW(1));
  return reinterpret_cast<const HostImports*>(reinterpret_cast<void*>(address));
}

}  // namespace foldwise_test

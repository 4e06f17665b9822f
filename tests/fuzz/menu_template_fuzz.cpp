// Feeds arbitrary bytes to the menu template reader: whatever the input, it must neither read
// outside it nor give a tree deeper than menus may nest, or an item whose flags still hold MF_END.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "menu/template.h"
#include "sim/menu.h"

namespace {

void Check(const std::vector<cesim::detail::MenuTemplateItem>& items, int depth) {
  if (depth > 26) std::abort();
  for (const cesim::detail::MenuTemplateItem& item : items) {
    if ((item.flags & MF_END) != 0) std::abort();
    if ((item.flags & MF_POPUP) == 0 && !item.children.empty()) std::abort();
    Check(item.children, depth + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::optional<std::vector<cesim::detail::MenuTemplateItem>> items = cesim::detail::ParseMenuTemplate(data, size);
  if (items) Check(*items, 0);
  return 0;
}

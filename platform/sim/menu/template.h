// Standard menu templates (the MENU resource: a header, then items, each level ended by MF_END)
// read from a bounded range of bytes into a tree of items. Pure parsing with no device state, so
// that a fuzzer can drive it directly.
#ifndef CESIM_MENU_TEMPLATE_H
#define CESIM_MENU_TEMPLATE_H

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "sim/types.h"

namespace cesim::detail {

struct MenuTemplateItem {
  UINT flags = 0;  // the item's MF_* option word without MF_END
  UINT id = 0;     // command identifier; pop-up items have none
  std::u16string text;
  std::vector<MenuTemplateItem> children;  // MF_POPUP items: the pop-up menu's items
};

// The top-level items of a standard template (version 0). Nothing when the template is of
// another version, runs past `size` bytes, nests deeper than menus may, or holds a text longer
// than any item could have.
std::optional<std::vector<MenuTemplateItem>> ParseMenuTemplate(const void* data, size_t size);

}  // namespace cesim::detail

#endif

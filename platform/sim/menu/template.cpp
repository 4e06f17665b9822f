// Reading a standard menu template with the shared bounded byte reader: the header's version and
// offset, then for each item its option word, its identifier unless it opens a pop-up menu, its
// text, and for a pop-up item the items of its pop-up menu, each level ended by MF_END.
#include "menu/template.h"

#include "core/byte_reader.h"
#include "sim/menu.h"

namespace cesim::detail {

namespace {

// Menus nest no deeper than the menu table searches them.
constexpr int kMaximumDepth = 25;
// No item text is longer; a longer one is a broken template.
constexpr size_t kLongestText = 4096;

bool ReadLevel(ByteReader& reader, int depth, std::vector<MenuTemplateItem>* items) {
  if (depth > kMaximumDepth) return false;
  for (;;) {
    uint16_t option = 0;
    if (!reader.U16(&option)) return false;
    MenuTemplateItem item;
    item.flags = option & ~static_cast<UINT>(MF_END);
    if ((option & MF_POPUP) == 0) {
      uint16_t id = 0;
      if (!reader.U16(&id)) return false;
      item.id = id;
    }
    if (!reader.Text(kLongestText, &item.text)) return false;
    if ((option & MF_POPUP) != 0 && !ReadLevel(reader, depth + 1, &item.children)) return false;
    items->push_back(std::move(item));
    if ((option & MF_END) != 0) return true;
  }
}

}  // namespace

std::optional<std::vector<MenuTemplateItem>> ParseMenuTemplate(const void* data, size_t size) {
  ByteReader reader(data, size);
  uint16_t version = 0;
  uint16_t offset = 0;
  if (!reader.U16(&version) || !reader.U16(&offset) || version != 0 || !reader.Skip(offset)) return std::nullopt;
  std::vector<MenuTemplateItem> items;
  if (!ReadLevel(reader, 0, &items)) return std::nullopt;
  return items;
}

}  // namespace cesim::detail

// Automation's view of a menu: one row per item, as the user would read it.
#include "cesim/automation.h"
#include "menu/store.h"
#include "sim/menu.h"

namespace cesim {

std::vector<MenuRow> ReadMenu(HMENU menu) {
  std::vector<MenuRow> rows;
  const detail::Menu* data = detail::FindMenu(menu);
  if (data == nullptr) return rows;
  for (const detail::MenuItem& item : data->items) {
    MenuRow row;
    row.popup = (item.type & MF_POPUP) != 0;
    row.id = row.popup ? 0 : item.id;
    row.text = item.hasText ? item.text : std::u16string();
    row.separator = (item.type & MFT_SEPARATOR) != 0;
    row.checked = (item.state & MFS_CHECKED) != 0;
    row.radio = row.checked && (item.type & MFT_RADIOCHECK) != 0;
    // A separator is grayed as data; the user sees a line, not a grey item.
    row.grayed = !row.separator && (item.state & (MF_GRAYED | MF_DISABLED)) != 0;
    row.submenu = row.popup ? item.submenu : nullptr;
    rows.push_back(row);
  }
  return rows;
}

}  // namespace cesim

// Automation of a running menu loop: reading the open menus as the user sees them and choosing
// or cancelling as the user does, by taps on the items and presses of Escape. A path through
// submenus is walked one level per wait of the loop, so that each submenu is read after its
// owner has filled it in WM_INITMENUPOPUP.
#include <functional>
#include <sstream>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "menu/layout.h"
#include "menu/store.h"
#include "menu/tracking.h"
#include "message/queue.h"
#include "sim/input.h"
#include "sim/menu.h"

namespace cesim {

namespace {

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The first pop-up level: the bar of a menu-bar loop is not part of a path.
size_t FirstPopupLevel(const std::vector<detail::OpenMenuLevel>& levels) {
  return !levels.empty() && levels[0].bar ? 1 : 0;
}

bool SameText(const std::u16string& itemText, const std::u16string& wanted) {
  return itemText == wanted || detail::DisplayedItemText(itemText) == wanted;
}

// How one step finds its item in a menu: by text, or as the way to a command.
using ItemFinder = std::function<int(const detail::Menu& menu, bool last)>;

// Taps the item that `find` names in the level at `levelIndex`; when it opens a submenu and more
// steps follow, the rest runs at the loop's next wait, one level further in.
bool TapItemAt(size_t levelIndex, const ItemFinder& find, bool last, const std::function<void()>& next) {
  const std::vector<detail::OpenMenuLevel> levels = detail::OpenMenuLevels();
  if (levelIndex >= levels.size()) return false;
  const detail::OpenMenuLevel& level = levels[levelIndex];
  const detail::Menu* menu = detail::LookUpMenu(level.menu);
  if (menu == nullptr) return false;
  const int position = find(*menu, last);
  if (position < 0 || static_cast<size_t>(position) >= level.items.size()) return false;
  const detail::MenuItem& item = menu->items[static_cast<size_t>(position)];
  if ((item.state & (MF_GRAYED | MF_DISABLED)) != 0 || (item.type & MFT_SEPARATOR) != 0) return false;
  const bool opensSubmenu = (item.type & MF_POPUP) != 0;
  if (last == opensSubmenu) return false;  // a submenu where a command is wanted, or the reverse
  Tap(Centre(level.items[static_cast<size_t>(position)]));
  if (!last) detail::AddIdleActionFirst(next);
  return true;
}

bool ChoosePath(size_t levelIndex, std::vector<std::u16string> path) {
  if (path.empty()) return false;
  const std::u16string wanted = path.front();
  path.erase(path.begin());
  const bool last = path.empty();
  ItemFinder byText = [wanted](const detail::Menu& menu, bool) {
    for (size_t i = 0; i < menu.items.size(); ++i) {
      if (menu.items[i].hasText && SameText(menu.items[i].text, wanted)) return static_cast<int>(i);
    }
    return -1;
  };
  return TapItemAt(levelIndex, byText, last, [levelIndex, path]() { ChoosePath(levelIndex + 1, path); });
}

// Whether the command lies in the menu or below its pop-up menus.
bool HoldsCommand(HMENU menu, UINT id) {
  detail::MenuItemPlace place;
  return detail::LookUpMenu(menu) != nullptr && detail::FindMenuItem(menu, id, false, &place) &&
         (detail::LookUpMenu(place.menu)->items[place.position].type & MF_POPUP) == 0;
}

bool ChooseCommandFrom(size_t levelIndex, UINT id) {
  // The step is the last when the command is an item of this menu itself.
  const std::vector<detail::OpenMenuLevel> levels = detail::OpenMenuLevels();
  if (levelIndex >= levels.size()) return false;
  const detail::Menu* menu = detail::LookUpMenu(levels[levelIndex].menu);
  if (menu == nullptr) return false;
  int direct = -1;
  int through = -1;
  for (size_t i = 0; i < menu->items.size(); ++i) {
    const detail::MenuItem& item = menu->items[i];
    if ((item.type & MF_POPUP) == 0 && item.id == id && direct < 0) direct = static_cast<int>(i);
    if ((item.type & MF_POPUP) != 0 && through < 0 && HoldsCommand(item.submenu, id)) through = static_cast<int>(i);
  }
  // The platform finds a command depth first, in item order; the first way to it is the one taken.
  const bool last = direct >= 0 && (through < 0 || direct < through);
  const int position = last ? direct : through;
  ItemFinder at = [position](const detail::Menu&, bool) { return position; };
  return TapItemAt(levelIndex, at, last, [levelIndex, id]() { ChooseCommandFrom(levelIndex + 1, id); });
}

void DumpLevel(const std::vector<detail::OpenMenuLevel>& levels, size_t index, int depth, std::ostringstream& out) {
  const std::vector<MenuRow> rows = ReadMenu(levels[index].menu);
  for (size_t i = 0; i < rows.size(); ++i) {
    const MenuRow& row = rows[i];
    const bool selected = static_cast<int>(i) == levels[index].selected;
    out << std::string(static_cast<size_t>(depth) * 2, ' ') << (selected ? "*" : "");
    if (row.separator) {
      out << "-\n";
      continue;
    }
    if (row.radio) {
      out << "(o) ";
    } else if (row.checked) {
      out << "[x] ";
    }
    out << Narrow(detail::DisplayedItemText(row.text));
    if (row.popup) out << " >";
    if (row.grayed) out << " (grayed)";
    out << '\n';
    if (selected && row.popup && index + 1 < levels.size() && levels[index + 1].menu == row.submenu) {
      DumpLevel(levels, index + 1, depth + 1, out);
    }
  }
}

}  // namespace

std::vector<OpenMenu> OpenMenus() {
  std::vector<OpenMenu> open;
  for (const detail::OpenMenuLevel& level : detail::OpenMenuLevels()) {
    OpenMenu menu;
    menu.menu = level.menu;
    menu.menuBar = level.bar;
    menu.rect = level.rect;
    menu.selected = level.selected;
    menu.rows = ReadMenu(level.menu);
    menu.itemRects = level.items;
    open.push_back(menu);
  }
  return open;
}

std::string DumpOpenMenus() {
  const std::vector<detail::OpenMenuLevel> levels = detail::OpenMenuLevels();
  std::ostringstream out;
  const size_t first = FirstPopupLevel(levels);
  if (first < levels.size()) DumpLevel(levels, first, 0, out);
  return out.str();
}

bool ChooseMenuItem(const std::vector<std::u16string>& path) {
  return ChoosePath(FirstPopupLevel(detail::OpenMenuLevels()), path);
}

bool ChooseMenuCommand(UINT id) { return ChooseCommandFrom(FirstPopupLevel(detail::OpenMenuLevels()), id); }

bool CancelMenu() {
  const size_t open = detail::OpenMenuLevels().size();
  if (open == 0) return false;
  for (size_t i = 0; i < open; ++i) PressKey(VK_ESCAPE);
  return true;
}

}  // namespace cesim

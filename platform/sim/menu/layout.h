// Where an open menu shows on the screen: the rectangle of a pop-up menu and of each of its items,
// as cesim measures them (items one above the other in the system font; separators thinner),
// placed at a point with TrackPopupMenu's alignment, next to the item that opens a submenu, or
// below a menu bar's item, and kept on the screen.
#ifndef CESIM_MENU_LAYOUT_H
#define CESIM_MENU_LAYOUT_H

#include <string>
#include <vector>

#include "sim/types.h"

namespace cesim::detail {

struct PopupLayout {
  RECT rect = {0, 0, 0, 0};   // screen coordinates
  std::vector<RECT> items;    // one per item, screen coordinates
};

// The text a user reads on an item: mnemonic markers removed ("&&" is a "&"), a tab as a gap.
std::u16string DisplayedItemText(const std::u16string& text);

// The pop-up menu with its top-left corner at `origin`.
PopupLayout LayOutPopupAt(HMENU menu, POINT origin);

// Where TrackPopupMenu shows a pop-up menu: aligned to the point as the flags say, moved off the
// excluded rectangle (when there is one) to the side the flags prefer, and kept on the screen.
POINT PlacePopup(HMENU menu, POINT at, UINT flags, const RECT* exclude);
// A submenu: to the right of the item that opens it, or to the left of its menu when there is no
// room on the right.
POINT PlaceSubmenu(HMENU menu, const RECT& parentMenu, const RECT& parentItem);
// A menu bar's pop-up menu: below the bar's item, or above it when there is no room below.
POINT PlaceBelow(HMENU menu, const RECT& barItem);

}  // namespace cesim::detail

#endif

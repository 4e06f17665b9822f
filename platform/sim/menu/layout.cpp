// The geometry of open pop-up menus. Items are measured in the system font: a text item is the
// font's height plus 8 pixels, a separator 8 pixels; the menu is as wide as its widest text plus
// room for a check mark and a submenu arrow, inside a 2-pixel border.
#include "menu/layout.h"

#include <algorithm>

#include "menu/store.h"
#include "sim/menu.h"
#include "window/metrics.h"

namespace cesim::detail {

namespace {

constexpr int kBorder = 2;
constexpr int kTextItemHeight = kSystemFontHeight + 8;
constexpr int kSeparatorHeight = 8;
// Room for the check mark on the left and the submenu arrow on the right.
constexpr int kMarkRoom = 16;
constexpr int kArrowRoom = 16;
constexpr int kTabGap = 12;
constexpr int kMinimumTextWidth = 32;

int ItemHeight(const MenuItem& item) { return (item.type & MFT_SEPARATOR) != 0 ? kSeparatorHeight : kTextItemHeight; }

SIZE PopupSize(const Menu& menu) {
  int width = kMinimumTextWidth;
  int height = 0;
  for (const MenuItem& item : menu.items) {
    height += ItemHeight(item);
    if (item.hasText) width = std::max(width, TextWidth(DisplayedItemText(item.text)));
  }
  return SIZE{width + kMarkRoom + kArrowRoom + 2 * kBorder, height + 2 * kBorder};
}

SIZE SizeOf(HMENU handle) {
  const Menu* menu = FindMenu(handle);
  return menu == nullptr ? SIZE{0, 0} : PopupSize(*menu);
}

POINT KeptOnScreen(POINT origin, SIZE size) {
  origin.x = std::max(0, std::min(origin.x, ScreenWidth() - static_cast<int>(size.cx)));
  origin.y = std::max(0, std::min(origin.y, ScreenHeight() - static_cast<int>(size.cy)));
  return origin;
}

bool Overlaps(POINT origin, SIZE size, const RECT& other) {
  return origin.x < other.right && other.left < origin.x + size.cx && origin.y < other.bottom &&
         other.top < origin.y + size.cy;
}

}  // namespace

std::u16string DisplayedItemText(const std::u16string& text) {
  std::u16string shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&') {
      // "&x" shows x underlined, "&&" shows one "&"; a "&" at the end shows nothing.
      if (i + 1 < text.size()) shown.push_back(text[++i]);
      continue;
    }
    if (text[i] == u'\t') {
      shown.append(static_cast<size_t>(kTabGap / kSystemFontCharWidth), u' ');
      continue;
    }
    shown.push_back(text[i]);
  }
  return shown;
}

PopupLayout LayOutPopupAt(HMENU handle, POINT origin) {
  PopupLayout layout;
  const Menu* menu = FindMenu(handle);
  if (menu == nullptr) return layout;
  const SIZE size = PopupSize(*menu);
  layout.rect = RECT{origin.x, origin.y, origin.x + size.cx, origin.y + size.cy};
  int top = origin.y + kBorder;
  for (const MenuItem& item : menu->items) {
    const int height = ItemHeight(item);
    layout.items.push_back(RECT{origin.x + kBorder, top, origin.x + size.cx - kBorder, top + height});
    top += height;
  }
  return layout;
}

POINT PlacePopup(HMENU menu, POINT at, UINT flags, const RECT* exclude) {
  const SIZE size = SizeOf(menu);
  POINT origin = at;
  if (flags & TPM_RIGHTALIGN) {
    origin.x -= size.cx;
  } else if (flags & TPM_CENTERALIGN) {
    origin.x -= size.cx / 2;
  }
  if (flags & TPM_BOTTOMALIGN) {
    origin.y -= size.cy;
  } else if (flags & TPM_VCENTERALIGN) {
    origin.y -= size.cy / 2;
  }
  origin = KeptOnScreen(origin, size);
  if (exclude != nullptr && Overlaps(origin, size, *exclude)) {
    // The preferred direction first, the other side of the rectangle when there is no room.
    if (flags & TPM_VERTICAL) {
      origin.y = exclude->bottom + size.cy <= ScreenHeight() ? exclude->bottom : exclude->top - size.cy;
    } else {
      origin.x = exclude->right + size.cx <= ScreenWidth() ? exclude->right : exclude->left - size.cx;
    }
    origin = KeptOnScreen(origin, size);
  }
  return origin;
}

POINT PlaceSubmenu(HMENU menu, const RECT& parentMenu, const RECT& parentItem) {
  const SIZE size = SizeOf(menu);
  POINT origin{parentItem.right, parentItem.top - kBorder};
  if (origin.x + size.cx > ScreenWidth()) origin.x = parentMenu.left - size.cx;
  return KeptOnScreen(origin, size);
}

POINT PlaceBelow(HMENU menu, const RECT& barItem) {
  const SIZE size = SizeOf(menu);
  POINT origin{barItem.left, barItem.bottom};
  if (origin.y + size.cy > ScreenHeight()) origin.y = barItem.top - size.cy;
  return KeptOnScreen(origin, size);
}

}  // namespace cesim::detail

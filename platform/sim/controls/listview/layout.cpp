// Where the list view shows its items in each view, which item a point hits and how it scrolls.
// The measures follow the platform's control: rows as tall as the font (or the small icons) and a
// pixel, a two-pixel margin before the first column, twelve pixels after a label.
#include "controls/listview/layout.h"

#include <algorithm>

#include "sim/metrics.h"
#include "sim/window.h"
#include "controls/common/text.h"

namespace cesim::detail {

namespace {

constexpr int kHeightPadding = 1;
constexpr int kReportMargin = 2;
constexpr int kTrailingLabelPadding = 12;
constexpr int kWidthPadding = 12;
constexpr int kDefaultColumnWidth = 128;
constexpr int kIconTopPadding = 4;      // above the icon in the icon view
constexpr int kIconHitTopPadding = 2;   // the part of it that hit-testing sees
constexpr int kIconBottomPadding = 4;   // between icon and label in the icon view
constexpr int kEmptyLabelWidth = 40;    // a label without text in the icon, small icon and list views
constexpr int kEmptyReportSelectWidth = 80;

int StateIconWidth(const ListView& lv) { return lv.stateImages != nullptr ? GetSystemMetrics(SM_CXSMICON) : 0; }

int LabelWidth(const ListView& lv, const std::u16string& text, int emptyWidth) {
  if (text.empty()) return emptyWidth;
  return std::min(SystemTextWidth(text) + kTrailingLabelPadding, ItemWidth(lv));
}

// Where an item's box starts, in the item space before scrolling.
POINT ItemOrigin(const ListView& lv, int index) {
  switch (ViewOf(lv)) {
    case LVS_ICON:
    case LVS_SMALLICON: return lv.items[static_cast<size_t>(index)].position;
    case LVS_LIST: {
      int perColumn = CountPerColumn(lv);
      return POINT{(index / perColumn) * ItemWidth(lv), (index % perColumn) * ItemHeight(lv)};
    }
    default: return POINT{0, index * ItemHeight(lv)};
  }
}

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// The smallest rectangle around both; an empty one counts for nothing.
RECT Union(const RECT& a, const RECT& b) {
  if (Empty(a)) return Empty(b) ? RECT{0, 0, 0, 0} : b;
  if (Empty(b)) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

RECT ItemBox(const ListView& lv, int index) {
  POINT origin = Origin(lv);
  POINT at = ItemOrigin(lv, index);
  if (ViewOf(lv) == LVS_REPORT) return RECT{origin.x, origin.y + at.y, origin.x + ItemWidth(lv), origin.y + at.y + ItemHeight(lv)};
  return RECT{origin.x + at.x, origin.y + at.y, origin.x + at.x + ItemWidth(lv), origin.y + at.y + ItemHeight(lv)};
}

// How far the items reach in the icon views, before scrolling.
SIZE IconViewExtent(const ListView& lv) {
  SIZE extent = {0, 0};
  for (const ListItem& item : lv.items) {
    extent.cx = std::max(extent.cx, item.position.x + ItemWidth(lv));
    extent.cy = std::max(extent.cy, item.position.y + ItemHeight(lv));
  }
  return extent;
}

int VisibleListColumns(const ListView& lv) {
  RECT area = ListArea(lv);
  return std::max(static_cast<int>(area.right - area.left) / std::max(ItemWidth(lv), 1), 1);
}

int ListColumns(const ListView& lv) {
  int perColumn = CountPerColumn(lv);
  return (ItemCount(lv) + perColumn - 1) / perColumn;
}

}  // namespace

int ItemHeight(const ListView& lv) {
  if (ViewOf(lv) == LVS_ICON) return std::max(static_cast<int>(lv.iconSpacing.cy), 1);
  int height = SystemFontHeight();
  if (lv.smallImages != nullptr || lv.stateImages != nullptr) height = std::max(height, GetSystemMetrics(SM_CYSMICON));
  return height + kHeightPadding;
}

int ItemWidth(const ListView& lv) {
  switch (ViewOf(lv)) {
    case LVS_ICON: return std::max(static_cast<int>(lv.iconSpacing.cx), 1);
    case LVS_REPORT: return ColumnsWidth(lv);
    default: {
      if (ViewOf(lv) == LVS_LIST && lv.listColumnWidth > 0) return lv.listColumnWidth;
      int widest = 0;
      for (const ListItem& item : lv.items) {
        if (item.text.kind == ListText::Kind::Stored) widest = std::max(widest, SystemTextWidth(item.text.text));
      }
      if (lv.smallImages != nullptr) widest += GetSystemMetrics(SM_CXSMICON);
      widest += StateIconWidth(lv);
      return std::max(kDefaultColumnWidth, widest + kWidthPadding);
    }
  }
}

SIZE IconSize(const ListView& lv) {
  if (ViewOf(lv) == LVS_ICON) return SIZE{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
  return SIZE{GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
}

bool HasIcons(const ListView& lv) {
  return ViewOf(lv) == LVS_ICON ? lv.normalImages != nullptr : lv.smallImages != nullptr;
}

RECT ListArea(const ListView& lv) {
  RECT area;
  GetClientRect(lv.hwnd, &area);
  if (ViewOf(lv) == LVS_LIST) {
    // The list view keeps the room of a horizontal scroll bar free, shown or not.
    if ((GetWindowLongW(lv.hwnd, GWL_STYLE) & WS_HSCROLL) == 0) area.bottom -= GetSystemMetrics(SM_CYHSCROLL);
    area.bottom = std::max(static_cast<int>(area.bottom) - 2, 0);
  }
  if (lv.header != nullptr && IsWindow(lv.header) && (GetWindowLongW(lv.header, GWL_STYLE) & WS_VISIBLE) != 0) {
    RECT header;
    GetWindowRect(lv.header, &header);
    area.top = std::min(area.bottom, area.top + (header.bottom - header.top));
  }
  return area;
}

POINT Origin(const ListView& lv) {
  RECT area = ListArea(lv);
  switch (ViewOf(lv)) {
    case LVS_REPORT: return POINT{area.left - lv.scrolled.x, area.top - lv.topRow * ItemHeight(lv)};
    case LVS_LIST: return POINT{area.left - lv.firstColumn * ItemWidth(lv), area.top};
    default: return POINT{area.left - lv.scrolled.x, area.top - lv.scrolled.y};
  }
}

int ColumnLeft(const ListView& lv, int column) {
  int left = 0;
  for (int i = 0; i < column && i < static_cast<int>(lv.columns.size()); ++i) left += ColumnWidth(lv, i);
  return left;
}

int ColumnWidth(const ListView& lv, int column) {
  if (column < 0 || column >= static_cast<int>(lv.columns.size())) return 0;
  return std::max(lv.columns[static_cast<size_t>(column)].width, 0);
}

int ColumnsWidth(const ListView& lv) { return ColumnLeft(lv, static_cast<int>(lv.columns.size())); }

namespace {

int CountPerColumnIn(const ListView& lv, const RECT& area) {
  return std::max(static_cast<int>(area.bottom - area.top) / ItemHeight(lv), 1);
}

}  // namespace

int CountPerColumn(const ListView& lv) { return CountPerColumnIn(lv, ListArea(lv)); }

int CountPerRow(const ListView& lv) {
  RECT area = ListArea(lv);
  return std::max(static_cast<int>(area.right - area.left) / std::max(ItemWidth(lv), 1), 1);
}

int CountPerPage(const ListView& lv) {
  switch (ViewOf(lv)) {
    case LVS_REPORT: return CountPerColumn(lv);
    case LVS_LIST: return CountPerColumn(lv) * CountPerRow(lv);
    default: return ItemCount(lv);
  }
}

int TopIndex(const ListView& lv) {
  switch (ViewOf(lv)) {
    case LVS_REPORT: return lv.topRow;
    case LVS_LIST: return lv.firstColumn * CountPerColumn(lv);
    default: return 0;
  }
}

ItemParts PartsOf(const ListView& lv, int index, int subItem, const std::u16string& text) {
  ItemParts parts;
  RECT box = ItemBox(lv, index);
  const ListItem& item = lv.items[static_cast<size_t>(index)];
  SIZE icon = IconSize(lv);
  int stateWidth = subItem == 0 ? StateIconWidth(lv) : 0;
  switch (ViewOf(lv)) {
    case LVS_REPORT: {
      POINT origin = Origin(lv);
      if (subItem > 0) {
        int left = origin.x + ColumnLeft(lv, subItem);
        parts.box = RECT{left, box.top, left + ColumnWidth(lv, subItem), box.bottom};
        parts.icon = RECT{left, box.top, left, box.top + icon.cy};
        parts.label = parts.box;
        parts.select = parts.box;
        parts.state = RECT{left, box.top, left, box.top + icon.cy};
        return parts;
      }
      int columnLeft = origin.x + ColumnLeft(lv, 0);
      parts.box = box;
      parts.icon.left = columnLeft + stateWidth + kReportMargin + item.indent * icon.cx;
      parts.icon.right = parts.icon.left + (HasIcons(lv) ? icon.cx : 0);
      parts.icon.top = box.top;
      parts.icon.bottom = box.top + icon.cy;
      parts.label = RECT{parts.icon.right, box.top, std::max(parts.icon.right, columnLeft + ColumnWidth(lv, 0)), box.bottom};
      int labelWidth = text.empty() ? kEmptyReportSelectWidth : SystemTextWidth(text) + kTrailingLabelPadding;
      parts.select = RECT{parts.icon.left, box.top, std::min(parts.label.left + labelWidth, parts.label.right), box.bottom};
      break;
    }
    case LVS_ICON: {
      parts.box = box;
      int iconLeft = box.left + stateWidth;
      if (HasIcons(lv)) iconLeft += (ItemWidth(lv) - icon.cx - stateWidth) / 2;
      parts.icon = RECT{iconLeft, box.top + kIconTopPadding, iconLeft + (HasIcons(lv) ? icon.cx : 0),
                        box.top + kIconTopPadding + (HasIcons(lv) ? icon.cy : 0)};
      int labelWidth = LabelWidth(lv, text, kEmptyLabelWidth);
      int labelLeft = box.left + (ItemWidth(lv) - labelWidth) / 2;
      int labelTop = box.top + kIconHitTopPadding + icon.cy + kIconBottomPadding;
      parts.label = RECT{labelLeft, labelTop, labelLeft + labelWidth, labelTop + SystemFontHeight() + kHeightPadding};
      parts.select = Union(parts.icon, parts.label);
      break;
    }
    default: {
      parts.box = box;
      parts.icon = RECT{box.left + stateWidth, box.top, box.left + stateWidth + (HasIcons(lv) ? icon.cx : 0), box.top + icon.cy};
      int labelWidth = LabelWidth(lv, text, kEmptyLabelWidth);
      parts.label = RECT{parts.icon.right, box.top, std::min(parts.icon.right + labelWidth, box.right), box.bottom};
      parts.select = Union(parts.icon, parts.label);
      break;
    }
  }
  parts.state = RECT{parts.icon.left - stateWidth, parts.icon.top, parts.icon.left, parts.icon.top + icon.cy};
  return parts;
}

POINT ItemPosition(const ListView& lv, int index) {
  POINT origin = Origin(lv);
  POINT at = ItemOrigin(lv, index);
  POINT position = {origin.x + at.x, origin.y + at.y};
  if (ViewOf(lv) == LVS_REPORT) position.x = origin.x + ColumnLeft(lv, 0) + kReportMargin;
  if (ViewOf(lv) == LVS_ICON) {
    position.x += (ItemWidth(lv) - IconSize(lv).cx) / 2;
    position.y += kIconTopPadding;
  }
  return position;
}

bool MoveItemTo(ListView& lv, int index, POINT client) {
  if (!ValidItem(lv, index) || (ViewOf(lv) != LVS_ICON && ViewOf(lv) != LVS_SMALLICON)) return false;
  POINT origin = Origin(lv);
  // (-1, -1) stands for the origin itself.
  if (client.x == -1 && client.y == -1) client = origin;
  if (ViewOf(lv) == LVS_ICON) {
    client.x -= (ItemWidth(lv) - IconSize(lv).cx) / 2;
    client.y -= kIconTopPadding;
  }
  lv.items[static_cast<size_t>(index)].position = POINT{client.x - origin.x, client.y - origin.y};
  return true;
}

RECT ViewRect(const ListView& lv) {
  RECT rect = {0, 0, 0, 0};
  switch (ViewOf(lv)) {
    case LVS_REPORT: return rect;
    case LVS_LIST:
      rect.right = ListColumns(lv) * ItemWidth(lv);
      rect.bottom = CountPerColumn(lv) * ItemHeight(lv);
      break;
    default: {
      if (lv.items.empty()) break;
      SIZE extent = IconViewExtent(lv);
      rect.right = extent.cx;
      rect.bottom = extent.cy;
      break;
    }
  }
  POINT origin = Origin(lv);
  OffsetRect(&rect, origin.x, origin.y);
  return rect;
}

bool LabelNeedsText(const ListView& lv) { return ViewOf(lv) != LVS_REPORT; }

RECT OwnArea(const ItemParts& parts) { return Union(Union(parts.icon, parts.label), parts.state); }

int ItemUnder(const ListView& lv, POINT pt) {
  if (lv.items.empty()) return -1;
  POINT origin = Origin(lv);
  switch (ViewOf(lv)) {
    case LVS_REPORT: {
      if (pt.x - origin.x >= ItemWidth(lv) || pt.y < origin.y) return -1;
      int row = (pt.y - origin.y) / ItemHeight(lv);
      return row < ItemCount(lv) ? row : -1;
    }
    case LVS_LIST: {
      if (pt.x < origin.x || pt.y < origin.y) return -1;
      int row = (pt.y - origin.y) / ItemHeight(lv);
      if (row >= CountPerColumn(lv)) return -1;
      int index = ((pt.x - origin.x) / ItemWidth(lv)) * CountPerColumn(lv) + row;
      return index < ItemCount(lv) ? index : -1;
    }
    default: {
      // The focused item lies on top of the others, then the items in their order.
      if (ValidItem(lv, lv.focused)) {
        RECT box = ItemBox(lv, lv.focused);
        if (PtInRect(&box, pt)) return lv.focused;
      }
      for (int i = 0; i < ItemCount(lv); ++i) {
        RECT box = ItemBox(lv, i);
        if (PtInRect(&box, pt)) return i;
      }
      return -1;
    }
  }
}

int ColumnUnder(const ListView& lv, int x) {
  int at = x - Origin(lv).x;
  for (int i = 0; i < static_cast<int>(lv.columns.size()); ++i) {
    if (at >= ColumnLeft(lv, i) && at < ColumnLeft(lv, i) + ColumnWidth(lv, i)) return i;
  }
  return -1;
}

void ClampScroll(ListView& lv) {
  RECT area = ListArea(lv);
  switch (ViewOf(lv)) {
    case LVS_REPORT:
      lv.topRow = std::clamp(lv.topRow, 0, std::max(ItemCount(lv) - CountPerColumnIn(lv, area), 0));
      lv.scrolled.x = std::clamp(static_cast<int>(lv.scrolled.x), 0, std::max(ColumnsWidth(lv) - static_cast<int>(area.right - area.left), 0));
      lv.scrolled.y = 0;
      break;
    case LVS_LIST:
      lv.firstColumn = std::clamp(lv.firstColumn, 0, std::max(ListColumns(lv) - VisibleListColumns(lv), 0));
      break;
    default: {
      SIZE extent = IconViewExtent(lv);
      lv.scrolled.x = std::clamp(static_cast<int>(lv.scrolled.x), 0, std::max(static_cast<int>(extent.cx - (area.right - area.left)), 0));
      lv.scrolled.y = std::clamp(static_cast<int>(lv.scrolled.y), 0, std::max(static_cast<int>(extent.cy - (area.bottom - area.top)), 0));
      break;
    }
  }
}

bool EnsureVisible(ListView& lv, int index, bool partial) {
  if (!ValidItem(lv, index)) return false;
  RECT area = ListArea(lv);
  RECT box = ItemBox(lv, index);
  RECT common;
  if (partial && IntersectRect(&common, &area, &box)) return true;
  switch (ViewOf(lv)) {
    case LVS_REPORT:
      if (box.top < area.top) lv.topRow = index;
      else if (box.bottom > area.bottom) lv.topRow = index - CountPerColumn(lv) + 1;
      break;
    case LVS_LIST: {
      int column = index / CountPerColumn(lv);
      if (box.left < area.left) lv.firstColumn = column;
      else if (box.right > area.right) lv.firstColumn = column - VisibleListColumns(lv) + 1;
      break;
    }
    default:
      if (box.left < area.left) lv.scrolled.x -= area.left - box.left;
      else if (box.right > area.right) lv.scrolled.x += box.right - area.right;
      if (box.top < area.top) lv.scrolled.y -= area.top - box.top;
      else if (box.bottom > area.bottom) lv.scrolled.y += box.bottom - area.bottom;
      break;
  }
  ClampScroll(lv);
  return true;
}

bool Scroll(ListView& lv, int dx, int dy) {
  switch (ViewOf(lv)) {
    case LVS_REPORT: {
      int height = ItemHeight(lv);
      int rows = (dy + (dy < 0 ? -1 : 1) * height / 2) / height;
      lv.topRow += rows;
      lv.scrolled.x += dx;
      break;
    }
    case LVS_LIST:
      if (dy != 0) return false;
      lv.firstColumn += dx;
      break;
    default:
      lv.scrolled.x += dx;
      lv.scrolled.y += dy;
      break;
  }
  ClampScroll(lv);
  return true;
}

POINT TakeNextIconPosition(ListView& lv) {
  RECT area = ListArea(lv);
  POINT position = lv.nextIconPosition;
  int width = ItemWidth(lv);
  int height = ItemHeight(lv);
  if ((lv.style & LVS_ALIGNMASK) == LVS_ALIGNLEFT) {
    lv.nextIconPosition.y += height;
    if (lv.nextIconPosition.y + height > area.bottom - area.top) {
      lv.nextIconPosition.y = 0;
      lv.nextIconPosition.x += width;
    }
  } else {
    lv.nextIconPosition.x += width;
    if (lv.nextIconPosition.x + width > area.right - area.left) {
      lv.nextIconPosition.x = 0;
      lv.nextIconPosition.y += height;
    }
  }
  return position;
}

bool Arrange(ListView& lv, UINT code) {
  if (ViewOf(lv) != LVS_ICON && ViewOf(lv) != LVS_SMALLICON) return false;
  if (code != LVA_DEFAULT && code != LVA_ALIGNLEFT && code != LVA_ALIGNTOP && code != LVA_SNAPTOGRID) return false;
  DWORD keep = lv.style;
  if (code == LVA_ALIGNLEFT) lv.style = (lv.style & ~static_cast<DWORD>(LVS_ALIGNMASK)) | LVS_ALIGNLEFT;
  if (code == LVA_ALIGNTOP || code == LVA_SNAPTOGRID) lv.style &= ~static_cast<DWORD>(LVS_ALIGNMASK);
  lv.nextIconPosition = POINT{0, 0};
  for (ListItem& item : lv.items) item.position = TakeNextIconPosition(lv);
  lv.style = keep;
  ClampScroll(lv);
  return true;
}

SIZE DefaultIconSpacing(const ListView& lv) {
  int iconWidth = lv.normalImages != nullptr ? GetSystemMetrics(SM_CXICON) : 0;
  int iconHeight = lv.normalImages != nullptr ? GetSystemMetrics(SM_CYICON) : 0;
  return SIZE{GetSystemMetrics(SM_CXICONSPACING) - GetSystemMetrics(SM_CXICON) + iconWidth,
              GetSystemMetrics(SM_CYICONSPACING) - GetSystemMetrics(SM_CYICON) + iconHeight};
}

}  // namespace cesim::detail

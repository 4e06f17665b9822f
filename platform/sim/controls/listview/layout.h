// Where the list view shows its items in each view: the size of an item, the area below the
// header, where each part of an item lies (icon, label, the whole box), which item a point hits,
// how many items a page holds, and scrolling an item into view. Hit-testing, taps, the item
// rectangles and automation's reading of the list all share these.
#ifndef CESIM_CONTROLS_LISTVIEW_LAYOUT_H
#define CESIM_CONTROLS_LISTVIEW_LAYOUT_H

#include <string>

#include "controls/listview/model.h"

namespace cesim::detail {

int ItemHeight(const ListView& lv);
// The width of an item: the icon spacing (icon view), all columns (report view), the widest
// stored text with its icon (list and small icon views, at least 128).
int ItemWidth(const ListView& lv);
// The icons' size in the current view; icons take room only while an image list is set.
SIZE IconSize(const ListView& lv);
bool HasIcons(const ListView& lv);

// The client area without the header (and, in the list view, without the room of the scroll bar
// that the platform keeps free).
RECT ListArea(const ListView& lv);
// The client position of the item space's origin, after scrolling.
POINT Origin(const ListView& lv);

// A column's left and right edges from the item space's left (columns stand in index order).
int ColumnLeft(const ListView& lv, int column);
int ColumnWidth(const ListView& lv, int column);
int ColumnsWidth(const ListView& lv);

int CountPerColumn(const ListView& lv);  // rows that fit (list and report views), at least 1
int CountPerRow(const ListView& lv);     // columns of items that fit, at least 1
int CountPerPage(const ListView& lv);
int TopIndex(const ListView& lv);

// The parts of an item (or, in the report view, of one of its sub-items) in client coordinates,
// for the text it shows.
struct ItemParts {
  RECT box = {0, 0, 0, 0};     // LVIR_BOUNDS
  RECT icon = {0, 0, 0, 0};    // LVIR_ICON
  RECT label = {0, 0, 0, 0};   // LVIR_LABEL
  RECT select = {0, 0, 0, 0};  // LVIR_SELECTBOUNDS
  RECT state = {0, 0, 0, 0};   // the state icon
};
ItemParts PartsOf(const ListView& lv, int index, int subItem, const std::u16string& text);
// Whether the label's size depends on the text in this view (it fills the column in the report
// view), so that the text must be known to measure it.
bool LabelNeedsText(const ListView& lv);
// What hit-testing counts as the item outside the report view: its icon, label and state icon.
RECT OwnArea(const ItemParts& parts);

// LVM_GETITEMPOSITION: where an item lies in client coordinates (where its icon starts, in the icon
// view); LVM_SETITEMPOSITION moves an item of an icon view there.
POINT ItemPosition(const ListView& lv, int index);
bool MoveItemTo(ListView& lv, int index, POINT client);
// How far the items reach (LVM_GETVIEWRECT); empty in the report view.
RECT ViewRect(const ListView& lv);

// The item whose box lies under a client point, before looking at its parts; -1 for none.
int ItemUnder(const ListView& lv, POINT pt);
// The column under a client x position in the report view; -1 outside every column.
int ColumnUnder(const ListView& lv, int x);

// Scrolling. Positions are kept within what the items fill.
void ClampScroll(ListView& lv);
// Scrolls so that the item shows (partly, when `partial`); false for no such item.
bool EnsureVisible(ListView& lv, int index, bool partial);
// LVM_SCROLL: by pixels, rounded to whole rows in the report view and taken as columns in the
// list view, where a vertical amount is refused.
bool Scroll(ListView& lv, int dx, int dy);

// The icon views place each new item at the next free place of the grid; LVM_ARRANGE and a change
// to an icon view lay them all out again.
POINT TakeNextIconPosition(ListView& lv);
bool Arrange(ListView& lv, UINT code);

// The spacing of the icon view when it follows the system's (LVM_SETICONSPACING with -1).
SIZE DefaultIconSpacing(const ListView& lv);

}  // namespace cesim::detail

#endif

// The tree view control, class "SysTreeView32": what cesim's automation reads of it beyond its
// messages (where an item's button and label lie, which items the user sees).
#ifndef CESIM_CONTROLS_TREEVIEW_TREEVIEW_H
#define CESIM_CONTROLS_TREEVIEW_TREEVIEW_H

#include <string>
#include <vector>

#include "sim/types.h"

namespace cesim::detail {

// Registers the class; each boot does this for the device's own classes.
void RegisterTreeViewClass();

bool IsTreeView(HWND hwnd);

// Client points in the middle of an item's label and of its expand button; false when the item
// is not shown, or shows no button.
bool TreeItemLabelPoint(HWND tree, HTREEITEM item, POINT* client);
bool TreeItemButtonPoint(HWND tree, HTREEITEM item, POINT* client);

// The rows the user sees, first to last: level, button (0 none, '+' collapsed, '-' expanded),
// text and whether the item is selected.
struct TreeRow {
  int level = 0;
  char button = 0;
  std::u16string text;
  bool selected = false;
  HTREEITEM item = nullptr;
};
std::vector<TreeRow> ShownTreeRows(HWND tree);

}  // namespace cesim::detail

#endif

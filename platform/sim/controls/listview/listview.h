// The list view control, class "SysListView32": what cesim's automation reads of it beyond its
// messages (the rows the user sees, where to tap an item).
#ifndef CESIM_CONTROLS_LISTVIEW_LISTVIEW_H
#define CESIM_CONTROLS_LISTVIEW_LISTVIEW_H

#include <string>
#include <vector>

#include "sim/types.h"

namespace cesim::detail {

// Registers the class; each boot does this for the device's own classes.
void RegisterListViewClass();

bool IsListView(HWND hwnd);

// The items the user sees now, as drawing shows them: their texts (one per column in the report
// view, the parent asked for what it keeps, as drawing asks), focus and selection.
struct ListRow {
  int item = -1;
  std::vector<std::u16string> texts;
  bool focused = false;
  bool selected = false;
};
std::vector<ListRow> ShownListRows(HWND list);

// A client point in the middle of an item's label (or its icon when the label is empty); false
// when the item does not exist or that point is not on the screen.
bool ListItemLabelPoint(HWND list, int item, POINT* client);

}  // namespace cesim::detail

#endif

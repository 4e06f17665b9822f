// The list view item messages that the pane's keys and gestures use.
#include "view/list_items.h"

int ListItemCount(HWND listView) { return static_cast<int>(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0)); }

UINT ListItemState(HWND listView, int item, UINT mask) {
  return static_cast<UINT>(SendMessageW(listView, LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
}

void SetListItemState(HWND listView, int item, UINT state, UINT mask) {
  LVITEMW change;
  memset(&change, 0, sizeof(change));
  change.state = state;
  change.stateMask = mask;
  SendMessageW(listView, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&change));
}

// Scroll gestures over the list, read through the core library's GetGestureInfo where the
// device has it.
#include "view/pane_gestures.h"

#include "host/settings.h"
#include "module/module_state.h"
#include "view/commands.h"
#include "view/list_items.h"

namespace {

// The list item under a point of the screen, or -1.
int ItemAt(HWND listView, POINTS screen) {
  LVHITTESTINFO hit;
  memset(&hit, 0, sizeof(hit));
  hit.pt.x = screen.x;
  hit.pt.y = screen.y;
  ScreenToClient(listView, &hit.pt);
  return static_cast<int>(SendMessageW(listView, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

// Leaves exactly the item selected and focused and starts its preview at once. The preview
// timer is set last: the selection changes stop it while they are reported.
void PreviewItem(HWND pane, HWND listView, int item) {
  for (int i = ListItemCount(listView) - 1; i >= 0; --i) {
    if (ListItemState(listView, i, LVIS_SELECTED) != 0) SetListItemState(listView, i, 0, LVIS_SELECTED);
  }
  SetListItemState(listView, item, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  SetTimer(pane, PREVIEW_TIMER_ID, 0, NULL);
}

void OnScroll(HWND pane, LPARAM info) {
  if (g_module.getGestureInfo == NULL) return;
  GESTUREINFO gesture;
  memset(&gesture, 0, sizeof(gesture));
  gesture.cbSize = sizeof(gesture);
  if (!g_module.getGestureInfo(reinterpret_cast<HANDLE>(info), &gesture)) return;
  LONG direction = GID_SCROLL_DIRECTION(gesture.ullArguments);
  if (direction != ARG_SCROLL_LEFT && direction != ARG_SCROLL_RIGHT) return;

  HWND listView = g_module.listView;
  int item = ItemAt(listView, gesture.ptsLocation);
  if (direction == ARG_SCROLL_LEFT) {
    if (GetPreview() != 0 && item >= 0) PreviewItem(pane, listView, item);
    return;
  }
  LPARAM point = MAKELPARAM(static_cast<WORD>(gesture.ptsLocation.x), static_cast<WORD>(gesture.ptsLocation.y));
  SendMessageW(listView, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(listView), point);
}

}  // namespace

void OnPaneGesture(HWND pane, WPARAM gesture, LPARAM info) {
  if (gesture != GID_SCROLL) {
    // A tap or any other gesture hides the preview; its timer goes on.
    if (g_module.overlayWindow != NULL) ShowWindow(g_module.overlayWindow, SW_HIDE);
    return;
  }
  OnScroll(pane, info);
}

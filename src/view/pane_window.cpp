// The list pane extension: attached when the Explorer creates its pane window (by class
// atom), then first to see every message of the pane.
#include "view/pane_window.h"

#include "module/module_state.h"
#include "view/frame_window.h"

namespace {

LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_module.panePreviousProc == NULL) return DefWindowProcW(window, message, wParam, lParam);
  return CallWindowProcW(g_module.panePreviousProc, window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK PaneWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == VIEW_CALL_INIT && wParam == 0 && lParam != 0) {
    // The latest pane wins: its procedure and its list view are the ones the extensions use.
    g_module.panePreviousProc = reinterpret_cast<WNDPROC>(lParam);
    g_module.listView = GetWindow(window, GW_CHILD);
    return 0;
  }
  return PassOn(window, message, wParam, lParam);
}

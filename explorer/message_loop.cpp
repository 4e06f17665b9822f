// The Explorer's message loop and the routing of keys to its modeless dialogs.
#include "message_loop.h"

namespace {

// The top-level window that a message's window belongs to.
HWND TopLevelOf(HWND hwnd) {
  while (hwnd != NULL && (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) != 0) hwnd = GetParent(hwnd);
  return hwnd;
}

// A modeless dialog of the Explorer: a window of the dialog class that the frame window owns.
BOOL IsFrameDialog(HWND frame, HWND window) {
  if (window == NULL || window == frame || GetWindow(window, GW_OWNER) != frame) return FALSE;
  WCHAR className[8];
  return GetClassNameW(window, className, 8) > 0 && wcscmp(className, TEXT("Dialog")) == 0;
}

}  // namespace

void RouteExplorerMessage(HWND frame, MSG* msg) {
  HWND top = TopLevelOf(msg->hwnd);
  if (IsFrameDialog(frame, top) && IsDialogMessageW(top, msg)) return;
  TranslateMessage(msg);
  DispatchMessageW(msg);
}

int RunExplorerMessageLoop(HWND frame) {
  MSG msg;
  for (;;) {
    BOOL got = GetMessageW(&msg, NULL, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return -1;
    RouteExplorerMessage(frame, &msg);
  }
}

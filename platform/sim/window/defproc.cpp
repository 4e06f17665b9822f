// The default window procedure: what a window does with a message its own procedure passes on.
#include <algorithm>

#include "message/queue.h"
#include "sim/message.h"
#include "sim/window.h"
#include "window/focus.h"
#include "window/metrics.h"
#include "window/table.h"

using namespace cesim::detail;

namespace {

LRESULT OnGetText(Window& w, WPARAM maxCount, LPWSTR buffer) {
  if (buffer == nullptr || maxCount == 0) return 0;
  size_t count = std::min(w.text.size(), static_cast<size_t>(maxCount - 1));
  std::copy(w.text.begin(), w.text.begin() + static_cast<std::ptrdiff_t>(count), buffer);
  buffer[count] = 0;
  return static_cast<LRESULT>(count);
}

LRESULT OnSetText(Window& w, LPCWSTR text) {
  w.text = TextOf(text);
  return TRUE;
}

// WM_MOVE and WM_SIZE for what the position change moved and sized.
LRESULT OnWindowPosChanged(HWND hwnd, const WINDOWPOS* pos) {
  if (pos == nullptr) return 0;
  if ((pos->flags & SWP_NOMOVE) == 0) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr) return 0;
    RECT insets = NonClientInsets(w->style, w->exStyle);
    SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(w->rect.left + insets.left, w->rect.top + insets.top));
  }
  if ((pos->flags & SWP_NOSIZE) == 0 && FindWindowRecord(hwnd) != nullptr) {
    RECT client;
    GetClientRect(hwnd, &client);
    SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  }
  return 0;
}

}  // namespace

LRESULT WINAPI DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Window* w = FindWindowRecord(hWnd);
  if (w == nullptr || hWnd == DesktopHandle()) return 0;
  switch (Msg) {
    case WM_CLOSE:
      DestroyWindow(hWnd);
      return 0;
    case WM_GETTEXT:
      return OnGetText(*w, wParam, reinterpret_cast<LPWSTR>(lParam));
    case WM_SETTEXT:
      return OnSetText(*w, reinterpret_cast<LPCWSTR>(lParam));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_WINDOWPOSCHANGED:
      return OnWindowPosChanged(hWnd, reinterpret_cast<const WINDOWPOS*>(lParam));
    case WM_ACTIVATE:
      // A window being activated takes the keyboard focus.
      if (LOWORD(wParam) != WA_INACTIVE) SetFocus(hWnd);
      return 0;
    case WM_CANCELMODE:
      if (GetCapture() == hWnd) ReleaseCapture();
      return 0;
    case WM_CONTEXTMENU:
    case WM_GESTURE:
      // What a child does not handle goes on to its parent.
      if ((w->style & WS_CHILD) != 0 && w->parent != nullptr && w->parent != DesktopHandle()) {
        return SendMessageW(w->parent, Msg, wParam, lParam);
      }
      return 0;
    case WM_NOTIFY:
    case WM_GETDLGCODE:
    case WM_SETCURSOR:
      return 0;
    case WM_ERASEBKGND:
      return 1;
    default:
      return 0;
  }
}

// Where windows are and whether they show: window and client rectangles, coordinate mapping,
// moving and sizing (WM_WINDOWPOSCHANGED, which the default procedure turns into WM_MOVE and
// WM_SIZE), z-order, showing and hiding, enabling and disabling; and the rectangle helpers.
#include <algorithm>

#include "sim/core.h"
#include "sim/message.h"
#include "sim/window.h"
#include "window/focus.h"
#include "window/metrics.h"
#include "window/table.h"

using namespace cesim::detail;

namespace {

RECT ScreenRectOf(const Window& w);

POINT ClientOriginOnScreen(const Window& w) {
  RECT screen = ScreenRectOf(w);
  RECT insets = w.handle == DesktopHandle() ? RECT{0, 0, 0, 0} : NonClientInsets(w.style, w.exStyle);
  return POINT{screen.left + insets.left, screen.top + insets.top};
}

RECT ScreenRectOf(const Window& w) {
  if (w.handle == DesktopHandle()) return w.rect;
  Window* parent = FindWindowRecord(w.parent);
  if (parent == nullptr) return w.rect;
  POINT origin = ClientOriginOnScreen(*parent);
  RECT r = w.rect;
  OffsetRect(&r, origin.x, origin.y);
  return r;
}

size_t ZIndex(const Window& w) {
  Window* parent = FindWindowRecord(w.parent);
  if (parent == nullptr) return 0;
  auto it = std::find(parent->children.begin(), parent->children.end(), w.handle);
  return static_cast<size_t>(it - parent->children.begin());
}

}  // namespace

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
  Window* w = WindowOrFail(hWnd);
  if (w == nullptr || lpRect == nullptr) return FALSE;
  *lpRect = ScreenRectOf(*w);
  return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
  Window* w = WindowOrFail(hWnd);
  if (w == nullptr || lpRect == nullptr) return FALSE;
  RECT insets = hWnd == DesktopHandle() ? RECT{0, 0, 0, 0} : NonClientInsets(w->style, w->exStyle);
  LONG width = (w->rect.right - w->rect.left) - insets.left - insets.right;
  LONG height = (w->rect.bottom - w->rect.top) - insets.top - insets.bottom;
  SetRect(lpRect, 0, 0, std::max<LONG>(width, 0), std::max<LONG>(height, 0));
  return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
  Window* w = WindowOrFail(hWnd);
  if (w == nullptr || lpPoint == nullptr) return FALSE;
  POINT origin = ClientOriginOnScreen(*w);
  lpPoint->x -= origin.x;
  lpPoint->y -= origin.y;
  return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
  Window* w = WindowOrFail(hWnd);
  if (w == nullptr || lpPoint == nullptr) return FALSE;
  POINT origin = ClientOriginOnScreen(*w);
  lpPoint->x += origin.x;
  lpPoint->y += origin.y;
  return TRUE;
}

int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
  POINT from = {0, 0};
  POINT to = {0, 0};
  if (hWndFrom != nullptr) {
    Window* w = WindowOrFail(hWndFrom);
    if (w == nullptr) return 0;
    from = ClientOriginOnScreen(*w);
  }
  if (hWndTo != nullptr) {
    Window* w = WindowOrFail(hWndTo);
    if (w == nullptr) return 0;
    to = ClientOriginOnScreen(*w);
  }
  LONG dx = from.x - to.x;
  LONG dy = from.y - to.y;
  for (UINT i = 0; lpPoints != nullptr && i < cPoints; ++i) {
    lpPoints[i].x += dx;
    lpPoints[i].y += dy;
  }
  SetLastError(ERROR_SUCCESS);
  return MAKELONG(static_cast<WORD>(static_cast<SHORT>(dx)), static_cast<WORD>(static_cast<SHORT>(dy)));
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
  (void)bRepaint;  // cesim does not paint
  return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Without SWP_NOACTIVATE a top-level window is activated and brought to the top of its band,
// hidden, disabled or not, as the reference says and the platform does; a child is not
// activated (the device has no WM_CHILDACTIVATE). Hiding with SWP_HIDEWINDOW activates nothing
// and hands nothing on: the hidden window stays active and keeps the focus (ShowWindow hands them
// on, EndDialog and DestroyWindow do it themselves).
BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
  Window* w = WindowOrFail(hWnd);
  if (w == nullptr || hWnd == DesktopHandle()) return FALSE;
  UINT flags = uFlags & (SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                         SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_NOCOPYBITS | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  RECT old = w->rect;
  RECT now = old;
  if ((flags & SWP_NOMOVE) == 0) OffsetRect(&now, X - old.left, Y - old.top);
  if ((flags & SWP_NOSIZE) == 0) {
    now.right = now.left + std::max(cx, 0);
    now.bottom = now.top + std::max(cy, 0);
  }
  // What does not change is reported as not changed.
  if (now.left == old.left && now.top == old.top) flags |= SWP_NOMOVE;
  if (now.right - now.left == old.right - old.left && now.bottom - now.top == old.bottom - old.top) flags |= SWP_NOSIZE;
  w->rect = now;

  bool wasVisible = (w->style & WS_VISIBLE) != 0;
  if ((flags & SWP_SHOWWINDOW) != 0 && !wasVisible) {
    w->style |= WS_VISIBLE;
  } else if ((flags & SWP_HIDEWINDOW) != 0 && wasVisible) {
    w->style &= ~static_cast<DWORD>(WS_VISIBLE);
  } else {
    flags &= ~static_cast<UINT>(SWP_SHOWWINDOW | SWP_HIDEWINDOW);
  }

  // A window that is activated comes to the top of its band, unless it is moved between bands.
  const bool activates = IsTopLevel(*w) && (flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW)) == 0;
  if (activates && ((flags & SWP_NOZORDER) != 0 || (hWndInsertAfter != HWND_TOPMOST && hWndInsertAfter != HWND_NOTOPMOST))) {
    flags &= ~static_cast<UINT>(SWP_NOZORDER);
    hWndInsertAfter = HWND_TOP;
  }

  if ((flags & SWP_NOZORDER) == 0) {
    size_t before = ZIndex(*w);
    if (hWndInsertAfter == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
    if (hWndInsertAfter == HWND_NOTOPMOST) w->exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
    if (hWndInsertAfter == HWND_TOP || hWndInsertAfter == HWND_TOPMOST || hWndInsertAfter == HWND_NOTOPMOST) {
      BringToTop(hWnd);
    } else {
      PlaceInZOrder(hWnd, hWndInsertAfter);
    }
    w = FindWindowRecord(hWnd);
    if (ZIndex(*w) == before) flags |= SWP_NOZORDER;
  }

  if (activates && hWnd != GetActiveWindow()) ActivateWindow(hWnd, WA_ACTIVE, true);
  w = FindWindowRecord(hWnd);
  if (w == nullptr) return TRUE;

  if ((flags & (SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER)) != (SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER) ||
      (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0) {
    WINDOWPOS pos;
    pos.hwnd = hWnd;
    pos.hwndInsertAfter = hWndInsertAfter;
    pos.x = w->rect.left;
    pos.y = w->rect.top;
    pos.cx = w->rect.right - w->rect.left;
    pos.cy = w->rect.bottom - w->rect.top;
    pos.flags = flags;
    SendMessageW(hWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  }
  return TRUE;
}

BOOL WINAPI BringWindowToTop(HWND hWnd) { return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
  Window* w = WindowOrFail(hWnd);
  if (w == nullptr || hWnd == DesktopHandle()) return FALSE;
  BOOL wasVisible = (w->style & WS_VISIBLE) != 0 ? TRUE : FALSE;
  bool child = !IsTopLevel(*w);
  if (nCmdShow == SW_HIDE || nCmdShow == SW_MINIMIZE) {
    if (!wasVisible) return FALSE;
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    // Hidden by ShowWindow, an active window hands activation on and the focus leaves it.
    HandOffAfterHide(hWnd);
    return wasVisible;
  }
  bool activate = nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE && !child;
  if (wasVisible) {
    // Already showing, and never minimized or maximized on the device: nothing changes, and
    // nothing is activated, whatever the command (the platform acts only on a state change).
    return wasVisible;
  }
  UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW;
  if (!activate) flags |= SWP_NOACTIVATE;
  if (child) flags |= SWP_NOZORDER;
  SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, flags);
  return wasVisible;
}

BOOL WINAPI IsWindowVisible(HWND hWnd) {
  Window* w = FindWindowRecord(hWnd);
  if (w == nullptr) return FALSE;
  for (; w != nullptr && w->handle != DesktopHandle(); w = FindWindowRecord(w->parent)) {
    if ((w->style & WS_VISIBLE) == 0) return FALSE;
  }
  return TRUE;
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
  Window* w = WindowOrFail(hWnd);
  if (w == nullptr) return FALSE;
  BOOL wasDisabled = (w->style & WS_DISABLED) != 0 ? TRUE : FALSE;
  if (bEnable && wasDisabled) {
    w->style &= ~static_cast<DWORD>(WS_DISABLED);
    SendMessageW(hWnd, WM_ENABLE, TRUE, 0);
  } else if (!bEnable && !wasDisabled) {
    SendMessageW(hWnd, WM_CANCELMODE, 0, 0);
    w = FindWindowRecord(hWnd);
    if (w == nullptr) return wasDisabled;
    w->style |= WS_DISABLED;
    HandOffAfterDisable(hWnd);
    if (FindWindowRecord(hWnd) != nullptr) SendMessageW(hWnd, WM_ENABLE, FALSE, 0);
  }
  return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
  Window* w = FindWindowRecord(hWnd);
  return w != nullptr && (w->style & WS_DISABLED) == 0 ? TRUE : FALSE;
}

BOOL WINAPI SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) {
  if (lprc == nullptr) return FALSE;
  lprc->left = xLeft;
  lprc->top = yTop;
  lprc->right = xRight;
  lprc->bottom = yBottom;
  return TRUE;
}

BOOL WINAPI SetRectEmpty(LPRECT lprc) { return SetRect(lprc, 0, 0, 0, 0); }

BOOL WINAPI CopyRect(LPRECT lprcDst, const RECT* lprcSrc) {
  if (lprcDst == nullptr || lprcSrc == nullptr) return FALSE;
  *lprcDst = *lprcSrc;
  return TRUE;
}

BOOL WINAPI OffsetRect(LPRECT lprc, int dx, int dy) {
  if (lprc == nullptr) return FALSE;
  lprc->left += dx;
  lprc->right += dx;
  lprc->top += dy;
  lprc->bottom += dy;
  return TRUE;
}

BOOL WINAPI InflateRect(LPRECT lprc, int dx, int dy) {
  if (lprc == nullptr) return FALSE;
  lprc->left -= dx;
  lprc->right += dx;
  lprc->top -= dy;
  lprc->bottom += dy;
  return TRUE;
}

BOOL WINAPI IsRectEmpty(const RECT* lprc) {
  return lprc == nullptr || lprc->right <= lprc->left || lprc->bottom <= lprc->top ? TRUE : FALSE;
}

BOOL WINAPI EqualRect(const RECT* lprc1, const RECT* lprc2) {
  if (lprc1 == nullptr || lprc2 == nullptr) return FALSE;
  return lprc1->left == lprc2->left && lprc1->top == lprc2->top && lprc1->right == lprc2->right &&
                 lprc1->bottom == lprc2->bottom
             ? TRUE
             : FALSE;
}

BOOL WINAPI IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
  if (lprcDst == nullptr || lprcSrc1 == nullptr || lprcSrc2 == nullptr) return FALSE;
  RECT r = {std::max(lprcSrc1->left, lprcSrc2->left), std::max(lprcSrc1->top, lprcSrc2->top),
            std::min(lprcSrc1->right, lprcSrc2->right), std::min(lprcSrc1->bottom, lprcSrc2->bottom)};
  if (IsRectEmpty(&r)) {
    SetRectEmpty(lprcDst);
    return FALSE;
  }
  *lprcDst = r;
  return TRUE;
}

BOOL WINAPI PtInRect(const RECT* lprc, POINT pt) {
  if (lprc == nullptr) return FALSE;
  return pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom ? TRUE : FALSE;
}

// The window tree as applications walk it: parents, owners, siblings in z-order, finding a
// top-level window by class and title, finding the window under a point.
#include <algorithm>

#include "core/case_fold.h"
#include "message/input.h"
#include "sim/core.h"
#include "sim/window.h"
#include "window/table.h"

using namespace cesim::detail;

BOOL WINAPI IsWindow(HWND hWnd) { return FindWindowRecord(hWnd) != nullptr ? TRUE : FALSE; }

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
  Window* w = WindowOrFail(hWnd);
  if (w == nullptr) return nullptr;
  switch (uCmd) {
    case GW_CHILD:
      return w->children.empty() ? nullptr : w->children.front();
    case GW_OWNER:
      return FindWindowRecord(w->owner) != nullptr ? w->owner : nullptr;
    case GW_HWNDFIRST:
    case GW_HWNDLAST:
    case GW_HWNDNEXT:
    case GW_HWNDPREV: {
      Window* parent = FindWindowRecord(w->parent);
      if (parent == nullptr) return nullptr;
      const std::vector<HWND>& siblings = parent->children;
      if (siblings.empty()) return nullptr;
      if (uCmd == GW_HWNDFIRST) return siblings.front();
      if (uCmd == GW_HWNDLAST) return siblings.back();
      auto it = std::find(siblings.begin(), siblings.end(), hWnd);
      if (it == siblings.end()) return nullptr;
      if (uCmd == GW_HWNDNEXT) return it + 1 == siblings.end() ? nullptr : *(it + 1);
      return it == siblings.begin() ? nullptr : *(it - 1);
    }
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

HWND WINAPI GetParent(HWND hWnd) {
  Window* w = WindowOrFail(hWnd);
  if (w == nullptr) return nullptr;
  if ((w->style & WS_CHILD) != 0) return w->parent == DesktopHandle() ? nullptr : w->parent;
  // A pop-up window answers with its owner.
  if ((w->style & WS_POPUP) != 0 && FindWindowRecord(w->owner) != nullptr) return w->owner;
  return nullptr;
}

HWND WINAPI SetParent(HWND hWndChild, HWND hWndNewParent) {
  Window* w = WindowOrFail(hWndChild);
  if (w == nullptr || hWndChild == DesktopHandle()) return nullptr;
  HWND newParent = hWndNewParent == nullptr ? DesktopHandle() : hWndNewParent;
  if (WindowOrFail(newParent) == nullptr) return nullptr;
  // A window cannot become a child of itself or of one of its own descendants.
  if (IsSelfOrDescendant(hWndChild, newParent)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HWND oldParent = w->parent;
  Window* old = FindWindowRecord(oldParent);
  if (old != nullptr) old->children.erase(std::remove(old->children.begin(), old->children.end(), hWndChild), old->children.end());
  w->parent = newParent;
  if (newParent != DesktopHandle()) w->owner = nullptr;
  Window* np = FindWindowRecord(newParent);
  np->children.insert(np->children.begin(), hWndChild);
  PlaceInZOrder(hWndChild, HWND_TOP);
  return oldParent;
}

BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd) {
  if (hWndParent == nullptr || hWnd == hWndParent) return FALSE;
  // A child window of hWndParent: every window on the way up has WS_CHILD.
  Window* w = FindWindowRecord(hWnd);
  while (w != nullptr && (w->style & WS_CHILD) != 0) {
    if (w->parent == hWndParent) return TRUE;
    w = FindWindowRecord(w->parent);
  }
  return FALSE;
}

HWND WINAPI GetDesktopWindow(void) { return DesktopHandle(); }

HWND WINAPI FindWindowW(LPCWSTR lpClassName, LPCWSTR lpWindowName) {
  std::shared_ptr<WindowClass> cls;
  if (lpClassName != nullptr) {
    cls = FindClass(lpClassName);
    if (cls == nullptr) return nullptr;
  }
  for (HWND top : TopLevelWindows()) {
    Window* w = FindWindowRecord(top);
    if (w == nullptr) continue;
    if (cls != nullptr && w->cls != cls) continue;
    if (lpWindowName != nullptr && !SameFolded(w->text, BoundedText(lpWindowName, 4096))) continue;
    return top;
  }
  return nullptr;
}

HWND WINAPI WindowFromPoint(POINT Point) {
  HWND hwnd = WindowUnderPoint(Point);
  Window* w = FindWindowRecord(hwnd);
  return w != nullptr && (w->style & WS_DISABLED) == 0 ? hwnd : nullptr;
}

HWND WINAPI ChildWindowFromPoint(HWND hWndParent, POINT Point) {
  Window* parent = WindowOrFail(hWndParent);
  if (parent == nullptr) return nullptr;
  RECT client;
  GetClientRect(hWndParent, &client);
  if (!PtInRect(&client, Point)) return nullptr;
  POINT screen = Point;
  ClientToScreen(hWndParent, &screen);
  for (HWND child : parent->children) {
    RECT rect;
    if (GetWindowRect(child, &rect) && PtInRect(&rect, screen)) return child;
  }
  return hWndParent;
}

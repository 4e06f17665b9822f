// Creating and destroying windows, with the messages the device sends on the way: WM_CREATE,
// WM_SIZE, WM_MOVE and the showing of a visible window; WM_DESTROY to the window and then to its
// children, after its owned windows have gone and activation, focus and capture have left it.
#include "message/queue.h"
#include "sim/core.h"
#include "sim/message.h"
#include "sim/window.h"
#include "window/focus.h"
#include "window/metrics.h"
#include "window/table.h"

using namespace cesim::detail;

namespace {

void SendDestroyToTree(HWND hwnd) {
  if (FindWindowRecord(hwnd) == nullptr) return;
  SendMessageW(hwnd, WM_DESTROY, 0, 0);
  Window* w = FindWindowRecord(hwnd);
  if (w == nullptr) return;
  std::vector<HWND> children = w->children;
  for (HWND child : children) {
    Window* c = FindWindowRecord(child);
    if (c == nullptr || c->destroying) continue;
    c->destroying = true;
    SendDestroyToTree(child);
  }
}

void Forget(HWND hwnd) {
  for (HWND h : SelfAndDescendants(hwnd)) RemoveTimersOf(h);
  RemoveWindow(hwnd);
}

}  // namespace

HWND WINAPI CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int X, int Y,
                            int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                            LPVOID lpParam) {
  std::shared_ptr<WindowClass> cls = FindClass(lpClassName);
  if (cls == nullptr) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  bool child = (dwStyle & WS_CHILD) != 0;
  HWND parent = DesktopHandle();
  HWND owner = nullptr;
  if (child) {
    if (hWndParent == nullptr) {
      SetLastError(ERROR_TLW_WITH_WSCHILD);
      return nullptr;
    }
    if (WindowOrFail(hWndParent) == nullptr) return nullptr;
    parent = hWndParent;
  } else if (hWndParent != nullptr && hWndParent != DesktopHandle()) {
    // A top-level window is owned by the top-level window of the one given.
    if (WindowOrFail(hWndParent) == nullptr) return nullptr;
    owner = TopLevelOf(hWndParent);
  }
  if (child) {
    if (X == CW_USEDEFAULT) X = Y = 0;
    if (nWidth == CW_USEDEFAULT) nWidth = nHeight = 0;
  } else {
    if (X == CW_USEDEFAULT) X = Y = 0;
    if (nWidth == CW_USEDEFAULT) {
      nWidth = ScreenWidth();
      nHeight = ScreenHeight();
    }
  }
  if (nWidth < 0) nWidth = 0;
  if (nHeight < 0) nHeight = 0;

  auto record = std::make_unique<Window>();
  record->cls = cls;
  record->proc = cls->proc;
  record->style = dwStyle & ~static_cast<DWORD>(WS_VISIBLE);
  record->exStyle = dwExStyle;
  record->parent = parent;
  record->owner = owner;
  record->rect = {X, Y, X + nWidth, Y + nHeight};
  if (lpWindowName != nullptr && !IS_INTRESOURCE(lpWindowName)) record->text = TextOf(lpWindowName);
  record->id = child ? reinterpret_cast<UINT_PTR>(hMenu) : 0;
  record->menu = child ? nullptr : hMenu;
  record->instance = hInstance;
  HWND hwnd = AddWindow(std::move(record));

  CREATESTRUCTW cs;
  cs.lpCreateParams = lpParam;
  cs.hInstance = hInstance;
  cs.hMenu = hMenu;
  cs.hwndParent = hWndParent;
  cs.cy = nHeight;
  cs.cx = nWidth;
  cs.y = Y;
  cs.x = X;
  cs.style = static_cast<LONG>(dwStyle);
  cs.lpszName = lpWindowName;
  cs.lpszClass = lpClassName;
  cs.dwExStyle = dwExStyle;
  LRESULT created = SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs));
  Window* w = FindWindowRecord(hwnd);
  if (w == nullptr) return nullptr;
  if (created == -1) {
    // The window refused to be created: it goes without further messages.
    Forget(hwnd);
    return nullptr;
  }

  RECT client;
  GetClientRect(hwnd, &client);
  SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  w = FindWindowRecord(hwnd);
  if (w == nullptr) return nullptr;
  RECT insets = NonClientInsets(w->style, w->exStyle);
  SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(w->rect.left + insets.left, w->rect.top + insets.top));
  if (FindWindowRecord(hwnd) == nullptr) return nullptr;

  if ((dwStyle & WS_VISIBLE) != 0) ShowWindow(hwnd, SW_SHOW);
  return FindWindowRecord(hwnd) != nullptr ? hwnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
  Window* w = WindowOrFail(hWnd);
  if (w == nullptr || hWnd == DesktopHandle()) return FALSE;
  if (w->destroying) return TRUE;
  w->destroying = true;
  // Off the screen before anything is told.
  w->style &= ~static_cast<DWORD>(WS_VISIBLE);
  if (IsTopLevel(*w)) {
    // Owned windows go first.
    for (HWND top : TopLevelWindows()) {
      Window* t = FindWindowRecord(top);
      if (t != nullptr && t->owner == hWnd) DestroyWindow(top);
    }
  }
  HandOffBeforeDestroy(hWnd);
  SendDestroyToTree(hWnd);
  Forget(hWnd);
  return TRUE;
}

// Creating and destroying windows, with the messages the device sends on the way: WM_CREATE,
// WM_SIZE, WM_MOVE and the showing of a visible window; hiding, the owned windows' end,
// activation, focus and capture moving on, then WM_DESTROY to the window and to its children.
#include <string>

#include "core/fatal.h"
#include "message/queue.h"
#include "sim/core.h"
#include "sim/message.h"
#include "sim/window.h"
#include "window/focus.h"
#include "window/metrics.h"
#include "window/table.h"

using namespace cesim::detail;

namespace {

// A destruction that enters itself this often recurses without end: every nested DestroyWindow
// does all of its steps again, and the window procedure answers them as it did the first time.
constexpr int kUnendingDestroyDepth = 8;

const char* StageName(DestroyStage stage) {
  switch (stage) {
    case DestroyStage::Hiding:
      return "while it was hidden (WM_WINDOWPOSCHANGED)";
    case DestroyStage::DestroyingOwnedWindows:
      return "while its owned windows were destroyed";
    case DestroyStage::HandingOnActivation:
      return "while activation moved on from it (WM_ACTIVATE WA_INACTIVE, which leaves it active until "
             "it returns, so the nested call hands activation on again)";
    case DestroyStage::SendingDestroy:
      return "from its WM_DESTROY (or a child's), which the nested call sends again";
    case DestroyStage::None:
      break;
  }
  return "from outside its destruction";
}

// One DestroyWindow call under way for a window: counts how deeply the window's destruction has
// entered itself and keeps the step it is at, for the report of a destruction without end.
class Destruction {
 public:
  explicit Destruction(HWND hwnd) : hwnd_(hwnd) {
    Window* w = FindWindowRecord(hwnd);
    outerStage_ = w->destroyStage;
    if (++w->destroyDepth >= kUnendingDestroyDepth) {
      AbortUnsurvivable("DestroyWindow of " + DescribeForReport(hwnd) + " entered again " +
                        std::to_string(w->destroyDepth - 1) + " times from inside its own destruction, last " +
                        StageName(outerStage_) + "; a device repeats the destruction until its stack overflows");
    }
  }
  ~Destruction() {
    Window* w = FindWindowRecord(hwnd_);
    if (w == nullptr) return;
    --w->destroyDepth;
    w->destroyStage = outerStage_;
  }
  Destruction(const Destruction&) = delete;
  Destruction& operator=(const Destruction&) = delete;

  // Moves on to a step; false when the window is gone (a nested call has finished it).
  bool At(DestroyStage stage) {
    Window* w = FindWindowRecord(hwnd_);
    if (w == nullptr) return false;
    w->destroyStage = stage;
    return true;
  }

 private:
  HWND hwnd_;
  DestroyStage outerStage_;
};

// WM_DESTROY to the window, then to each of its children that is still there, parents first.
void SendDestroyToTree(HWND hwnd) {
  if (FindWindowRecord(hwnd) == nullptr) return;
  SendMessageW(hwnd, WM_DESTROY, 0, 0);
  Window* w = FindWindowRecord(hwnd);
  if (w == nullptr) return;
  std::vector<HWND> children = w->children;
  for (HWND child : children) SendDestroyToTree(child);
}

void DestroyOwnedWindows(HWND owner) {
  // Again and again, as destroying one may make others.
  for (bool found = true; found;) {
    found = false;
    for (HWND top : TopLevelWindows()) {
      Window* t = FindWindowRecord(top);
      if (t == nullptr || t->owner != owner) continue;
      DestroyWindow(top);
      found = true;
      break;
    }
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

// The device's order: the window is hidden (a child as ShowWindow(SW_HIDE) hides it, its focus
// going to the parent), its owned windows are destroyed, activation moves on from it if it is
// active, the focus and the capture leave it, then WM_DESTROY goes to it and its children. A call
// for a window whose destruction is under way is not refused: it does every step again, as the
// platform does, and a destruction that keeps entering itself is reported as the recursion
// without end that it is on a device.
BOOL WINAPI DestroyWindow(HWND hWnd) {
  Window* w = WindowOrFail(hWnd);
  if (w == nullptr || hWnd == DesktopHandle()) return FALSE;
  Destruction destruction(hWnd);
  const bool topLevel = IsTopLevel(*w);
  if ((w->style & WS_VISIBLE) != 0) {
    destruction.At(DestroyStage::Hiding);
    if (topLevel) {
      SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    } else {
      ShowWindow(hWnd, SW_HIDE);
    }
  }
  if (topLevel) {
    if (!destruction.At(DestroyStage::DestroyingOwnedWindows)) return TRUE;
    DestroyOwnedWindows(hWnd);
  }
  if (!destruction.At(DestroyStage::HandingOnActivation)) return TRUE;
  HandOffBeforeDestroy(hWnd);
  if (!destruction.At(DestroyStage::SendingDestroy)) return TRUE;
  SendDestroyToTree(hWnd);
  if (FindWindowRecord(hWnd) != nullptr) Forget(hWnd);
  return TRUE;
}

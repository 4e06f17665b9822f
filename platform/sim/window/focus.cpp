// Activation, focus and capture: the one active top-level window, the one window with the
// keyboard focus, the one that has captured the stylus.
#include "window/focus.h"

#include <algorithm>
#include <vector>

#include "sim/message.h"
#include "sim/window.h"
#include "window/table.h"

namespace cesim::detail {

namespace {

struct FocusState {
  HWND active = nullptr;
  HWND focus = nullptr;
  HWND capture = nullptr;
};

FocusState& State() {
  static FocusState state;
  return state;
}

bool Alive(HWND hwnd) { return FindWindowRecord(hwnd) != nullptr; }

// A top-level window that activation may move on to: shown, enabled, and not one that asked
// never to be brought forward when the active window goes (WS_EX_NOACTIVATE).
bool CanBeActivated(HWND hwnd, HWND leaving) {
  Window* w = FindWindowRecord(hwnd);
  if (w == nullptr || !IsTopLevel(*w) || IsBeingDestroyed(*w) || hwnd == leaving) return false;
  if ((w->style & WS_VISIBLE) == 0 || (w->style & WS_DISABLED) != 0) return false;
  return (w->exStyle & WS_EX_NOACTIVATE) == 0;
}

// The window that becomes active when `leaving` goes: the owner of a pop-up, else the first
// suitable top-level window below it in z-order, else the first one above it.
HWND NextActiveWindow(HWND leaving) {
  Window* w = FindWindowRecord(leaving);
  if (w != nullptr && (w->style & WS_POPUP) != 0 && w->owner != nullptr) {
    HWND owner = TopLevelOf(w->owner);
    if (CanBeActivated(owner, leaving)) return owner;
  }
  const std::vector<HWND> tops = TopLevelWindows();
  auto position = std::find(tops.begin(), tops.end(), leaving);
  if (position != tops.end()) {
    for (auto below = position + 1; below != tops.end(); ++below) {
      if (CanBeActivated(*below, leaving)) return *below;
    }
  }
  for (auto above = tops.begin(); above != position; ++above) {
    if (CanBeActivated(*above, leaving)) return *above;
  }
  return nullptr;
}

}  // namespace

HWND ActiveWindow() { return Alive(State().active) ? State().active : nullptr; }
HWND FocusWindow() { return Alive(State().focus) ? State().focus : nullptr; }
HWND CaptureWindow() { return Alive(State().capture) ? State().capture : nullptr; }

bool ActivateWindow(HWND hwnd, WORD how, bool moveFocus) {
  FocusState& s = State();
  HWND previous = s.active;
  if (hwnd == previous && (hwnd == nullptr || Alive(hwnd))) return true;
  if (hwnd != nullptr) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || !IsTopLevel(*w)) return false;
  }
  if (Alive(previous)) {
    // It stays the active window while it is told: whatever it does then (destroying or hiding
    // itself) finds it active and moves activation on from it again.
    SendMessageW(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(hwnd));
    // Someone else changed the activation while the old window was told; that change stands.
    if (s.active != previous && Alive(s.active)) return s.active == hwnd;
  }
  if (hwnd != nullptr && !Alive(hwnd)) {
    if (!Alive(s.active)) s.active = nullptr;
    return false;
  }
  s.active = hwnd;
  if (hwnd == nullptr) {
    if (Alive(previous) && IsSelfOrDescendant(previous, s.focus)) SetFocus(nullptr);
    return true;
  }
  BringToTop(hwnd);
  SendMessageW(hwnd, WM_ACTIVATE, MAKEWPARAM(how, 0), reinterpret_cast<LPARAM>(previous));
  if (moveFocus && State().active == hwnd && Alive(hwnd) && !IsSelfOrDescendant(hwnd, State().focus)) {
    SetFocus(hwnd);
  }
  return true;
}

void HandOffBeforeDestroy(HWND hwnd) {
  FocusState& s = State();
  if (s.active == hwnd) ActivateWindow(NextActiveWindow(hwnd), WA_ACTIVE, true);
  if (Alive(s.focus) && IsSelfOrDescendant(hwnd, s.focus)) {
    // The focus leaves with the window; nothing else receives it.
    HWND losing = s.focus;
    s.focus = nullptr;
    SendMessageW(losing, WM_KILLFOCUS, 0, 0);
  }
  if (Alive(s.capture) && IsSelfOrDescendant(hwnd, s.capture)) {
    HWND losing = s.capture;
    s.capture = nullptr;
    SendMessageW(losing, WM_CAPTURECHANGED, 0, 0);
  }
}

void HandOffAfterHide(HWND hwnd) {
  FocusState& s = State();
  Window* w = FindWindowRecord(hwnd);
  if (w == nullptr) return;
  if (IsTopLevel(*w)) {
    if (s.active == hwnd) ActivateWindow(NextActiveWindow(hwnd), WA_ACTIVE, true);
    if (Alive(s.focus) && IsSelfOrDescendant(hwnd, s.focus)) SetFocus(nullptr);
  } else if (Alive(s.focus) && IsSelfOrDescendant(hwnd, s.focus)) {
    // A hidden child hands the focus to its parent.
    HWND parent = w->parent;
    Window* p = FindWindowRecord(parent);
    SetFocus(p != nullptr && parent != DesktopHandle() ? parent : nullptr);
  }
}

void HandOffAfterDisable(HWND hwnd) {
  // A disabled window cannot keep the focus; a child of it keeps it until something moves it.
  if (State().focus == hwnd && Alive(hwnd)) SetFocus(nullptr);
}

void ResetFocusState() { State() = FocusState(); }

}  // namespace cesim::detail

using namespace cesim::detail;

HWND WINAPI SetActiveWindow(HWND hWnd) {
  Window* w = WindowOrFail(hWnd);
  if (w == nullptr || !IsTopLevel(*w)) return nullptr;
  HWND previous = ActiveWindow();
  if (!ActivateWindow(hWnd, WA_ACTIVE, true)) return nullptr;
  return previous;
}

HWND WINAPI GetActiveWindow(void) { return ActiveWindow(); }

BOOL WINAPI SetForegroundWindow(HWND hWnd) {
  if (WindowOrFail(hWnd) == nullptr) return FALSE;
  HWND top = TopLevelOf(hWnd);
  return top != nullptr && ActivateWindow(top, WA_ACTIVE, true) ? TRUE : FALSE;
}

HWND WINAPI GetForegroundWindow(void) { return ActiveWindow(); }

HWND WINAPI SetFocus(HWND hWnd) {
  FocusState& s = State();
  if (hWnd == nullptr) {
    HWND previous = s.focus;
    s.focus = nullptr;
    if (Alive(previous)) SendMessageW(previous, WM_KILLFOCUS, 0, 0);
    return Alive(previous) ? previous : nullptr;
  }
  if (WindowOrFail(hWnd) == nullptr) return nullptr;
  if (hWnd == s.focus) return hWnd;
  // A disabled window, or one inside a disabled window, cannot take the focus.
  for (Window* w = FindWindowRecord(hWnd); w != nullptr && w->handle != DesktopHandle();
       w = FindWindowRecord(w->parent)) {
    if ((w->style & WS_DISABLED) != 0) return nullptr;
  }
  HWND top = TopLevelOf(hWnd);
  if (top != ActiveWindow()) {
    // The window's top-level window is activated first; the focus goes straight on to hWnd.
    if (!ActivateWindow(top, WA_ACTIVE, false)) return nullptr;
    if (!Alive(hWnd) || ActiveWindow() != top) return nullptr;
  }
  HWND previous = s.focus;
  if (previous == hWnd) return previous;
  s.focus = hWnd;
  if (Alive(previous)) {
    SendMessageW(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    if (State().focus != hWnd) return previous;  // changed while the old window was told
  }
  if (Alive(hWnd)) SendMessageW(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  return previous;
}

HWND WINAPI GetFocus(void) { return FocusWindow(); }

HWND WINAPI SetCapture(HWND hWnd) {
  if (WindowOrFail(hWnd) == nullptr) return nullptr;
  FocusState& s = State();
  HWND previous = CaptureWindow();
  s.capture = hWnd;
  if (previous != nullptr && previous != hWnd) {
    SendMessageW(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
  }
  return previous;
}

BOOL WINAPI ReleaseCapture(void) {
  FocusState& s = State();
  HWND previous = CaptureWindow();
  s.capture = nullptr;
  if (previous != nullptr) SendMessageW(previous, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND WINAPI GetCapture(void) { return CaptureWindow(); }

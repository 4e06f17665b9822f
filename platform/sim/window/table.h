// The window manager's own records: registered window classes and live windows, found by
// handle. Every other part of the window system goes through these lookups and re-reads a
// record after any call that can send a message, because a window procedure may destroy
// windows (its own included) while it runs.
#ifndef CESIM_WINDOW_TABLE_H
#define CESIM_WINDOW_TABLE_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sim/types.h"

namespace cesim::detail {

struct WindowClass {
  std::u16string name;  // as registered; compared without letter case
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int classExtra = 0;
  int windowExtra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  LPCWSTR menuName = nullptr;     // an ordinal, or menuNameText
  std::u16string menuNameText;
  bool system = false;            // registered by the device itself, never unregistered
  int windowCount = 0;            // live windows of the class
};

// Where a window's destruction is: the steps of DestroyWindow in the device's order.
enum class DestroyStage { None, Hiding, DestroyingOwnedWindows, HandingOnActivation, SendingDestroy };

struct Window {
  HWND handle = nullptr;
  std::shared_ptr<WindowClass> cls;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  HWND parent = nullptr;          // the desktop window for top-level windows
  HWND owner = nullptr;           // top-level windows only
  std::vector<HWND> children;     // in z-order, the topmost first
  RECT rect = {0, 0, 0, 0};       // in the parent's client coordinates (screen for top-level)
  std::u16string text;
  UINT_PTR id = 0;
  LONG_PTR userData = 0;
  HINSTANCE instance = nullptr;
  HMENU menu = nullptr;
  std::map<int, LONG_PTR> extra;  // window extra bytes, one slot per index
  int destroyDepth = 0;           // DestroyWindow calls under way for it, nested ones included
  DestroyStage destroyStage = DestroyStage::None;  // the step the innermost of them is at
};

inline bool IsBeingDestroyed(const Window& window) { return window.destroyDepth > 0; }

// The desktop window: the parent of every top-level window, covering the screen.
HWND DesktopHandle();
Window& Desktop();

// A live window (one being destroyed included), or null for null, stale and unknown handles.
Window* FindWindowRecord(HWND hwnd);
// As FindWindowRecord, but sets ERROR_INVALID_WINDOW_HANDLE when there is no such window.
Window* WindowOrFail(HWND hwnd);
bool IsTopLevel(const Window& window);
// The top-level window that contains hwnd (hwnd itself when it is top-level).
HWND TopLevelOf(HWND hwnd);
// hwnd and every window below it, parents before their children.
std::vector<HWND> SelfAndDescendants(HWND hwnd);
bool IsSelfOrDescendant(HWND ancestor, HWND hwnd);
// Every top-level window in z-order, the topmost first.
std::vector<HWND> TopLevelWindows();

// Adds a new window to its parent: a top-level window on top, a child below its siblings.
// Returns its handle.
HWND AddWindow(std::unique_ptr<Window> window);
// Removes a window and everything below it without sending anything; their handles turn stale.
void RemoveWindow(HWND hwnd);
// Moves a window in its parent's z-order (HWND_TOP, HWND_BOTTOM or after a sibling).
void PlaceInZOrder(HWND hwnd, HWND insertAfter);
// Brings a top-level window to the top of its band, its owned windows above it.
void BringToTop(HWND hwnd);

// Parts that keep per-window state (controls, dialogs) learn here that a window is gone.
void AddWindowRemovedObserver(void (*removed)(HWND hwnd));

// Classes: by name (without letter case, in the device's folding: core/case_fold.h) or by atom
// (MAKEINTATOM).
std::shared_ptr<WindowClass> FindClass(LPCWSTR nameOrAtom);
ATOM AddClass(std::shared_ptr<WindowClass> cls);
bool RemoveClass(const std::shared_ptr<WindowClass>& cls);
// Forgets every window and class (the device's own classes register again at boot, as a part
// of the device of their own).
void ResetWindowTable();

std::u16string TextOf(LPCWSTR text);  // empty for null
// A window as a report names it: handle, class name and text.
std::string DescribeForReport(HWND hwnd);
std::u16string BoundedText(LPCWSTR text, size_t maxLength);

}  // namespace cesim::detail

#endif

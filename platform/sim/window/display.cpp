// The display changing its size, as when the user turns the device: the screen's metrics and the
// work area change, the windows that filled the screen or the work area are sized to the new one
// (WM_WINDOWPOSCHANGED, which brings WM_MOVE and WM_SIZE), and then every top-level window is told
// with WM_SETTINGCHANGE (SETTINGCHANGE_RESET). Child windows are not told; their parents lay them
// out again.
#include <vector>

#include "sim/message.h"
#include "sim/window.h"
#include "window/metrics.h"
#include "window/table.h"

namespace cesim::detail {

namespace {

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

void ChangeDisplay(int width, int height) {
  if (width <= 0 || height <= 0) return;
  const RECT oldScreen = {0, 0, ScreenWidth(), ScreenHeight()};
  const RECT oldWork = WorkArea();
  SetScreenSize(width, height);
  const RECT newScreen = {0, 0, width, height};
  const RECT newWork = WorkArea();
  Desktop().rect = newScreen;

  // Every top-level window as it stands now; windows made while these are told are not resized.
  const std::vector<HWND> windows = TopLevelWindows();
  for (HWND hwnd : windows) {
    Window* w = FindWindowRecord(hwnd);
    if (w == nullptr || IsBeingDestroyed(*w)) continue;
    const RECT* to = nullptr;
    if (SameRect(w->rect, oldScreen)) {
      to = &newScreen;
    } else if (SameRect(w->rect, oldWork)) {
      to = &newWork;
    }
    if (to == nullptr || SameRect(*to, w->rect)) continue;
    SetWindowPos(hwnd, nullptr, to->left, to->top, to->right - to->left, to->bottom - to->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (HWND hwnd : windows) {
    if (FindWindowRecord(hwnd) != nullptr) SendMessageW(hwnd, WM_SETTINGCHANGE, SETTINGCHANGE_RESET, 0);
  }
}

}  // namespace cesim::detail

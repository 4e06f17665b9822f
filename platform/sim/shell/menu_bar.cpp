// An empty menu bar: a plain window of the shell's menu-bar class that has no commands yet.
#include "shell/menu_bar.h"

#include "controls/common/control.h"
#include "shell/work_area.h"
#include "sim/window.h"

namespace cesim::detail {

namespace {

const char16_t kMenuBarClass[] = u"menu_worker";

LRESULT CALLBACK MenuBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

void RegisterMenuBarClass() {
  WNDCLASSW cls = {};
  cls.lpfnWndProc = &MenuBarProc;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.lpszClassName = kMenuBarClass;
  RegisterPredefinedClass(cls);
}

HWND CreateEmptyMenuBar(HWND owner) {
  const RECT area = ShellWorkArea();
  HWND bar = CreateWindowExW(0, kMenuBarClass, u"", WS_POPUP, area.left, area.bottom - kMenuBarHeight,
                             area.right - area.left, kMenuBarHeight, owner, nullptr, nullptr, nullptr);
  if (bar != nullptr) {
    SetWindowPos(bar, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  return bar;
}

}  // namespace cesim::detail

// The "Static" class: a label. It takes no focus; with SS_NOTIFY it tells its parent about taps
// and about being enabled or disabled.
#include "controls/static/static.h"

#include "controls/common/control.h"
#include "sim/controls.h"
#include "sim/dialog.h"
#include "sim/message.h"
#include "sim/window.h"

namespace cesim::detail {

namespace {

struct StaticInstance : ControlInstance {
  void CheckInvariants() override {
    CESIM_CHECK_INVARIANT(IsWindow(hwnd), "static control alive while it handles a message");
  }

  WORD imageId = 0;  // the resource ordinal a template gave instead of a text
};

using StaticPtr = std::shared_ptr<StaticInstance>;

// What the static control tells its parent; it does nothing more once the parent has answered.
const Notification kClicked = {STN_CLICKED, "STN_CLICKED", AfterNotify::ReturnsAtOnce};
const Notification kDoubleClicked = {STN_DBLCLK, "STN_DBLCLK", AfterNotify::ReturnsAtOnce};
const Notification kEnabled = {STN_ENABLE, "STN_ENABLE", AfterNotify::ReturnsAtOnce};
const Notification kDisabled = {STN_DISABLE, "STN_DISABLE", AfterNotify::ReturnsAtOnce};

bool Notifies(HWND hwnd) { return (GetWindowLongW(hwnd, GWL_STYLE) & SS_NOTIFY) != 0; }

LRESULT OnCreate(const StaticPtr& s, const CREATESTRUCTW* cs) {
  HWND hwnd = s->hwnd;
  // A title of 0xFFFF and an ordinal names an image resource, not a text.
  if (cs != nullptr && cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName) && cs->lpszName[0] == 0xFFFF) {
    s->imageId = static_cast<WORD>(cs->lpszName[1]);
    DefWindowProcW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u""));
  }
  return 0;
}

LRESULT HandleMessage(const StaticPtr& s, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = s->hwnd;
  switch (message) {
    case WM_CREATE: return OnCreate(s, reinterpret_cast<const CREATESTRUCTW*>(lParam));
    case WM_DESTROY: return 0;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_LBUTTONDOWN:
      if (Notifies(hwnd)) CommandParent(*s, kClicked);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (Notifies(hwnd)) CommandParent(*s, kDoubleClicked);
      return 0;
    case WM_ENABLE:
      if (Notifies(hwnd)) CommandParent(*s, wParam != 0 ? kEnabled : kDisabled);
      return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunControl<StaticInstance>("Static", &HandleMessage, hwnd, message, wParam, lParam);
}

}  // namespace

void RegisterStaticClass() {
  WNDCLASSW cls = {};
  cls.style = CS_DBLCLKS | CS_PARENTDC | CS_GLOBALCLASS;
  cls.lpfnWndProc = &StaticProc;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.lpszClassName = u"Static";
  RegisterPredefinedClass(cls);
}

}  // namespace cesim::detail

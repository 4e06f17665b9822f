// The "Static" class: a label. It takes no focus; with SS_NOTIFY it tells its parent about taps
// and about being enabled or disabled.
#include "controls/static/static.h"

#include "controls/common/instances.h"
#include "sim/controls.h"
#include "sim/dialog.h"
#include "sim/message.h"
#include "sim/window.h"

namespace cesim::detail {

namespace {

struct StaticInstance {
  HWND hwnd = nullptr;
  WORD imageId = 0;  // the resource ordinal a template gave instead of a text
};

using Instances = ControlInstances<StaticInstance>;

bool Notifies(HWND hwnd) { return (GetWindowLongW(hwnd, GWL_STYLE) & SS_NOTIFY) != 0; }

void CheckInvariants(const StaticInstance& s) {
  CESIM_CHECK_INVARIANT(IsWindow(s.hwnd), "static control alive while it handles a message");
}

// The one place the static control tells its parent something.
void Notify(HWND hwnd, WORD code) {
  HWND parent = GetParent(hwnd);
  if (parent == nullptr) return;
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

LRESULT OnCreate(HWND hwnd, const CREATESTRUCTW* cs) {
  std::shared_ptr<StaticInstance> s = Instances::Create(hwnd);
  s->hwnd = hwnd;
  // A title of 0xFFFF and an ordinal names an image resource, not a text.
  if (cs != nullptr && cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName) && cs->lpszName[0] == 0xFFFF) {
    s->imageId = static_cast<WORD>(cs->lpszName[1]);
    DefWindowProcW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u""));
  }
  return 0;
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) return OnCreate(hwnd, reinterpret_cast<const CREATESTRUCTW*>(lParam));
  std::shared_ptr<StaticInstance> s = Instances::Find(hwnd);
  if (s == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  CheckInvariants(*s);
  switch (message) {
    case WM_DESTROY:
      Instances::Forget(hwnd);
      return 0;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_LBUTTONDOWN:
      if (Notifies(hwnd)) Notify(hwnd, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (Notifies(hwnd)) Notify(hwnd, STN_DBLCLK);
      return 0;
    case WM_ENABLE:
      if (Notifies(hwnd)) Notify(hwnd, wParam != 0 ? STN_ENABLE : STN_DISABLE);
      return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

void RegisterStaticClass() {
  WNDCLASSW cls = {};
  cls.style = CS_DBLCLKS | CS_PARENTDC | CS_GLOBALCLASS;
  cls.lpfnWndProc = &StaticProc;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.lpszClassName = u"Static";
  RegisterClassW(&cls);
  std::shared_ptr<WindowClass> registered = FindClass(u"Static");
  if (registered) registered->system = true;
}

}  // namespace cesim::detail

// The "Static" class: a label, a bitmap (SS_BITMAP) or an icon (SS_ICON). It takes no focus; with
// SS_NOTIFY it tells its parent about taps and about being enabled or disabled. A picture given
// with STM_SETIMAGE stays the application's: the control never deletes it, and hands back the
// previous one.
#include "controls/static/static.h"

#include "controls/common/control.h"
#include "sim/controls.h"
#include "sim/dialog.h"
#include "sim/gdi.h"
#include "sim/message.h"
#include "sim/resources.h"
#include "sim/window.h"

namespace cesim::detail {

namespace {

struct StaticInstance : ControlInstance {
  void CheckInvariants() override {
    CESIM_CHECK_INVARIANT(IsWindow(hwnd), "static control alive while it handles a message");
  }

  WORD imageId = 0;        // the resource ordinal a template gave instead of a text
  HANDLE image = nullptr;  // the bitmap (SS_BITMAP) or icon (SS_ICON) it shows
};

using StaticPtr = std::shared_ptr<StaticInstance>;

// What the static control tells its parent; it does nothing more once the parent has answered.
const Notification kClicked = {STN_CLICKED, "STN_CLICKED", AfterNotify::ReturnsAtOnce};
const Notification kDoubleClicked = {STN_DBLCLK, "STN_DBLCLK", AfterNotify::ReturnsAtOnce};
const Notification kEnabled = {STN_ENABLE, "STN_ENABLE", AfterNotify::ReturnsAtOnce};
const Notification kDisabled = {STN_DISABLE, "STN_DISABLE", AfterNotify::ReturnsAtOnce};

DWORD Style(HWND hwnd) { return static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)); }
DWORD Type(HWND hwnd) { return Style(hwnd) & SS_TYPEMASK; }
bool Notifies(HWND hwnd) { return (Style(hwnd) & SS_NOTIFY) != 0; }

// The image type that a control of this style shows.
UINT ImageTypeOf(DWORD type) {
  if (type == SS_BITMAP) return IMAGE_BITMAP;
  if (type == SS_ICON) return IMAGE_ICON;
  return static_cast<UINT>(-1);
}

// A bitmap control takes the size of its new bitmap. Without SS_CENTERIMAGE its upper left corner
// stays; with it, its midpoint stays and the four sides move.
void FitToBitmap(HWND hwnd, HBITMAP bitmap) {
  BITMAP bm = {};
  if (GetObjectW(bitmap, sizeof bm, &bm) == 0) return;
  if ((Style(hwnd) & SS_CENTERIMAGE) == 0) {
    SetWindowPos(hwnd, nullptr, 0, 0, bm.bmWidth, bm.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  RECT rect;
  GetWindowRect(hwnd, &rect);
  HWND parent = (Style(hwnd) & WS_CHILD) != 0 ? GetParent(hwnd) : nullptr;
  POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  if (parent != nullptr) ScreenToClient(parent, &centre);
  SetWindowPos(hwnd, nullptr, centre.x - bm.bmWidth / 2, centre.y - bm.bmHeight / 2, bm.bmWidth, bm.bmHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT OnCreate(const StaticPtr& s, const CREATESTRUCTW* cs) {
  HWND hwnd = s->hwnd;
  // A title of 0xFFFF and an ordinal names an image resource, not a text.
  if (cs != nullptr && cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName) && cs->lpszName[0] == 0xFFFF) {
    s->imageId = static_cast<WORD>(cs->lpszName[1]);
    DefWindowProcW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u""));
  }
  return 0;
}

// STM_SETIMAGE: a picture of the type that the control's style shows, or nothing. A handle that
// is not a bitmap is refused and the current picture stays.
LRESULT OnSetImage(const StaticPtr& s, UINT type, HANDLE image) {
  if (type != ImageTypeOf(Type(s->hwnd))) return 0;
  if (type == IMAGE_BITMAP && image != nullptr && GetObjectType(image) != OBJ_BITMAP) return 0;
  HANDLE previous = s->image;
  s->image = image;
  if (type == IMAGE_BITMAP && image != nullptr) FitToBitmap(s->hwnd, static_cast<HBITMAP>(image));
  return reinterpret_cast<LRESULT>(previous);
}

LRESULT OnGetImage(const StaticPtr& s, UINT type) {
  if (type != ImageTypeOf(Type(s->hwnd))) return 0;
  return reinterpret_cast<LRESULT>(s->image);
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
    case STM_SETIMAGE: return OnSetImage(s, static_cast<UINT>(wParam), reinterpret_cast<HANDLE>(lParam));
    case STM_GETIMAGE: return OnGetImage(s, static_cast<UINT>(wParam));
    case STM_SETICON: return OnSetImage(s, IMAGE_ICON, reinterpret_cast<HANDLE>(wParam));
    case STM_GETICON: return OnGetImage(s, IMAGE_ICON);
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

std::optional<StaticPicture> StaticPictureOf(HWND hwnd) {
  StaticPtr s = FindInstance<StaticInstance>(hwnd);
  if (s == nullptr) return std::nullopt;
  StaticPicture picture;
  picture.image = s->image;
  const UINT type = ImageTypeOf(Type(hwnd));
  picture.type = type == static_cast<UINT>(-1) ? 0 : type;
  return picture;
}

}  // namespace cesim::detail

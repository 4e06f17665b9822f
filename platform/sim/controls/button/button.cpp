// The "Button" class: push buttons (the default one among them), check boxes, radio buttons and
// group boxes. A tap or the space bar clicks a button; automatic check boxes and radio buttons
// change their check on the click; the parent gets BN_CLICKED.
#include "controls/button/button.h"

#include "controls/common/control.h"
#include "sim/controls.h"
#include "sim/dialog.h"
#include "sim/input.h"
#include "sim/message.h"
#include "sim/window.h"

namespace cesim::detail {

namespace {

struct ButtonInstance : ControlInstance {
  void CheckInvariants() override;

  UINT check = BST_UNCHECKED;  // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE
  bool pushed = false;
  bool focused = false;
  bool stylusDown = false;     // pressed with the stylus, capture held
  bool spaceDown = false;      // pressed with the space bar
};

using ButtonPtr = std::shared_ptr<ButtonInstance>;

// What the button tells its parent. The real button touches nothing of itself once the parent has
// answered (a dialog may well destroy itself when a button is clicked).
const Notification kClicked = {BN_CLICKED, "BN_CLICKED", AfterNotify::ReturnsAtOnce};
const Notification kSetFocus = {BN_SETFOCUS, "BN_SETFOCUS", AfterNotify::ReturnsAtOnce};
const Notification kKillFocus = {BN_KILLFOCUS, "BN_KILLFOCUS", AfterNotify::ReturnsAtOnce};

DWORD TypeOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)) & BS_TYPEMASK; }

bool IsCheckable(DWORD type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_3STATE ||
         type == BS_AUTO3STATE || type == BS_AUTORADIOBUTTON;
}

void ButtonInstance::CheckInvariants() {
  CESIM_CHECK_INVARIANT(check <= BST_INDETERMINATE, "button check state");
  CESIM_CHECK_INVARIANT(!stylusDown || pushed, "a stylus press keeps the button pushed");
  CESIM_CHECK_INVARIANT(!spaceDown || pushed, "a space bar press keeps the button pushed");
}

bool IsRadio(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

UINT HighestCheck(DWORD type) { return type == BS_3STATE || type == BS_AUTO3STATE ? BST_INDETERMINATE : BST_CHECKED; }

void SetCheck(ButtonInstance& b, UINT check) {
  DWORD type = TypeOf(b.hwnd);
  if (!IsCheckable(type)) return;
  b.check = check > HighestCheck(type) ? HighestCheck(type) : check;
  if (IsRadio(type)) {
    // A checked radio button is its group's tab stop.
    LONG_PTR style = GetWindowLongW(b.hwnd, GWL_STYLE);
    SetWindowLongW(b.hwnd, GWL_STYLE, b.check != BST_UNCHECKED ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
}

// An automatic radio button checked by a click unchecks the others of its group.
void UncheckGroupSiblings(HWND hwnd) {
  HWND parent = GetParent(hwnd);
  if (parent == nullptr) return;
  for (HWND other = GetNextDlgGroupItem(parent, hwnd, FALSE); other != nullptr && other != hwnd;
       other = GetNextDlgGroupItem(parent, other, FALSE)) {
    if (TypeOf(other) == BS_AUTORADIOBUTTON) SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void Click(const ButtonPtr& b) {
  HWND hwnd = b->hwnd;
  switch (TypeOf(hwnd)) {
    case BS_AUTOCHECKBOX:
      SetCheck(*b, b->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
      break;
    case BS_AUTO3STATE:
      SetCheck(*b, (b->check + 1) % 3);
      break;
    case BS_AUTORADIOBUTTON:
      SetCheck(*b, BST_CHECKED);
      UncheckGroupSiblings(hwnd);
      break;
    default:
      break;
  }
  if (!IsGone(*b)) CommandParent(*b, kClicked);
}

LRESULT OnGetDlgCode(HWND hwnd) {
  switch (TypeOf(hwnd)) {
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_PUSHBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON;
  }
}

LRESULT OnLButtonDown(const ButtonPtr& b) {
  if (TypeOf(b->hwnd) == BS_GROUPBOX) return 0;
  SetFocus(b->hwnd);
  if (IsGone(*b)) return 0;
  b->pushed = true;
  b->stylusDown = true;
  SetCapture(b->hwnd);
  return 0;
}

LRESULT OnLButtonUp(const ButtonPtr& b, POINT pt) {
  if (!b->stylusDown) return 0;
  b->stylusDown = false;
  b->pushed = false;
  ReleaseCapture();
  RECT client;
  GetClientRect(b->hwnd, &client);
  if (PtInRect(&client, pt)) Click(b);
  return 0;
}

LRESULT OnKeyDown(ButtonInstance& b, UINT vk) {
  if (vk == VK_SPACE && TypeOf(b.hwnd) != BS_GROUPBOX) {
    b.pushed = true;
    b.spaceDown = true;
  }
  return 0;
}

LRESULT OnKeyUp(const ButtonPtr& b, UINT vk) {
  if (vk != VK_SPACE || !b->spaceDown) return 0;
  b->spaceDown = false;
  b->pushed = false;
  Click(b);
  return 0;
}

LRESULT OnSetFocus(ButtonInstance& b) {
  b.focused = true;
  if ((GetWindowLongW(b.hwnd, GWL_STYLE) & BS_NOTIFY) != 0) CommandParent(b, kSetFocus);
  return 0;
}

LRESULT OnKillFocus(ButtonInstance& b) {
  b.focused = false;
  b.spaceDown = false;
  if (!b.stylusDown) b.pushed = false;
  if ((GetWindowLongW(b.hwnd, GWL_STYLE) & BS_NOTIFY) != 0) CommandParent(b, kKillFocus);
  return 0;
}

LRESULT OnGetState(const ButtonInstance& b) {
  return static_cast<LRESULT>(b.check | (b.pushed ? BST_PUSHED : 0) | (b.focused ? BST_FOCUS : 0));
}

LRESULT OnSetStyle(HWND hwnd, WPARAM style) {
  LONG_PTR current = GetWindowLongW(hwnd, GWL_STYLE);
  SetWindowLongW(hwnd, GWL_STYLE, (current & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | (style & BS_TYPEMASK));
  return 0;
}

LRESULT OnClick(HWND hwnd) {
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
  return 0;
}

LRESULT HandleMessage(const ButtonPtr& b, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = b->hwnd;
  switch (message) {
    case WM_CREATE:
    case WM_DESTROY: return 0;
    case WM_GETDLGCODE: return OnGetDlgCode(hwnd);
    case WM_LBUTTONDOWN: return OnLButtonDown(b);
    case WM_LBUTTONUP: return OnLButtonUp(b, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_KEYDOWN: return OnKeyDown(*b, static_cast<UINT>(wParam));
    case WM_KEYUP: return OnKeyUp(b, static_cast<UINT>(wParam));
    case WM_CAPTURECHANGED:
      // Capture taken away mid-press: the press is over without a click.
      if (b->stylusDown && reinterpret_cast<HWND>(lParam) != hwnd) {
        b->stylusDown = false;
        b->pushed = b->spaceDown;
      }
      return 0;
    case WM_SETFOCUS: return OnSetFocus(*b);
    case WM_KILLFOCUS: return OnKillFocus(*b);
    case BM_GETCHECK: return IsCheckable(TypeOf(hwnd)) ? b->check : BST_UNCHECKED;
    case BM_SETCHECK:
      SetCheck(*b, static_cast<UINT>(wParam));
      return 0;
    case BM_GETSTATE: return OnGetState(*b);
    case BM_SETSTATE:
      b->pushed = wParam != 0;
      return 0;
    case BM_SETSTYLE: return OnSetStyle(hwnd, wParam);
    case BM_CLICK: return OnClick(hwnd);
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunControl<ButtonInstance>("Button", &HandleMessage, hwnd, message, wParam, lParam);
}

}  // namespace

void RegisterButtonClass() {
  WNDCLASSW cls = {};
  cls.style = CS_DBLCLKS | CS_PARENTDC | CS_GLOBALCLASS;
  cls.lpfnWndProc = &ButtonProc;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.lpszClassName = u"Button";
  RegisterPredefinedClass(cls);
}

}  // namespace cesim::detail

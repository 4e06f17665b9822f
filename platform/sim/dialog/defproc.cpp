// The default dialog procedure, the window procedure of the "Dialog" class: it calls the
// application's dialog procedure (DWL_DLGPROC), does the dialog manager's own work for what that
// procedure leaves, and answers with DWL_MSGRESULT when the procedure handled a message.
#include "dialog/defproc.h"

#include "controls/common/control.h"
#include "dialog/state.h"
#include "sim/controls.h"
#include "sim/dialog.h"
#include "sim/message.h"
#include "sim/window.h"
#include "window/table.h"

using namespace cesim::detail;

namespace {

void SaveFocus(HWND dialog, DialogState& state) {
  HWND focus = GetFocus();
  if (focus != nullptr && IsChild(dialog, focus)) state.savedFocus = focus;
}

// Back to the control that had the focus when the dialog was deactivated; when there is none,
// activation alone changes nothing, while a dialog given the focus hands it to its first tab stop.
void RestoreFocus(HWND dialog, DialogState& state, bool justActivated) {
  if (state.ended) return;
  HWND target = state.savedFocus;
  if (!IsWindow(target) || target == dialog || !IsChild(dialog, target)) {
    if (justActivated) return;
    target = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (target == nullptr) target = GetNextDlgGroupItem(dialog, nullptr, FALSE);
    if (target == nullptr) return;
    state.savedFocus = target;
  }
  if (justActivated) {
    SetFocus(target);
  } else {
    SetDialogFocus(target);
  }
}

bool IsPushButton(HWND control) {
  return (SendMessageW(control, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

LRESULT OnSetDefId(HWND dialog, DialogState& state, int id) {
  HWND old = state.defaultId != 0 ? GetDlgItem(dialog, state.defaultId) : nullptr;
  HWND now = GetDlgItem(dialog, id);
  state.defaultId = id;
  if (old != nullptr && old != now && IsPushButton(old)) SendMessageW(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  if (now != nullptr && IsPushButton(now)) SendMessageW(now, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  return TRUE;
}

LRESULT OnGetDefId(HWND dialog, const DialogState& state) {
  if (state.defaultId != 0) return MAKELONG(state.defaultId, DC_HASDEFID);
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((SendMessageW(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0) {
      return MAKELONG(GetDlgCtrlID(child), DC_HASDEFID);
    }
  }
  return 0;
}

LRESULT OnNextDlgCtl(HWND dialog, WPARAM wParam, LPARAM lParam) {
  HWND next = LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam)
                                   : GetNextDlgTabItem(dialog, GetFocus(), wParam != 0 ? TRUE : FALSE);
  if (next != nullptr && IsChild(dialog, next)) SetDialogFocus(next);
  return 0;
}

LRESULT OnClose(HWND dialog) {
  // Closing a dialog is its Cancel button.
  HWND cancel = GetDlgItem(dialog, IDCANCEL);
  if (cancel == nullptr || IsWindowEnabled(cancel)) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
  }
  return 0;
}

// The dialog manager's own handling of what the dialog procedure did not handle.
LRESULT DialogDefault(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  std::shared_ptr<DialogState> state = DialogStateOf(dialog);
  if (state == nullptr) return 0;
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        RestoreFocus(dialog, *state, true);
      } else {
        SaveFocus(dialog, *state);
      }
      return 0;
    case WM_SETFOCUS:
      RestoreFocus(dialog, *state, false);
      return 0;
    case DM_SETDEFID:
      return OnSetDefId(dialog, *state, static_cast<int>(wParam));
    case DM_GETDEFID:
      return OnGetDefId(dialog, *state);
    case WM_NEXTDLGCTL:
      return OnNextDlgCtl(dialog, wParam, lParam);
    case WM_CLOSE:
      return OnClose(dialog);
    case WM_GETFONT:
      return 0;
    default:
      return DefWindowProcW(dialog, message, wParam, lParam);
  }
}

// Messages whose result is the dialog procedure's own return value, not DWL_MSGRESULT.
bool ReturnsProcedureResult(UINT message) {
  return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM ||
         message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON ||
         message == WM_INITDIALOG;
}

}  // namespace

LRESULT WINAPI DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (WindowOrFail(hDlg) == nullptr) return 0;
  SetWindowLongW(hDlg, DWL_MSGRESULT, 0);
  DLGPROC proc = reinterpret_cast<DLGPROC>(GetWindowLongW(hDlg, DWL_DLGPROC));
  INT_PTR handled = proc != nullptr ? proc(hDlg, Msg, wParam, lParam) : 0;
  // The dialog procedure may have destroyed the dialog: nothing more is done for it then.
  if (handled == 0 && FindWindowRecord(hDlg) != nullptr) {
    switch (Msg) {
      case WM_INITDIALOG:
      case WM_VKEYTOITEM:
      case WM_COMPAREITEM:
      case WM_CHARTOITEM:
        break;
      default:
        return DialogDefault(hDlg, Msg, wParam, lParam);
    }
  }
  if (ReturnsProcedureResult(Msg)) return handled;
  if (FindWindowRecord(hDlg) == nullptr) return 0;
  return GetWindowLongW(hDlg, DWL_MSGRESULT);
}

namespace cesim::detail {

void RegisterDialogClass() {
  WNDCLASSW cls = {};
  cls.style = CS_DBLCLKS | CS_GLOBALCLASS;
  cls.lpfnWndProc = &DefDlgProcW;
  cls.cbWndExtra = DLGWINDOWEXTRA;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.lpszClassName = u"Dialog";
  RegisterPredefinedClass(cls);
}

}  // namespace cesim::detail

// Keyboard navigation in dialogs: IsDialogMessageW's handling of Tab, the arrow keys, Enter,
// Escape and mnemonics (asking the control with WM_GETDLGCODE what it wants), as the platform
// does it, and the tab and group order.
#include <string>
#include <vector>

#include "core/case_fold.h"

#include "dialog/state.h"
#include "sim/controls.h"
#include "sim/dialog.h"
#include "sim/input.h"
#include "sim/message.h"
#include "sim/window.h"
#include "window/table.h"

using namespace cesim::detail;

namespace {

std::vector<HWND> ControlsOf(HWND dialog) {
  std::vector<HWND> controls;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    controls.push_back(child);
  }
  return controls;
}

// Visible and enabled by their own styles: a control of a dialog that is still hidden counts.
bool IsUsable(HWND control) {
  LONG_PTR style = GetWindowLongW(control, GWL_STYLE);
  return (style & WS_VISIBLE) != 0 && (style & WS_DISABLED) == 0;
}

bool IsTabStop(HWND control) { return IsUsable(control) && (GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) != 0; }

bool StartsGroup(HWND control) { return (GetWindowLongW(control, GWL_STYLE) & WS_GROUP) != 0; }

// The first window of the group that `index` belongs to, and the end of that group.
void GroupBounds(const std::vector<HWND>& controls, size_t index, size_t* first, size_t* end) {
  size_t start = index;
  while (start > 0 && !StartsGroup(controls[start])) --start;
  size_t stop = index + 1;
  while (stop < controls.size() && !StartsGroup(controls[stop])) ++stop;
  *first = start;
  *end = stop;
}

HWND NextInCycle(const std::vector<HWND>& controls, size_t from, size_t count, bool previous, bool (*eligible)(HWND)) {
  for (size_t step = 1; step <= count; ++step) {
    size_t index = previous ? (from + count - step) % count : (from + step) % count;
    if (eligible(controls[index])) return controls[index];
  }
  return nullptr;
}

LRESULT DialogCode(const MSG& msg) {
  return SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
}

bool ShiftIsDown() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

// The window the dialog manager's messages go to: a dialog that is a control of another dialog
// (DS_CONTROL) hands them to that dialog.
HWND MessageDestination(HWND dialog) {
  while ((GetWindowLongW(dialog, GWL_STYLE) & DS_CONTROL) != 0) {
    HWND parent = GetParent(dialog);
    if (parent == nullptr || ExistingDialogState(parent) == nullptr) break;
    dialog = parent;
  }
  return dialog;
}

// A window below the dialog, at any depth, with the identifier; the first in z-order.
HWND FindDescendantById(HWND dialog, int id) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == id) return child;
    if (HWND below = FindDescendantById(child, id)) return below;
  }
  return nullptr;
}

// Enter: the focused default button, else the dialog's default button (DM_GETDEFID) unless it is
// disabled, else IDOK.
void OnEnter(HWND dialog) {
  HWND focus = GetFocus();
  if (IsChild(dialog, focus) && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
    return;
  }
  LRESULT def = SendMessageW(dialog, DM_GETDEFID, 0, 0);
  if (HIWORD(def) == DC_HASDEFID) {
    HWND button = FindDescendantById(dialog, LOWORD(def));
    if (button == nullptr || IsWindowEnabled(button)) {
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(LOWORD(def), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    }
    return;
  }
  SendMessageW(dialog, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// After Tab moved the focus in a window that is not a dialog: no push button stays the default
// but the one the focus came to, or the dialog's default when the focus came to that.
void FixDefaultButtons(HWND window, HWND focused) {
  LRESULT focusedCode = SendMessageW(focused, WM_GETDLGCODE, 0, 0);
  for (HWND child : ControlsOf(window)) {
    if ((SendMessageW(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0) {
      SendMessageW(child, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    }
  }
  if ((focusedCode & DLGC_DEFPUSHBUTTON) != 0) {
    LRESULT def = SendMessageW(window, DM_GETDEFID, 0, 0);
    HWND button = HIWORD(def) == DC_HASDEFID ? GetDlgItem(window, LOWORD(def)) : nullptr;
    if (button != nullptr) {
      LRESULT code = SendMessageW(button, WM_GETDLGCODE, 0, 0);
      if ((code & DLGC_BUTTON) != 0 && (code & DLGC_UNDEFPUSHBUTTON) != 0) {
        SendMessageW(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
      }
    }
  } else if ((focusedCode & DLGC_BUTTON) != 0 && (focusedCode & DLGC_UNDEFPUSHBUTTON) != 0) {
    SendMessageW(focused, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  }
}

// Tab: a dialog moves its focus itself (WM_NEXTDLGCTL, wParam the shift key's state); in another
// window the dialog manager moves it, selecting an edit control's text. False when there is no
// control to move to.
bool OnTab(HWND dialog, const MSG& msg) {
  if (ExistingDialogState(dialog) != nullptr) {
    SendMessageW(dialog, WM_NEXTDLGCTL, ShiftIsDown() ? 0x8000 : 0, 0);
    return true;
  }
  HWND focus = GetFocus();
  HWND next = GetNextDlgTabItem(dialog, focus == dialog ? nullptr : focus, ShiftIsDown() ? TRUE : FALSE);
  if (next == nullptr) return false;
  if ((SendMessageW(next, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & DLGC_HASSETSEL) != 0) {
    LRESULT length = SendMessageW(next, WM_GETTEXTLENGTH, 0, 0);
    std::vector<WCHAR> text(static_cast<size_t>(length < 0 ? 0 : length) + 1, 0);
    SendMessageW(next, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.back() = 0;
    SendMessageW(next, EM_SETSEL, 0, static_cast<LPARAM>(std::u16string(text.data()).size()));
  }
  SetFocus(next);
  FixDefaultButtons(dialog, next);
  return true;
}

// The arrows move within the control's group: a radio button takes the focus itself (an automatic
// one that is not checked is clicked), anything else by WM_NEXTDLGCTL.
void OnArrow(HWND dialog, const MSG& msg) {
  BOOL previous = msg.wParam == VK_LEFT || msg.wParam == VK_UP ? TRUE : FALSE;
  HWND next = GetNextDlgGroupItem(dialog, msg.hwnd, previous);
  if (next != nullptr &&
      SendMessageW(next, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) == (DLGC_BUTTON | DLGC_RADIOBUTTON)) {
    SetFocus(next);
    if ((GetWindowLongW(next, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON &&
        SendMessageW(next, BM_GETCHECK, 0, 0) != BST_CHECKED) {
      SendMessageW(next, BM_CLICK, 1, 0);
    }
    return;
  }
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), 1);
}

// A key the dialog manager uses itself; false when it goes to the control.
bool OnKeyDown(HWND dialog, const MSG& msg, bool* handled) {
  LRESULT code = DialogCode(msg);
  if ((code & DLGC_WANTMESSAGE) != 0) return false;
  switch (msg.wParam) {
    case VK_TAB:
      if ((code & DLGC_WANTTAB) != 0) return false;
      *handled = OnTab(dialog, msg);
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if ((code & DLGC_WANTARROWS) != 0) return false;
      OnArrow(dialog, msg);
      return true;
    case VK_ESCAPE:
    case VK_CANCEL:
      SendMessageW(dialog, WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
      return true;
    case VK_RETURN:
    case VK_EXECUTE:
      OnEnter(dialog);
      return true;
    default:
      return false;
  }
}

// The control's mnemonic: the character after a single "&" in its text ("&&" is a plain "&").
char16_t MnemonicOf(const std::u16string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] != u'&') return text[i + 1];
    ++i;
  }
  return 0;
}

// A character typed as a mnemonic: from the control that got it on through the dialog's
// controls (children before siblings, round to the first control), the first shown, enabled
// button or static control whose mnemonic it is acts. A button is clicked; a static control or a
// group box hands the focus to the control after it. False when no control has the mnemonic.
bool OnMnemonic(HWND dialog, HWND from, WPARAM character) {
  HWND control = from;
  // Bounded, so that no window tree can keep the walk going.
  for (int steps = 0; control != nullptr && steps < 4096; ++steps) {
    const DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    HWND next = nullptr;
    if ((style & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE) {
      const LRESULT code = SendMessageW(control, WM_GETDLGCODE, 0, 0);
      WCHAR text[128];
      if ((code & (DLGC_BUTTON | DLGC_STATIC)) != 0 && GetWindowTextW(control, text, 128) > 0) {
        const char16_t mnemonic = MnemonicOf(text);
        if (mnemonic != 0 && FoldCase(mnemonic) == FoldCase(static_cast<char16_t>(character))) {
          if ((code & DLGC_STATIC) != 0 || (style & BS_TYPEMASK) == BS_GROUPBOX) {
            SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), 1);
            SendMessageW(dialog, WM_NEXTDLGCTL, 0, 0);
          } else if ((code & DLGC_BUTTON) != 0) {
            SendMessageW(control, BM_CLICK, 0, 0);
          }
          return true;
        }
      }
      next = GetWindow(control, GW_CHILD);
    }
    if (next == nullptr && control == dialog) break;  // a dialog without controls
    if (next == nullptr) next = GetWindow(control, GW_HWNDNEXT);
    while (next == nullptr && control != nullptr) {
      control = GetParent(control);
      if (control == dialog) {
        next = from == dialog ? from : GetWindow(dialog, GW_CHILD);
        break;
      }
      next = control != nullptr ? GetWindow(control, GW_HWNDNEXT) : nullptr;
    }
    control = next;
    if (control == from) break;
  }
  return false;
}

}  // namespace

BOOL WINAPI IsDialogMessageW(HWND hDlg, LPMSG lpMsg) {
  if (lpMsg == nullptr || WindowOrFail(hDlg) == nullptr || hDlg == DesktopHandle()) return FALSE;
  if (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd)) return FALSE;
  HWND dialog = MessageDestination(hDlg);
  switch (lpMsg->message) {
    case WM_KEYDOWN: {
      bool handled = true;
      if (OnKeyDown(dialog, *lpMsg, &handled)) return handled ? TRUE : FALSE;
      break;
    }
    case WM_CHAR: {
      LRESULT code = DialogCode(*lpMsg);
      if ((code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) != 0) break;
      if (lpMsg->wParam == u'\t' && (code & DLGC_WANTTAB) != 0) break;
      if (OnMnemonic(dialog, lpMsg->hwnd, lpMsg->wParam)) return TRUE;
      break;
    }
    case WM_SYSCHAR:
      if (OnMnemonic(dialog, lpMsg->hwnd, lpMsg->wParam)) return TRUE;
      break;
    default:
      break;
  }
  TranslateMessage(lpMsg);
  DispatchMessageW(lpMsg);
  return TRUE;
}

HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
  if (WindowOrFail(hDlg) == nullptr) return nullptr;
  std::vector<HWND> controls = ControlsOf(hDlg);
  if (controls.empty()) return nullptr;
  size_t from = controls.size();
  for (size_t i = 0; i < controls.size(); ++i) {
    if (controls[i] == hCtl) from = i;
  }
  if (from == controls.size()) {
    // No starting control: the first tab stop (the last, going backwards).
    from = bPrevious ? 0 : controls.size() - 1;
  }
  HWND next = NextInCycle(controls, from, controls.size(), bPrevious != FALSE, &IsTabStop);
  return next != nullptr ? next : hCtl;
}

HWND WINAPI GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
  if (WindowOrFail(hDlg) == nullptr) return nullptr;
  std::vector<HWND> controls = ControlsOf(hDlg);
  if (controls.empty()) return nullptr;
  size_t index = 0;
  bool found = false;
  for (size_t i = 0; i < controls.size(); ++i) {
    if (controls[i] == hCtl) {
      index = i;
      found = true;
    }
  }
  if (!found) {
    for (HWND control : controls) {
      if (IsUsable(control)) return control;
    }
    return nullptr;
  }
  size_t first = 0;
  size_t end = 0;
  GroupBounds(controls, index, &first, &end);
  std::vector<HWND> group(controls.begin() + static_cast<std::ptrdiff_t>(first),
                          controls.begin() + static_cast<std::ptrdiff_t>(end));
  HWND next = NextInCycle(group, index - first, group.size(), bPrevious != FALSE, &IsUsable);
  return next != nullptr ? next : hCtl;
}

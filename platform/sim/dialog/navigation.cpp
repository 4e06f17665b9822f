// Keyboard navigation in dialogs: IsDialogMessageW's handling of Tab, the arrow keys, Enter and
// Escape (asking each control with WM_GETDLGCODE what it wants), and the tab and group order.
#include <vector>

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

void SendCommandFor(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

// Enter: the focused default button, else the dialog's default button, else IDOK.
void OnEnter(HWND dialog) {
  HWND focus = GetFocus();
  if (focus != nullptr && IsChild(dialog, focus) && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
    return;
  }
  LRESULT def = SendMessageW(dialog, DM_GETDEFID, 0, 0);
  if (HIWORD(def) == DC_HASDEFID) {
    HWND button = GetDlgItem(dialog, LOWORD(def));
    if (button == nullptr || IsWindowEnabled(button)) SendCommandFor(dialog, LOWORD(def));
    return;
  }
  SendCommandFor(dialog, IDOK);
}

// A key the dialog manager uses itself; false when the control wants it.
bool OnKeyDown(HWND dialog, const MSG& msg) {
  LRESULT code = DialogCode(msg);
  if ((code & (DLGC_WANTMESSAGE | DLGC_WANTALLKEYS)) != 0) return false;
  switch (msg.wParam) {
    case VK_TAB:
      if ((code & DLGC_WANTTAB) != 0) return false;
      SendMessageW(dialog, WM_NEXTDLGCTL, (GetKeyState(VK_SHIFT) & 0x8000) != 0 ? 1 : 0, 0);
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
      if ((code & DLGC_WANTARROWS) != 0) return false;
      BOOL previous = msg.wParam == VK_LEFT || msg.wParam == VK_UP ? TRUE : FALSE;
      HWND next = GetNextDlgGroupItem(dialog, msg.hwnd, previous);
      if (next != nullptr && next != msg.hwnd) SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), 1);
      return true;
    }
    case VK_ESCAPE:
    case VK_CANCEL:
      SendCommandFor(dialog, IDCANCEL);
      return true;
    case VK_RETURN:
    case VK_EXECUTE:
      OnEnter(dialog);
      return true;
    default:
      return false;
  }
}

}  // namespace

BOOL WINAPI IsDialogMessageW(HWND hDlg, LPMSG lpMsg) {
  if (lpMsg == nullptr || WindowOrFail(hDlg) == nullptr) return FALSE;
  if (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd)) return FALSE;
  switch (lpMsg->message) {
    case WM_KEYDOWN:
      if (OnKeyDown(hDlg, *lpMsg)) return TRUE;
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

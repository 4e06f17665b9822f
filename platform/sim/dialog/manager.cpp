// Dialogs from templates: the dialog window and its controls, WM_INITDIALOG and the focus rule of
// its result, showing a visible dialog; modal dialogs with their own message loop, a disabled
// owner and EndDialog's result.
#include "dialog/state.h"
#include "dialog/units.h"
#include "dialog/template.h"
#include "message/queue.h"
#include "sim/core.h"
#include "sim/dialog.h"
#include "sim/message.h"
#include "sim/window.h"
#include "window/focus.h"
#include "window/metrics.h"
#include "window/table.h"

using namespace cesim::detail;

namespace {

// A control's title as CreateWindowExW takes it: a text, or 0xFFFF and the ordinal of a
// resource (an icon of a static control).
struct ControlTitle {
  char16_t ordinalText[3] = {0, 0, 0};
  LPCWSTR text = nullptr;
};

ControlTitle TitleFor(const DialogItemTemplate& item) {
  ControlTitle title;
  if (!item.title) return title;
  if (!item.title->isString) {
    title.ordinalText[0] = 0xFFFF;
    title.ordinalText[1] = static_cast<char16_t>(item.title->ordinal);
    title.text = title.ordinalText;
  } else {
    title.text = item.title->text.c_str();
  }
  return title;
}

bool CreateControls(HWND dialog, HINSTANCE instance, const DialogTemplate& tmpl, const DialogState& units) {
  for (const DialogItemTemplate& item : tmpl.items) {
    DWORD style = (item.style | WS_CHILD) & ~static_cast<DWORD>(WS_POPUP);
    ControlTitle title = TitleFor(item);
    HWND control = CreateWindowExW(
        item.exStyle, item.className.c_str(), title.text, style, DialogUnitsToPixelsX(item.x, units.baseX),
        DialogUnitsToPixelsY(item.y, units.baseY), DialogUnitsToPixelsX(item.cx, units.baseX),
        DialogUnitsToPixelsY(item.cy, units.baseY), dialog, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)),
        instance, const_cast<void*>(item.creationData));
    if (FindWindowRecord(dialog) == nullptr) return false;
    if (control == nullptr) {
      if ((tmpl.style & DS_NOFAILCREATE) != 0) continue;
      return false;
    }
    std::shared_ptr<DialogState> state = DialogStateOf(dialog);
    if (state && state->defaultId == 0 && (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0) {
      state->defaultId = item.id;
    }
  }
  return true;
}

// Creates the dialog window, its controls, sends WM_INITDIALOG and gives the focus as its result
// asks. The window stays hidden; the caller shows it.
HWND CreateFromTemplate(HINSTANCE instance, const DialogTemplate& tmpl, HWND owner, DLGPROC proc, LPARAM param) {
  DialogState units;
  if ((tmpl.style & DS_SETFONT) != 0) {
    FontBaseUnits(tmpl.pointSize, &units.baseX, &units.baseY);
  } else {
    units.baseX = kSystemFontCharWidth;
    units.baseY = kSystemFontHeight;
  }
  DWORD style = tmpl.style & ~static_cast<DWORD>(WS_VISIBLE);
  // The template gives the client area; the frame of the style goes around it.
  RECT insets = NonClientInsets(style, tmpl.exStyle);
  int width = DialogUnitsToPixelsX(tmpl.cx, units.baseX) + insets.left + insets.right;
  int height = DialogUnitsToPixelsY(tmpl.cy, units.baseY) + insets.top + insets.bottom;
  POINT pos = {DialogUnitsToPixelsX(tmpl.x, units.baseX), DialogUnitsToPixelsY(tmpl.y, units.baseY)};
  if ((style & DS_CENTER) != 0) {
    pos.x = (ScreenWidth() - width) / 2;
    pos.y = (ScreenHeight() - height) / 2;
  } else if ((style & WS_CHILD) == 0 && (style & DS_ABSALIGN) == 0 && owner != nullptr) {
    ClientToScreen(owner, &pos);
  }

  LPCWSTR className = u"Dialog";
  if (tmpl.windowClass) {
    className = !tmpl.windowClass->isString ? MAKEINTATOM(tmpl.windowClass->ordinal)
                                            : tmpl.windowClass->text.c_str();
  }
  HWND dialog = CreateWindowExW(tmpl.exStyle, className, tmpl.title.c_str(), style, pos.x, pos.y, width, height,
                                owner, nullptr, instance, nullptr);
  if (dialog == nullptr) return nullptr;
  std::shared_ptr<DialogState> state = DialogStateOf(dialog);
  state->baseX = units.baseX;
  state->baseY = units.baseY;
  SetWindowLongW(dialog, DWL_DLGPROC, reinterpret_cast<LONG_PTR>(proc));

  if (!CreateControls(dialog, instance, tmpl, units)) {
    DestroyWindow(dialog);
    return nullptr;
  }
  HWND focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
  if (focus == nullptr) focus = GetNextDlgGroupItem(dialog, nullptr, FALSE);
  LRESULT wantsFocus = SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), param);
  if (FindWindowRecord(dialog) == nullptr) return nullptr;
  if (wantsFocus != 0 && ((tmpl.style & DS_CONTROL) == 0 || (tmpl.style & WS_VISIBLE) != 0)) {
    // WM_INITDIALOG may have changed the controls: the first tab stop is looked up again.
    focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (focus == nullptr) focus = GetNextDlgGroupItem(dialog, nullptr, FALSE);
    if (focus != nullptr) {
      SetDialogFocus(focus);
    } else if ((tmpl.style & WS_CHILD) == 0) {
      SetFocus(dialog);
    }
  }
  return FindWindowRecord(dialog) != nullptr ? dialog : nullptr;
}

// The modal dialog's own message loop: until EndDialog or the dialog's end, messages go through
// IsDialogMessageW; WM_QUIT ends it and stays for the application's own loop.
void RunModalLoop(HWND dialog, const DialogState& state) {
  MSG msg;
  while (!state.ended && FindWindowRecord(dialog) != nullptr) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!WaitForInput()) break;
      continue;
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (FindWindowRecord(dialog) == nullptr || !IsDialogMessageW(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

std::optional<DialogTemplate> Parse(LPCDLGTEMPLATEW lpTemplate) {
  std::optional<DialogTemplate> tmpl = ParseDialogTemplate(lpTemplate, TemplateReadLimit(lpTemplate));
  if (!tmpl) SetLastError(ERROR_INVALID_PARAMETER);
  return tmpl;
}

}  // namespace

HWND WINAPI CreateDialogIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW lpTemplate, HWND hWndParent,
                                       DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  if (hWndParent != nullptr && WindowOrFail(hWndParent) == nullptr) return nullptr;
  std::optional<DialogTemplate> tmpl = Parse(lpTemplate);
  if (!tmpl) return nullptr;
  HWND dialog = CreateFromTemplate(hInstance, *tmpl, hWndParent, lpDialogFunc, dwInitParam);
  if (dialog == nullptr) return nullptr;
  // A dialog whose template says WS_VISIBLE shows once it is initialised.
  if ((tmpl->style & WS_VISIBLE) != 0 && (GetWindowLongW(dialog, GWL_STYLE) & WS_VISIBLE) == 0) {
    ShowWindow(dialog, SW_SHOWNORMAL);
  }
  return FindWindowRecord(dialog) != nullptr ? dialog : nullptr;
}

INT_PTR WINAPI DialogBoxIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW hDialogTemplate, HWND hWndParent,
                                       DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  if (hWndParent != nullptr && WindowOrFail(hWndParent) == nullptr) return 0;
  std::optional<DialogTemplate> tmpl = Parse(hDialogTemplate);
  if (!tmpl) return -1;
  // The owner is a top-level window; it is disabled before the dialog exists.
  HWND owner = hWndParent != nullptr ? TopLevelOf(hWndParent) : nullptr;
  HWND disabled = nullptr;
  if (owner != nullptr && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    disabled = owner;
  }
  HWND dialog = CreateFromTemplate(hInstance, *tmpl, owner, lpDialogFunc, dwInitParam);
  std::shared_ptr<DialogState> state = ExistingDialogState(dialog);
  if (dialog == nullptr || state == nullptr) {
    if (disabled != nullptr && FindWindowRecord(disabled) != nullptr) EnableWindow(disabled, TRUE);
    return -1;
  }
  state->disabledOwner = disabled;
  // A modal dialog shows whatever its template says, unless it ended while initialising.
  if (!state->ended && (GetWindowLongW(dialog, GWL_STYLE) & WS_VISIBLE) == 0) ShowWindow(dialog, SW_SHOWNORMAL);

  RunModalLoop(dialog, *state);
  if (state->disabledOwner != nullptr && FindWindowRecord(state->disabledOwner) != nullptr) {
    EnableWindow(state->disabledOwner, TRUE);
  }
  state->disabledOwner = nullptr;
  INT_PTR result = state->result;
  if (FindWindowRecord(dialog) != nullptr) DestroyWindow(dialog);
  return result;
}

// The platform's order: the disabled owner comes back, a control's focus goes to the dialog
// itself, the dialog hides (SWP_HIDEWINDOW, which hands nothing on), and a dialog that is still
// active hands activation to its owner, or else on as a hidden window does.
BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
  if (WindowOrFail(hDlg) == nullptr) return FALSE;
  std::shared_ptr<DialogState> state = DialogStateOf(hDlg);
  state->result = nResult;
  state->ended = true;
  HWND disabled = state->disabledOwner;
  state->disabledOwner = nullptr;
  if (disabled != nullptr && FindWindowRecord(disabled) != nullptr) EnableWindow(disabled, TRUE);
  if (FindWindowRecord(hDlg) == nullptr) return TRUE;
  if (IsChild(hDlg, GetFocus())) SetFocus(hDlg);
  if (FindWindowRecord(hDlg) == nullptr) return TRUE;
  SetWindowPos(hDlg, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  if (FindWindowRecord(hDlg) == nullptr || GetActiveWindow() != hDlg) return TRUE;
  HWND owner = GetWindow(hDlg, GW_OWNER);
  if (owner != nullptr) {
    SetForegroundWindow(owner);
  } else {
    HandOffAfterHide(hDlg);
  }
  return TRUE;
}

// Dialog controls by identifier: finding them, their texts and numbers, button checks, and
// dialog units converted to pixels with the dialog's base units.
#include <string>

#include "dialog/state.h"
#include "dialog/units.h"
#include "sim/controls.h"
#include "sim/core.h"
#include "sim/dialog.h"
#include "sim/message.h"
#include "sim/window.h"
#include "window/metrics.h"
#include "window/table.h"

using namespace cesim::detail;

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
  Window* dialog = WindowOrFail(hDlg);
  if (dialog == nullptr) return nullptr;
  for (HWND child : dialog->children) {
    Window* c = FindWindowRecord(child);
    if (c != nullptr && static_cast<int>(c->id) == nIDDlgItem) return child;
  }
  return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd) {
  Window* w = WindowOrFail(hWnd);
  return w == nullptr ? 0 : static_cast<int>(w->id);
}

LRESULT WINAPI SendDlgItemMessageW(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam) {
  HWND item = GetDlgItem(hDlg, nIDDlgItem);
  return item == nullptr ? 0 : SendMessageW(item, Msg, wParam, lParam);
}

BOOL WINAPI SetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPCWSTR lpString) {
  HWND item = GetDlgItem(hDlg, nIDDlgItem);
  return item == nullptr ? FALSE : SetWindowTextW(item, lpString);
}

UINT WINAPI GetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPWSTR lpString, int cchMax) {
  if (lpString != nullptr && cchMax > 0) lpString[0] = 0;
  HWND item = GetDlgItem(hDlg, nIDDlgItem);
  if (item == nullptr) return 0;
  return static_cast<UINT>(GetWindowTextW(item, lpString, cchMax));
}

BOOL WINAPI SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned) {
  std::string digits = bSigned ? std::to_string(static_cast<int>(uValue)) : std::to_string(uValue);
  std::u16string text(digits.begin(), digits.end());
  return SetDlgItemTextW(hDlg, nIDDlgItem, text.c_str());
}

UINT WINAPI GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned) {
  if (lpTranslated != nullptr) *lpTranslated = FALSE;
  WCHAR text[64];
  if (GetDlgItemTextW(hDlg, nIDDlgItem, text, 64) == 0) return 0;
  size_t i = 0;
  while (text[i] == u' ') ++i;
  bool negative = false;
  if (bSigned && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  if (text[i] < u'0' || text[i] > u'9') return 0;
  unsigned long long value = 0;
  for (; text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + static_cast<unsigned>(text[i] - u'0');
    if (value > 0xFFFFFFFFull) return 0;
  }
  while (text[i] == u' ') ++i;
  if (text[i] != 0) return 0;
  if (bSigned && value > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return 0;
  if (lpTranslated != nullptr) *lpTranslated = TRUE;
  return negative ? static_cast<UINT>(-static_cast<long long>(value)) : static_cast<UINT>(value);
}

BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
  HWND button = GetDlgItem(hDlg, nIDButton);
  if (button == nullptr) return FALSE;
  SendMessageW(button, BM_SETCHECK, uCheck, 0);
  return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton) {
  return static_cast<UINT>(SendDlgItemMessageW(hDlg, nIDButton, BM_GETCHECK, 0, 0));
}

BOOL WINAPI CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
  if (WindowOrFail(hDlg) == nullptr) return FALSE;
  for (int id = nIDFirstButton; id <= nIDLastButton; ++id) {
    SendDlgItemMessageW(hDlg, id, BM_SETCHECK, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  return TRUE;
}

BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect) {
  std::shared_ptr<DialogState> state = ExistingDialogState(hDlg);
  if (state == nullptr || lpRect == nullptr) {
    SetLastError(state == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  lpRect->left = DialogUnitsToPixelsX(lpRect->left, state->baseX);
  lpRect->right = DialogUnitsToPixelsX(lpRect->right, state->baseX);
  lpRect->top = DialogUnitsToPixelsY(lpRect->top, state->baseY);
  lpRect->bottom = DialogUnitsToPixelsY(lpRect->bottom, state->baseY);
  return TRUE;
}

LONG WINAPI GetDialogBaseUnits(void) { return MAKELONG(kSystemFontCharWidth, kSystemFontHeight); }

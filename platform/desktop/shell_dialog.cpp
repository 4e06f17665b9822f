// SHInitDialog on the desktop: a dialog sized to the work area, with an OK button of its own in
// place of the device's Done button on the caption.
#include "desktop/ce_desktop.h"

namespace {

// The OK button's size in dialog units, as the device's caption button is about that small.
const int kDoneWidth = 24;
const int kDoneHeight = 12;
const int kDoneMargin = 2;

void SizeToWorkArea(HWND dialog) {
  RECT area;
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return;
  SetWindowPos(dialog, NULL, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void AddDoneButton(HWND dialog) {
  if (GetDlgItem(dialog, IDOK) != NULL) return;
  RECT units = {kDoneMargin, kDoneMargin, kDoneWidth, kDoneHeight};
  MapDialogRect(dialog, &units);
  RECT client;
  GetClientRect(dialog, &client);
  const int width = units.right;
  const int height = units.bottom;
  HWND button = CreateWindowExW(0, L"Button", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                client.right - width - units.left, units.top, width, height, dialog,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)),
                                reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), NULL);
  if (button != NULL) SendMessageW(button, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
}

}  // namespace

BOOL WINAPI SHInitDialog(PSHINITDLGINFO pshidi) {
  if (pshidi == NULL || pshidi->hDlg == NULL || !IsWindow(pshidi->hDlg)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if ((pshidi->dwMask & SHIDIM_FLAGS) == 0) return TRUE;
  const DWORD flags = pshidi->dwFlags;
  if (flags & (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_FULLSCREENNOMENUBAR)) SizeToWorkArea(pshidi->hDlg);
  if (flags & SHIDIF_DONEBUTTON) AddDoneButton(pshidi->hDlg);
  return TRUE;
}

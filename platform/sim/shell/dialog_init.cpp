// SHInitDialog: a dialog made full screen as the device's shell makes it. SHIDIF_DONEBUTTON puts
// the OK button on the dialog's caption (WS_EX_CAPTIONOKBTN), adding a caption when it has none;
// a Close button it has stays (SHInitDialog, Remarks). The sizing flags size it to the work area,
// leaving the menu bar's place at the bottom except for SHIDIF_FULLSCREENNOMENUBAR ("does not leave
// room at the bottom for a menu bar", SHINITDLGINFO); the input panel is never up on this device,
// so SHIDIF_SIZEDLG gives the same. SHIDIF_EMPTYMENU gives the dialog an empty menu bar.
#include "shell/menu_bar.h"
#include "shell/work_area.h"
#include "sim/core.h"
#include "sim/shell.h"
#include "sim/window.h"

using namespace cesim::detail;

BOOL WINAPI SHInitDialog(PSHINITDLGINFO pshidi) {
  if (pshidi == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  HWND dialog = pshidi->hDlg;
  if (!IsWindow(dialog)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if ((pshidi->dwMask & SHIDIM_FLAGS) == 0) return TRUE;
  const DWORD flags = pshidi->dwFlags;

  if (flags & SHIDIF_DONEBUTTON) {
    const LONG_PTR style = GetWindowLongW(dialog, GWL_STYLE);
    if ((style & WS_CAPTION) != WS_CAPTION) SetWindowLongW(dialog, GWL_STYLE, style | WS_CAPTION);
    SetWindowLongW(dialog, GWL_EXSTYLE, GetWindowLongW(dialog, GWL_EXSTYLE) | WS_EX_CAPTIONOKBTN);
    SetWindowPos(dialog, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (!IsWindow(dialog)) return FALSE;
  }

  if (flags & (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_FULLSCREENNOMENUBAR)) {
    RECT area = ShellWorkArea();
    if ((flags & SHIDIF_FULLSCREENNOMENUBAR) == 0) area.bottom -= kMenuBarHeight;
    if (area.bottom < area.top) area.bottom = area.top;
    SetWindowPos(dialog, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (!IsWindow(dialog)) return FALSE;
  }

  if ((flags & SHIDIF_EMPTYMENU) && CreateEmptyMenuBar(dialog) == nullptr) return FALSE;
  return TRUE;
}

// The shell's full-screen dialog set-up shared by the properties and version dialogs.
#include "dialogs/full_screen_dialog.h"

void InitFullScreenDialog(HWND dialog) {
  SHINITDLGINFO info;
  memset(&info, 0, sizeof(info));
  info.dwMask = SHIDIM_FLAGS;
  info.hDlg = dialog;
  info.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_EMPTYMENU;
  SHInitDialog(&info);
}

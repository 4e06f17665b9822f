// SHRecognizeGesture on the desktop, which recognises no tap-and-hold: a context menu there is
// the right click's or the menu key's WM_CONTEXTMENU, which reaches the window without asking.
#include "desktop/ce_desktop.h"

DWORD WINAPI SHRecognizeGesture(SHRGINFO* shrg) {
  if (shrg == NULL || shrg->cbSize != sizeof(SHRGINFO)) SetLastError(ERROR_INVALID_PARAMETER);
  return 0;
}

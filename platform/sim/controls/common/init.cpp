// Initialisation of the common controls: the device registers their classes when it starts,
// so these calls only check what they are given.
#include "sim/commctrl.h"

void WINAPI InitCommonControls(void) {}

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* lpInitCtrls) {
  if (lpInitCtrls == nullptr || lpInitCtrls->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
  return TRUE;
}

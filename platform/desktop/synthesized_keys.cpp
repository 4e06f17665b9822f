// keybd_event with the device's flags. The device's KEYEVENTF_SILENT (a keystroke without the key
// click) has the value of the desktop's KEYEVENTF_UNICODE, which is documented for a zero virtual
// key and a character in the scan code; the desktop makes no key click, so the bit is taken off
// and the key goes on as the keyboard's own.
#include "desktop/ce_desktop.h"

void WINAPI cedesktop_keybd_event(BYTE vk, BYTE scan, DWORD flags, ULONG_PTR extraInfo) {
  keybd_event(vk, scan, flags & ~static_cast<DWORD>(KEYEVENTF_SILENT), extraInfo);
}

// The device's shell (aygshell) as the Windows CE SDK declares it: recognising the tap-and-hold
// gesture that asks for a context menu.
#ifndef CESIM_FACE_SHELL_H
#define CESIM_FACE_SHELL_H

#include "sim/commctrl.h"
#include "sim/types.h"

// ---------------------------------------------------------------------------------------------
// SHRecognizeGesture: called while a control handles the press of the stylus (WM_LBUTTONDOWN) or
// of the action button (WM_KEYDOWN), it follows the press until it is released, moves or has
// lasted long enough to be a context-menu gesture.

// The device's structure is 20 bytes (32-bit handles); callers set cbSize to sizeof(SHRGINFO).
struct SHRGINFO {
  DWORD cbSize;
  HWND hwndClient;  // the window that calls
  POINT ptDown;     // the press, in hwndClient's client coordinates
  DWORD dwFlags;
};
typedef SHRGINFO* PSHRGINFO;

// dwFlags: return GN_CONTEXTMENU (else a WM_NOTIFY of GN_CONTEXTMENU goes to hwndClient), or send
// the notification to hwndClient's parent; wait longer than usual; draw no feedback.
#define SHRG_RETURNCMD 0x00000001
#define SHRG_NOTIFYPARENT 0x00000002
#define SHRG_LONGDELAY 0x00000008
#define SHRG_NOANIMATION 0x00000010

// The context-menu gesture: SHRecognizeGesture's result with SHRG_RETURNCMD, else the code of the
// WM_NOTIFY (an NMRGINFO with the press in screen coordinates) that it sends.
#define GN_CONTEXTMENU 1000

CESIM_API DWORD WINAPI SHRecognizeGesture(SHRGINFO* shrg);

#endif

// The clipboard as the Windows CE core library declares it: opening and closing it, emptying it
// (which makes the opener its owner), placing and reading data by format, delayed rendering and
// the messages that go to the owner. The standard formats (CF_UNICODETEXT, ...) are declared with
// the data-transfer types in sim/com.h.
#ifndef CESIM_FACE_CLIPBOARD_H
#define CESIM_FACE_CLIPBOARD_H

#include "sim/com.h"
#include "sim/types.h"

#define CF_OWNERDISPLAY 0x0080
#define CF_DSPTEXT 0x0081
#define CF_PRIVATEFIRST 0x0200
#define CF_PRIVATELAST 0x02FF
#define CF_GDIOBJFIRST 0x0300
#define CF_GDIOBJLAST 0x03FF

// Messages to the clipboard owner.
#define WM_RENDERFORMAT 0x0305
#define WM_RENDERALLFORMATS 0x0306
#define WM_DESTROYCLIPBOARD 0x0307

#define ERROR_CLIPBOARD_NOT_OPEN 1418L

// Fails (ERROR_ACCESS_DENIED) while another window holds the clipboard open.
CESIM_API BOOL WINAPI OpenClipboard(HWND hWndNewOwner);
CESIM_API BOOL WINAPI CloseClipboard(void);
// Frees what the clipboard holds and makes the window that opened it the owner; the previous
// owner gets WM_DESTROYCLIPBOARD.
CESIM_API BOOL WINAPI EmptyClipboard(void);
// The clipboard owns hMem from then on: the caller must not free it. Null hMem: the owner renders
// the format when it is asked for (WM_RENDERFORMAT).
CESIM_API HANDLE WINAPI SetClipboardData(UINT uFormat, HANDLE hMem);
CESIM_API HANDLE WINAPI GetClipboardData(UINT uFormat);
CESIM_API BOOL WINAPI IsClipboardFormatAvailable(UINT format);
CESIM_API int WINAPI CountClipboardFormats(void);
CESIM_API UINT WINAPI EnumClipboardFormats(UINT format);
CESIM_API HWND WINAPI GetClipboardOwner(void);
CESIM_API HWND WINAPI GetOpenClipboardWindow(void);

#endif

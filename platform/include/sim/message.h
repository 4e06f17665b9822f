// Window messages and the message queue as the Windows CE SDK declares them: the message numbers
// and the values that some of them carry, the notification header, sending, posting, taking
// messages out of the queue, and timers.
#ifndef CESIM_FACE_MESSAGE_H
#define CESIM_FACE_MESSAGE_H

#include "sim/types.h"

// ---------------------------------------------------------------------------------------------
// Message numbers.

#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_ENABLE 0x000A
#define WM_SETREDRAW 0x000B
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_SYSCOLORCHANGE 0x0015
#define WM_SHOWWINDOW 0x0018
#define WM_SETTINGCHANGE 0x001A
#define WM_CANCELMODE 0x001F
#define WM_SETCURSOR 0x0020
#define WM_NEXTDLGCTL 0x0028
#define WM_DRAWITEM 0x002B
#define WM_MEASUREITEM 0x002C
#define WM_DELETEITEM 0x002D
#define WM_VKEYTOITEM 0x002E
#define WM_CHARTOITEM 0x002F
#define WM_SETFONT 0x0030
#define WM_GETFONT 0x0031
#define WM_QUERYDRAGICON 0x0037
#define WM_COMPAREITEM 0x0039
#define WM_WINDOWPOSCHANGED 0x0047
#define WM_NOTIFY 0x004E
#define WM_HELP 0x0053
#define WM_CONTEXTMENU 0x007B
#define WM_STYLECHANGED 0x007D
#define WM_GETDLGCODE 0x0087
#define WM_KEYFIRST 0x0100
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_DEADCHAR 0x0103
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_SYSCHAR 0x0106
#define WM_SYSDEADCHAR 0x0107
#define WM_KEYLAST 0x0108
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112
#define WM_TIMER 0x0113
#define WM_HSCROLL 0x0114
#define WM_VSCROLL 0x0115
#define WM_INITMENUPOPUP 0x0117
#define WM_GESTURE 0x0119
#define WM_MENUCHAR 0x0120
#define WM_ENTERIDLE 0x0121
#define WM_CTLCOLORMSGBOX 0x0132
#define WM_CTLCOLOREDIT 0x0133
#define WM_CTLCOLORLISTBOX 0x0134
#define WM_CTLCOLORBTN 0x0135
#define WM_CTLCOLORDLG 0x0136
#define WM_CTLCOLORSCROLLBAR 0x0137
#define WM_CTLCOLORSTATIC 0x0138
#define WM_MOUSEFIRST 0x0200
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_RBUTTONDBLCLK 0x0206
#define WM_MBUTTONDOWN 0x0207
#define WM_MBUTTONUP 0x0208
#define WM_MBUTTONDBLCLK 0x0209
#define WM_MOUSELAST 0x0209
#define WM_ENTERMENULOOP 0x0211
#define WM_EXITMENULOOP 0x0212
#define WM_CAPTURECHANGED 0x0215
#define WM_CUT 0x0300
#define WM_COPY 0x0301
#define WM_PASTE 0x0302
#define WM_CLEAR 0x0303
#define WM_UNDO 0x0304
#define WM_HIBERNATE 0x03FF
#define WM_USER 0x0400
#define WM_APP 0x8000

// WM_ACTIVATE: the low word of wParam.
#define WA_INACTIVE 0
#define WA_ACTIVE 1
#define WA_CLICKACTIVE 2

// WM_SETTINGCHANGE: the wParam of a change that resets the whole display (the screen turned or
// changed its size).
#define SETTINGCHANGE_RESET 0x3002

// WM_SIZE: wParam.
#define SIZE_RESTORED 0
#define SIZE_MINIMIZED 1
#define SIZE_MAXIMIZED 2

// ---------------------------------------------------------------------------------------------
// Structures.

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};
typedef MSG* PMSG;
typedef MSG* LPMSG;

// The header of every WM_NOTIFY notification.
struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};
typedef NMHDR* LPNMHDR;

// ---------------------------------------------------------------------------------------------
// Sending, posting and the queue.

CESIM_API LRESULT WINAPI CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam,
                                         LPARAM lParam);
CESIM_API LRESULT WINAPI SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
CESIM_API BOOL WINAPI PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
CESIM_API void WINAPI PostQuitMessage(int nExitCode);
CESIM_API BOOL WINAPI GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
CESIM_API BOOL WINAPI PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                                   UINT wRemoveMsg);
CESIM_API BOOL WINAPI TranslateMessage(const MSG* lpMsg);
CESIM_API LRESULT WINAPI DispatchMessageW(const MSG* lpMsg);
CESIM_API DWORD WINAPI GetMessagePos(void);
CESIM_API LONG WINAPI GetMessageTime(void);

#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define PM_NOYIELD 0x0002

// ---------------------------------------------------------------------------------------------
// Timers.

typedef void(CALLBACK* TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

CESIM_API UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
CESIM_API BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent);

// ---------------------------------------------------------------------------------------------
// Touch gestures (WM_GESTURE): wParam is the gesture's identifier, lParam the handle under which
// GetGestureInfo gives its details while the message is being dispatched. GetGestureInfo and
// CloseGestureInfoHandle are optional core-library entry points: devices without the gesture
// engine lack them, and callers look them up by name.

// The identifiers of the built-in gestures. GID_BEGIN and GID_END enclose every touch.
#define GID_BEGIN 1
#define GID_END 2
#define GID_PAN 4
#define GID_SCROLL 8
#define GID_HOLD 9
#define GID_SELECT 10
#define GID_DOUBLESELECT 11

// GESTUREINFO dwFlags: the state of one gesture. Both flags mark a gesture of one message.
#define GF_BEGIN 0x00000001
#define GF_INERTIA 0x00000002
#define GF_END 0x00000004

// The direction of a flick (GID_SCROLL, and a pan that turned into one).
#define ARG_SCROLL_NONE 0
#define ARG_SCROLL_DOWN 1
#define ARG_SCROLL_LEFT 2
#define ARG_SCROLL_UP 3
#define ARG_SCROLL_RIGHT 4

// A flick's ullArguments: the velocity in pixels per second as a signed 16-bit number in bits 32
// to 47, the direction in bits 48 to 51 and the angle in bits 52 to 63 (the top twelve bits of
// the 16-bit angle argument, which maps -2 pi to 2 pi radians onto 0 to 65535; its low four bits
// are taken by the direction).
#define GID_SCROLL_VELOCITY(x) ((LONG)(SHORT)(WORD)(((ULONGLONG)(x) >> 32) & 0xFFFF))
#define GID_SCROLL_DIRECTION(x) ((LONG)(((ULONGLONG)(x) >> 48) & 0x000F))
#define GID_SCROLL_ANGLE(x) ((LONG)(((ULONGLONG)(x) >> 48) & 0xFFF0))

CESIM_DECLARE_HANDLE(HGESTUREINFO);

// The device's structure is 48 bytes (32-bit handles); callers set cbSize to sizeof(GESTUREINFO).
struct GESTUREINFO {
  UINT cbSize;
  DWORD dwFlags;
  DWORD dwID;
  HWND hwndTarget;
  POINTS ptsLocation;  // screen coordinates
  DWORD dwInstanceID;
  DWORD dwSequenceID;
  ULONGLONG ullArguments;
  UINT cbExtraArguments;
};
typedef GESTUREINFO* PGESTUREINFO;
typedef const GESTUREINFO* PCGESTUREINFO;

CESIM_API BOOL WINAPI GetGestureInfo(HGESTUREINFO hGestureInfo, PGESTUREINFO pGestureInfo);
CESIM_API BOOL WINAPI CloseGestureInfoHandle(HGESTUREINFO hGestureInfo);

// ---------------------------------------------------------------------------------------------
// The names without a character-set suffix: this platform is Unicode only.

#define CallWindowProc CallWindowProcW
#define SendMessage SendMessageW
#define PostMessage PostMessageW
#define GetMessage GetMessageW
#define PeekMessage PeekMessageW
#define DispatchMessage DispatchMessageW

#endif

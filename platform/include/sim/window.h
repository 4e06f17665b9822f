// Windows as the Windows CE SDK declares them: styles, classes, creation and destruction, the
// window tree, geometry and visibility, window text and data, the default window procedure,
// activation, focus and capture, scroll codes, cursors and icons.
//
// Pointer-sized values: this host is 64-bit, so GetWindowLongW and SetWindowLongW carry a
// LONG_PTR, as GetWindowLongPtrW and SetWindowLongPtrW do in the desktop 64-bit headers; both
// spellings are declared and a window procedure stored with GWL_WNDPROC round-trips whole.
#ifndef CESIM_FACE_WINDOW_H
#define CESIM_FACE_WINDOW_H

#include "sim/types.h"

// ---------------------------------------------------------------------------------------------
// Window styles and classes.

#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_MINIMIZE 0x20000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_MAXIMIZE 0x01000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_VSCROLL 0x00200000L
#define WS_HSCROLL 0x00100000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_OVERLAPPEDWINDOW \
  (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_POPUPWINDOW (WS_POPUP | WS_BORDER | WS_SYSMENU)

#define WS_EX_DLGMODALFRAME 0x00000001L
#define WS_EX_TOPMOST 0x00000008L
#define WS_EX_TOOLWINDOW 0x00000080L
#define WS_EX_WINDOWEDGE 0x00000100L
#define WS_EX_CLIENTEDGE 0x00000200L
#define WS_EX_CONTEXTHELP 0x00000400L
#define WS_EX_RIGHT 0x00001000L
#define WS_EX_RTLREADING 0x00002000L
#define WS_EX_LEFTSCROLLBAR 0x00004000L
#define WS_EX_CONTROLPARENT 0x00010000L
#define WS_EX_STATICEDGE 0x00020000L
#define WS_EX_LAYERED 0x00080000
#define WS_EX_OVERLAPPEDWINDOW (WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE)
#define WS_EX_NOANIMATION 0x04000000L
#define WS_EX_NOACTIVATE 0x08000000L
#define WS_EX_INK 0x10000000L
#define WS_EX_ABOVESTARTUP 0x20000000L
#define WS_EX_NODRAG 0x40000000L
#define WS_EX_CAPTIONOKBTN 0x80000000L

#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_DBLCLKS 0x0008
#define CS_PARENTDC 0x0080
#define CS_NOCLOSE 0x0200
#define CS_GLOBALCLASS 0x4000

#define CW_USEDEFAULT ((int)0x80000000)

#define HWND_DESKTOP ((HWND)0)
#define HWND_TOP ((HWND)0)
#define HWND_BOTTOM ((HWND)1)
#define HWND_TOPMOST ((HWND)(LONG_PTR)-1)
#define HWND_NOTOPMOST ((HWND)(LONG_PTR)-2)
#define HWND_BROADCAST ((HWND)0xffff)

// GetWindowLongW / SetWindowLongW indexes.
#define GWL_WNDPROC (-4)
#define GWL_HINSTANCE (-6)
#define GWL_ID (-12)
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWL_USERDATA (-21)
#define GWLP_WNDPROC GWL_WNDPROC
#define GWLP_HINSTANCE GWL_HINSTANCE
#define GWLP_ID GWL_ID
#define GWLP_USERDATA GWL_USERDATA

// GetWindow relationships.
#define GW_HWNDFIRST 0
#define GW_HWNDLAST 1
#define GW_HWNDNEXT 2
#define GW_HWNDPREV 3
#define GW_OWNER 4
#define GW_CHILD 5

// ShowWindow commands.
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWNA 8
#define SW_RESTORE 9

// SetWindowPos flags.
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOREDRAW 0x0008
#define SWP_NOACTIVATE 0x0010
#define SWP_FRAMECHANGED 0x0020
#define SWP_SHOWWINDOW 0x0040
#define SWP_HIDEWINDOW 0x0080
#define SWP_NOCOPYBITS 0x0100
#define SWP_NOOWNERZORDER 0x0200
#define SWP_NOSENDCHANGING 0x0400
#define SWP_DRAWFRAME SWP_FRAMECHANGED
#define SWP_NOREPOSITION SWP_NOOWNERZORDER

// ---------------------------------------------------------------------------------------------
// Structures.

struct WNDCLASSW {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCWSTR lpszMenuName;
  LPCWSTR lpszClassName;
};
typedef WNDCLASSW* PWNDCLASSW;
typedef WNDCLASSW* LPWNDCLASSW;
typedef WNDCLASSW WNDCLASS;
typedef WNDCLASSW* LPWNDCLASS;

struct CREATESTRUCTW {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCWSTR lpszName;
  LPCWSTR lpszClass;
  DWORD dwExStyle;
};
typedef CREATESTRUCTW* LPCREATESTRUCTW;
typedef CREATESTRUCTW CREATESTRUCT;
typedef CREATESTRUCTW* LPCREATESTRUCT;

struct WINDOWPOS {
  HWND hwnd;
  HWND hwndInsertAfter;
  int x;
  int y;
  int cx;
  int cy;
  UINT flags;
};
typedef WINDOWPOS* LPWINDOWPOS;
typedef WINDOWPOS* PWINDOWPOS;

// WM_STYLECHANGED: the styles before and after SetWindowLongW changed them.
struct STYLESTRUCT {
  DWORD styleOld;
  DWORD styleNew;
};
typedef STYLESTRUCT* LPSTYLESTRUCT;

// ---------------------------------------------------------------------------------------------
// Window classes, creation and destruction.

CESIM_API ATOM WINAPI RegisterClassW(const WNDCLASSW* lpWndClass);
CESIM_API BOOL WINAPI UnregisterClassW(LPCWSTR lpClassName, HINSTANCE hInstance);
CESIM_API BOOL WINAPI GetClassInfoW(HINSTANCE hInstance, LPCWSTR lpClassName, LPWNDCLASSW lpWndClass);
CESIM_API int WINAPI GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount);

CESIM_API HWND WINAPI CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName,
                                      DWORD dwStyle, int X, int Y, int nWidth, int nHeight,
                                      HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                                      LPVOID lpParam);
#define CreateWindowW(lpClassName, lpWindowName, dwStyle, x, y, nWidth, nHeight, hWndParent, \
                      hMenu, hInstance, lpParam)                                           \
  CreateWindowExW(0L, lpClassName, lpWindowName, dwStyle, x, y, nWidth, nHeight, hWndParent, \
                  hMenu, hInstance, lpParam)
CESIM_API BOOL WINAPI DestroyWindow(HWND hWnd);

// ---------------------------------------------------------------------------------------------
// The window tree: parents, owners, z-order.

CESIM_API BOOL WINAPI IsWindow(HWND hWnd);
CESIM_API HWND WINAPI GetWindow(HWND hWnd, UINT uCmd);
CESIM_API HWND WINAPI GetParent(HWND hWnd);
CESIM_API HWND WINAPI SetParent(HWND hWndChild, HWND hWndNewParent);
CESIM_API BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd);
CESIM_API HWND WINAPI GetDesktopWindow(void);
CESIM_API HWND WINAPI FindWindowW(LPCWSTR lpClassName, LPCWSTR lpWindowName);
CESIM_API HWND WINAPI WindowFromPoint(POINT Point);
CESIM_API HWND WINAPI ChildWindowFromPoint(HWND hWndParent, POINT Point);

// ---------------------------------------------------------------------------------------------
// Geometry, visibility and state.

CESIM_API BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect);
CESIM_API BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect);
CESIM_API BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint);
CESIM_API BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint);
CESIM_API int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints);
CESIM_API BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint);
CESIM_API BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy,
                                   UINT uFlags);
CESIM_API BOOL WINAPI BringWindowToTop(HWND hWnd);
CESIM_API BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow);
CESIM_API BOOL WINAPI IsWindowVisible(HWND hWnd);
CESIM_API BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable);
CESIM_API BOOL WINAPI IsWindowEnabled(HWND hWnd);

CESIM_API BOOL WINAPI SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom);
CESIM_API BOOL WINAPI SetRectEmpty(LPRECT lprc);
CESIM_API BOOL WINAPI CopyRect(LPRECT lprcDst, const RECT* lprcSrc);
CESIM_API BOOL WINAPI OffsetRect(LPRECT lprc, int dx, int dy);
CESIM_API BOOL WINAPI InflateRect(LPRECT lprc, int dx, int dy);
CESIM_API BOOL WINAPI IsRectEmpty(const RECT* lprc);
CESIM_API BOOL WINAPI EqualRect(const RECT* lprc1, const RECT* lprc2);
CESIM_API BOOL WINAPI IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);
CESIM_API BOOL WINAPI PtInRect(const RECT* lprc, POINT pt);

// ---------------------------------------------------------------------------------------------
// Window text and window data.

CESIM_API BOOL WINAPI SetWindowTextW(HWND hWnd, LPCWSTR lpString);
CESIM_API int WINAPI GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount);
CESIM_API int WINAPI GetWindowTextLengthW(HWND hWnd);
CESIM_API LONG_PTR WINAPI GetWindowLongW(HWND hWnd, int nIndex);
CESIM_API LONG_PTR WINAPI SetWindowLongW(HWND hWnd, int nIndex, LONG_PTR dwNewLong);
CESIM_API LONG_PTR WINAPI GetWindowLongPtrW(HWND hWnd, int nIndex);
CESIM_API LONG_PTR WINAPI SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong);

// ---------------------------------------------------------------------------------------------
// The default window procedure.

CESIM_API LRESULT WINAPI DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

// ---------------------------------------------------------------------------------------------
// Activation, focus and capture.

CESIM_API HWND WINAPI SetActiveWindow(HWND hWnd);
CESIM_API HWND WINAPI GetActiveWindow(void);
CESIM_API BOOL WINAPI SetForegroundWindow(HWND hWnd);
CESIM_API HWND WINAPI GetForegroundWindow(void);
CESIM_API HWND WINAPI SetFocus(HWND hWnd);
CESIM_API HWND WINAPI GetFocus(void);
CESIM_API HWND WINAPI SetCapture(HWND hWnd);
CESIM_API BOOL WINAPI ReleaseCapture(void);
CESIM_API HWND WINAPI GetCapture(void);

// ---------------------------------------------------------------------------------------------
// Scrolling (WM_VSCROLL, WM_HSCROLL).

#define SB_HORZ 0
#define SB_VERT 1
#define SB_CTL 2
#define SB_BOTH 3
#define SB_LINEUP 0
#define SB_LINELEFT 0
#define SB_LINEDOWN 1
#define SB_LINERIGHT 1
#define SB_PAGEUP 2
#define SB_PAGELEFT 2
#define SB_PAGEDOWN 3
#define SB_PAGERIGHT 3
#define SB_THUMBPOSITION 4
#define SB_THUMBTRACK 5
#define SB_TOP 6
#define SB_LEFT 6
#define SB_BOTTOM 7
#define SB_RIGHT 7
#define SB_ENDSCROLL 8

// ---------------------------------------------------------------------------------------------
// Cursors.

#define IDC_ARROW MAKEINTRESOURCEW(32512)
#define IDC_IBEAM MAKEINTRESOURCEW(32513)
#define IDC_WAIT MAKEINTRESOURCEW(32514)
#define IDC_CROSS MAKEINTRESOURCEW(32515)
#define IDC_UPARROW MAKEINTRESOURCEW(32516)
#define IDC_SIZEALL MAKEINTRESOURCEW(32646)
#define IDC_NO MAKEINTRESOURCEW(32648)
#define IDC_APPSTARTING MAKEINTRESOURCEW(32650)
#define IDC_HELP MAKEINTRESOURCEW(32651)

CESIM_API HCURSOR WINAPI LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName);
CESIM_API HCURSOR WINAPI SetCursor(HCURSOR hCursor);
CESIM_API HCURSOR WINAPI GetCursor(void);

// ---------------------------------------------------------------------------------------------
// Icons. The shell and the image lists hand out icons that their caller destroys.

CESIM_API BOOL WINAPI DestroyIcon(HICON hIcon);

// ---------------------------------------------------------------------------------------------
// The names without a character-set suffix: this platform is Unicode only.

#define RegisterClass RegisterClassW
#define UnregisterClass UnregisterClassW
#define GetClassInfo GetClassInfoW
#define GetClassName GetClassNameW
#define CreateWindowEx CreateWindowExW
#define CreateWindow CreateWindowW
#define FindWindow FindWindowW
#define SetWindowText SetWindowTextW
#define GetWindowText GetWindowTextW
#define GetWindowTextLength GetWindowTextLengthW
#define GetWindowLong GetWindowLongW
#define SetWindowLong SetWindowLongW
#define GetWindowLongPtr GetWindowLongPtrW
#define SetWindowLongPtr SetWindowLongPtrW
#define DefWindowProc DefWindowProcW
#define LoadCursor LoadCursorW

#endif

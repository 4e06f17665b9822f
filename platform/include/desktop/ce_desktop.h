// The platform face on desktop Windows: the desktop headers, plus the Windows CE names and meanings
// that desktop Windows lacks or spells differently. The calls whose meaning differs are routed to
// platform/desktop (the cedesktop library), which gives them the device's meaning.
#ifndef FOLDWISE_CE_DESKTOP_H
#define FOLDWISE_CE_DESKTOP_H

// The device's API is the wide one: TEXT("...") is a wide literal and WCHAR is wchar_t.
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
// The device's headers have no min and max macros that could collide with names of our own.
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

// rpcndr.h makes "small" a macro for char; nothing of ours means that by it.
#undef small

// ---------------------------------------------------------------------------------------------
// Values that only the device defines, or defines differently.

// File attributes of the device's object store; desktop Windows gives these bits other names.
#define FILE_ATTRIBUTE_INROM 0x00000040
#define FILE_ATTRIBUTE_ROMSTATICREF 0x00001000
#define FILE_ATTRIBUTE_ROMMODULE 0x00002000

// Literals of the device's generic-text headers.
#ifndef _T
#define _T(s) L##s
#endif

// Packed mouse positions (the device declares these beside its window messages).
#ifndef GET_X_LPARAM
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#endif
#ifndef GET_Y_LPARAM
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
#endif

// Messages, styles and notifications of the device that desktop Windows lacks.
#define WM_HIBERNATE 0x03FF
#define ES_COMBOBOX 0x0200L
#define NM_RECOGNIZEGESTURE (NM_FIRST - 50)
// What NM_RECOGNIZEGESTURE carries: the press point and the control's item there.
typedef struct tagNMRGINFO {
  NMHDR hdr;
  POINT ptAction;
  DWORD dwItemSpec;
} NMRGINFO, *PNMRGINFO;
#ifndef CMF_INCLUDESTATIC
#define CMF_INCLUDESTATIC 0x00000040
#endif
// The desktop headers spell this through a ShellExecuteEx flag that newer desktop targets drop.
#undef CMIC_MASK_ICON
#define CMIC_MASK_ICON 0x00000010

// Input of the device. KEYEVENTF_SILENT makes a synthesized keystroke without the key click; the
// desktop has no key click and gives the bit another meaning (a Unicode character), so the
// desktop layer's keybd_event takes it off. The action button (the centre of the navigation pad)
// is a key of its own beside VK_RETURN.
#define KEYEVENTF_SILENT 0x00000004
#define VK_ACTION VK_F23

// The device's gestures that desktop Windows lacks (WM_GESTURE, GESTUREINFO and GID_BEGIN to
// GID_PAN are the desktop's too): the flick, the hold, the tap and the double tap, and where a
// flick went (the direction in bits 48 to 51 of ullArguments, the velocity in bits 32 to 47).
#define GID_SCROLL 8
#define GID_HOLD 9
#define GID_SELECT 10
#define GID_DOUBLESELECT 11
#define ARG_SCROLL_NONE 0
#define ARG_SCROLL_DOWN 1
#define ARG_SCROLL_LEFT 2
#define ARG_SCROLL_UP 3
#define ARG_SCROLL_RIGHT 4
#define GID_SCROLL_VELOCITY(x) ((LONG)(SHORT)(WORD)(((ULONGLONG)(x) >> 32) & 0xFFFF))
#define GID_SCROLL_DIRECTION(x) ((LONG)(((ULONGLONG)(x) >> 48) & 0x000F))
#define GID_SCROLL_ANGLE(x) ((LONG)(((ULONGLONG)(x) >> 48) & 0xFFF0))

// The device shell's context-menu gesture (SHRecognizeGesture): what it is asked with, its flags
// and the gesture's code, as its result or as the code of the WM_NOTIFY it sends.
typedef struct tagSHRGI {
  DWORD cbSize;
  HWND hwndClient;
  POINT ptDown;
  DWORD dwFlags;
} SHRGINFO, *PSHRGINFO;
#define SHRG_RETURNCMD 0x00000001
#define SHRG_NOTIFYPARENT 0x00000002
#define SHRG_LONGDELAY 0x00000008
#define SHRG_NOANIMATION 0x00000010
#define GN_CONTEXTMENU 1000
// The desktop has no tap-and-hold: its context menus come with the right click and the menu key
// (WM_CONTEXTMENU), so the gesture is never recognised here and the result is 0.
DWORD WINAPI SHRecognizeGesture(SHRGINFO* shrg);

// The device shell's dialog set-up (SHInitDialog): which members are given, and the flags.
typedef struct tagSHINITDLGINFO {
  DWORD dwMask;
  HWND hDlg;
  DWORD dwFlags;
} SHINITDLGINFO, *PSHINITDLGINFO;
#define SHIDIM_FLAGS 0x0001
#define SHIDIF_DONEBUTTON 0x0001
#define SHIDIF_SIZEDLG 0x0002
#define SHIDIF_SIZEDLGFULLSCREEN 0x0004
#define SHIDIF_SIPDOWN 0x0008
#define SHIDIF_FULLSCREENNOMENUBAR 0x0010
#define SHIDIF_EMPTYMENU 0x0020
#define SHIDIF_WANTSCROLLBAR 0x0040
// Called from WM_INITDIALOG. The sizing flags size the dialog to the work area, as the device sizes
// it to its screen. The desktop caption has no OK button: SHIDIF_DONEBUTTON gives the dialog a
// small "OK" button (IDOK) at the top right of its client area instead, which ends it as the
// device's Done button does. There is no menu bar to empty (SHIDIF_EMPTYMENU); the input panel's
// flags mean nothing here.
BOOL WINAPI SHInitDialog(PSHINITDLGINFO pshidi);

// Extended window styles of the device's shell.
#define WS_EX_NOANIMATION 0x04000000L
#define WS_EX_INK 0x10000000L
#define WS_EX_ABOVESTARTUP 0x20000000L
#define WS_EX_NODRAG 0x40000000L
#define WS_EX_CAPTIONOKBTN 0x80000000L

// The device's window-long indexes. The 64-bit desktop headers keep only the pointer-sized
// (GWLP_, DWLP_) names; here the device's names mean those slots, and GetWindowLongW and
// SetWindowLongW carry pointer-sized values (below), so a window procedure round-trips whole.
#ifdef _WIN64
#ifndef GWL_WNDPROC
#define GWL_WNDPROC GWLP_WNDPROC
#endif
#ifndef GWL_HINSTANCE
#define GWL_HINSTANCE GWLP_HINSTANCE
#endif
#ifndef GWL_USERDATA
#define GWL_USERDATA GWLP_USERDATA
#endif
#ifndef DWL_MSGRESULT
#define DWL_MSGRESULT DWLP_MSGRESULT
#endif
#ifndef DWL_DLGPROC
#define DWL_DLGPROC DWLP_DLGPROC
#endif
#ifndef DWL_USER
#define DWL_USER DWLP_USER
#endif
#endif

// ---------------------------------------------------------------------------------------------
// Calls that only the device's core library has. platform/desktop implements them.

// Export lookup by ASCII name (GetProcAddressA) and by wide name (GetProcAddressW, which the
// device's GetProcAddress means). A name whose high-order bits are zero is an export ordinal.
// On the handle of the core library (see cedesktop_GetModuleHandleW) the lookup covers the
// desktop libraries that together hold what the device's core library exports.
FARPROC WINAPI GetProcAddressA(HMODULE module, LPCSTR name);
FARPROC WINAPI GetProcAddressW(HMODULE module, LPCWSTR name);

// The device shell's shortcut files: the number of the target's characters, "#" and the target,
// in the device's ANSI code page. FALSE when a file of that name exists, its folder is missing or
// the target does not fit (256 characters with the terminator).
DWORD WINAPI SHCreateShortcut(LPWSTR szShortcut, LPWSTR szTarget);

// Command bars (the device's common controls). On the desktop a command bar is a toolbar across
// the top of its window, and its menu bar is the window's own menu: the pop-up menus' messages go
// to the window on both. The button index of the menu bar is not used, since the desktop's menu
// bar is no button; a menu given by handle belongs to the window from then on, and goes with it.
HWND WINAPI CommandBar_Create(HINSTANCE hInst, HWND hwndParent, int idCmdBar);
BOOL WINAPI CommandBar_InsertMenubar(HWND hwndCB, HINSTANCE hInst, WORD idMenu, WORD iButton);
BOOL WINAPI CommandBar_InsertMenubarEx(HWND hwndCB, HINSTANCE hInst, LPWSTR pszMenu, WORD iButton);
HMENU WINAPI CommandBar_GetMenu(HWND hwndCB, WORD iButton);
BOOL WINAPI CommandBar_DrawMenuBar(HWND hwndCB, WORD iButton);
int WINAPI CommandBar_Height(HWND hwndCB);

// The device shell's image loader: a BMP, JPEG, GIF or PNG file as a bitmap of the device's
// display format (16 bits per pixel, 5-6-5), or null when the file cannot be read as an image.
// The desktop decodes through its own imaging component.
HBITMAP WINAPI SHLoadImageFile(LPCWSTR pszFileName);
#define CommandBar_Show(hwnd, fShow) ShowWindow((hwnd), (fShow) ? SW_SHOWNORMAL : SW_HIDE)
#define CommandBar_IsVisible(hwnd) IsWindowVisible(hwnd)
#define CommandBar_Destroy(hwnd) DestroyWindow(hwnd)
#define CommandBar_AddButtons(hwnd, cbButtons, lpButtons) \
  (BOOL) SendMessageW((hwnd), TB_ADDBUTTONSW, (WPARAM)(cbButtons), (LPARAM)(lpButtons))
#define CommandBar_InsertButton(hwnd, iButton, lpButton) \
  (BOOL) SendMessageW((hwnd), TB_INSERTBUTTONW, (WPARAM)(iButton), (LPARAM)(lpButton))

// ---------------------------------------------------------------------------------------------
// Calls that desktop Windows has with another meaning. platform/desktop gives them the device's.

// "coredll" (with or without ".dll", any letter case) names the core library: the handle of
// user32.dll stands for it. "shellres" names the shell's resource module, which the device keeps
// loaded in every process and desktop Windows lacks: platform/desktop builds it (shellres.dll, the
// Explorer's context menus as menu 8915), and it is loaded from the Windows folder, where it goes
// as on the device, when it is first asked for; null when it is not there. Any other name is the
// desktop's own lookup.
HMODULE WINAPI cedesktop_GetModuleHandleW(LPCWSTR name);

// Program paths as the device writes them: a path on the system drive (that of the Windows folder)
// loses its drive ("C:\Windows\fexplore.exe" is "\Windows\fexplore.exe"); other paths are kept
// as they are. A path that does not fit is cut to size - 1 characters and terminated, the result
// is size and the last error ERROR_INSUFFICIENT_BUFFER, as on the desktop.
DWORD WINAPI cedesktop_GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);

// The device's shell library, "ceshell" (with or without ".dll", any letter case), which the
// desktop lacks: loading it gives a handle that stands for it, freeing that handle does nothing,
// and GetProcAddress on it gives the library's numbered path functions (ceshell_ordinals.h) with
// the device's rules. Any other name is the desktop's own.
HMODULE WINAPI cedesktop_LoadLibraryW(LPCWSTR name);
BOOL WINAPI cedesktop_FreeLibrary(HMODULE module);
// Whether the handle stands for the shell library; its export of that ordinal, or null.
BOOL cedesktop_IsShellLibrary(HMODULE module);
FARPROC cedesktop_ShellLibraryExport(HMODULE module, LPCSTR name);

// The device ignores access rights of registry keys: every opened or created key can be read and
// written. The desktop ones ask for read and write access, and fall back to the rights given
// (read access when none are given) where write access is refused.
LONG WINAPI cedesktop_RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);
LONG WINAPI cedesktop_RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass,
                                      DWORD options, REGSAM access, LPSECURITY_ATTRIBUTES security,
                                      PHKEY result, LPDWORD disposition);

// The device's one-call read: a non-null lpReserved is a wide string naming a subkey of the key,
// whose value is read without the caller opening that subkey. Null lpReserved is the plain read.
LONG WINAPI cedesktop_RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type,
                                       LPBYTE data, LPDWORD dataSize);

// The device's C run-time formatting: swprintf takes no count; in a wide format %s and %c take
// wide arguments and %S and %C narrow ones, %hs and %ls name the width explicitly.
int cedesktop_swprintf(WCHAR* buffer, const WCHAR* format, ...);
int cedesktop_vswprintf(WCHAR* buffer, const WCHAR* format, va_list arguments);

// keybd_event with the device's flags: KEYEVENTF_SILENT is taken off (there is no key click to
// leave out) and the keystroke goes into the input queue as the desktop's.
void WINAPI cedesktop_keybd_event(BYTE vk, BYTE scan, DWORD flags, ULONG_PTR extraInfo);

// CreateProcessW as the device does it: the image name names the program and the command line
// holds only its arguments. A plain name is looked for in the Windows folder, then in the root of
// the system drive (the device's "\"), with ".exe" added to a name without an extension; a path
// without a drive is on the system drive (the device has no current folder). The security
// attributes, handle inheritance, environment, current folder and start-up information are not
// supported on the device and are ignored; the creation flags are passed on. The process
// information may be null: the handles are then closed at once.
BOOL WINAPI cedesktop_CreateProcessW(LPCWSTR imageName, LPCWSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                                     LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                                     LPVOID environment, LPCWSTR currentFolder, LPSTARTUPINFOW startupInfo,
                                     LPPROCESS_INFORMATION processInformation);

// Paths as the device has them: one file system whose root "\" is the root of the desktop's system
// drive (the drive of the Windows folder), and no current folder. The calls below take a path
// without a drive as the device's, on the system drive, whatever the process's current folder; a
// path with a drive or a network path ("\\server\share") is taken as it is. A device path of
// MAX_PATH characters or more fails with ERROR_FILENAME_EXCED_RANGE, as on the device. A plain name
// given to LoadLibraryW or as the file of ShellExecuteEx (one without a separator) is looked for as
// the desktop looks for it.
HANDLE WINAPI cedesktop_CreateFileW(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                    DWORD creation, DWORD flags, HANDLE templateFile);
BOOL WINAPI cedesktop_DeleteFileW(LPCWSTR path);
BOOL WINAPI cedesktop_MoveFileW(LPCWSTR existing, LPCWSTR renamed);
BOOL WINAPI cedesktop_CopyFileW(LPCWSTR existing, LPCWSTR copy, BOOL failIfExists);
DWORD WINAPI cedesktop_GetFileAttributesW(LPCWSTR path);
BOOL WINAPI cedesktop_SetFileAttributesW(LPCWSTR path, DWORD attributes);
BOOL WINAPI cedesktop_CreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES security);
BOOL WINAPI cedesktop_RemoveDirectoryW(LPCWSTR path);
BOOL WINAPI cedesktop_GetDiskFreeSpaceExW(LPCWSTR folder, PULARGE_INTEGER available, PULARGE_INTEGER total,
                                          PULARGE_INTEGER free);
FILE* cedesktop_wfopen(const WCHAR* path, const WCHAR* mode);
DWORD WINAPI cedesktop_GetFileVersionInfoSizeW(LPCWSTR path, LPDWORD handle);
BOOL WINAPI cedesktop_GetFileVersionInfoW(LPCWSTR path, DWORD handle, DWORD size, LPVOID data);
DWORD_PTR WINAPI cedesktop_SHGetFileInfoW(LPCWSTR path, DWORD attributes, SHFILEINFOW* info, UINT infoSize,
                                          UINT flags);
BOOL WINAPI cedesktop_ShellExecuteExW(SHELLEXECUTEINFOW* info);

// Folder searches as the device makes them: the desktop's "." and ".." entries (the folder itself
// and its parent) are never listed, so a folder with nothing else in it has no match
// (ERROR_FILE_NOT_FOUND). Patterns are device paths as above.
HANDLE WINAPI cedesktop_FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW found);
HANDLE WINAPI cedesktop_FindFirstFileExW(LPCWSTR pattern, FINDEX_INFO_LEVELS level, LPVOID found,
                                         FINDEX_SEARCH_OPS operation, LPVOID filter, DWORD flags);
BOOL WINAPI cedesktop_FindNextFileW(HANDLE search, LPWIN32_FIND_DATAW found);

// The shell's special folders as the device writes paths: a folder on the system drive is given
// without its drive, like the program paths of GetModuleFileNameW.
BOOL WINAPI cedesktop_SHGetSpecialFolderPathW(HWND owner, LPWSTR path, int folder, BOOL create);

// The device's dialog boxes are of the window class "Dialog", the desktop's of "#32770": the class
// name of a desktop dialog box is given as the device's. Every other class keeps its name. As on
// the desktop, a name that does not fit is cut to count - 1 characters and terminated, and the
// result is the number of characters copied.
int WINAPI cedesktop_GetClassNameW(HWND window, LPWSTR className, int count);
// A colour bitmap of 16, 24 or 32 bits per pixel (16: 5-6-5) that is not of the display's depth
// is made in the display's format with those pixels' colours, so that it can be selected into a
// memory DC of the display as on the device. Every other bitmap is the desktop's own.
HBITMAP WINAPI cedesktop_CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
// A dialog template without a font of its own (no DS_SETFONT) is laid out in the device's system
// font, Tahoma at 8 points, as on the device; the desktop would lay it out in its System font.
INT_PTR WINAPI cedesktop_DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialog, HWND owner,
                                                 DLGPROC procedure, LPARAM parameter);
HWND WINAPI cedesktop_CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialog, HWND owner,
                                                 DLGPROC procedure, LPARAM parameter);

// Window longs are pointer-sized on the device's 64-bit stand-in as on the device's 32-bit
// processors: the desktop's pointer-sized calls.
#ifdef _WIN64
inline LONG_PTR cedesktop_GetWindowLongW(HWND window, int index) {
  return GetWindowLongPtrW(window, index);
}
inline LONG_PTR cedesktop_SetWindowLongW(HWND window, int index, LONG_PTR value) {
  return SetWindowLongPtrW(window, index, value);
}
#endif

// ---------------------------------------------------------------------------------------------
// Module code sees the device's names with the device's meaning. The desktop layer's own sources
// define CEDESKTOP_IMPLEMENTATION and call the desktop functions under their own names.
#ifndef CEDESKTOP_IMPLEMENTATION
#undef GetProcAddress
#define GetProcAddress GetProcAddressW
#undef GetModuleHandleW
#define GetModuleHandleW cedesktop_GetModuleHandleW
#undef GetModuleFileNameW
#define GetModuleFileNameW cedesktop_GetModuleFileNameW
#undef LoadLibraryW
#define LoadLibraryW cedesktop_LoadLibraryW
#undef FreeLibrary
#define FreeLibrary cedesktop_FreeLibrary
#undef CreateBitmap
#define CreateBitmap cedesktop_CreateBitmap
#undef DialogBoxIndirectParamW
#define DialogBoxIndirectParamW cedesktop_DialogBoxIndirectParamW
#undef CreateDialogIndirectParamW
#define CreateDialogIndirectParamW cedesktop_CreateDialogIndirectParamW
#undef RegOpenKeyExW
#define RegOpenKeyExW cedesktop_RegOpenKeyExW
#undef RegCreateKeyExW
#define RegCreateKeyExW cedesktop_RegCreateKeyExW
#undef RegQueryValueExW
#define RegQueryValueExW cedesktop_RegQueryValueExW
#undef keybd_event
#define keybd_event cedesktop_keybd_event
#undef CreateProcessW
#define CreateProcessW cedesktop_CreateProcessW
#undef CreateProcess
#define CreateProcess cedesktop_CreateProcessW
#undef swprintf
#define swprintf cedesktop_swprintf
#undef vswprintf
#define vswprintf cedesktop_vswprintf
#undef CreateFileW
#define CreateFileW cedesktop_CreateFileW
#undef DeleteFileW
#define DeleteFileW cedesktop_DeleteFileW
#undef MoveFileW
#define MoveFileW cedesktop_MoveFileW
#undef CopyFileW
#define CopyFileW cedesktop_CopyFileW
#undef GetFileAttributesW
#define GetFileAttributesW cedesktop_GetFileAttributesW
#undef SetFileAttributesW
#define SetFileAttributesW cedesktop_SetFileAttributesW
#undef CreateDirectoryW
#define CreateDirectoryW cedesktop_CreateDirectoryW
#undef RemoveDirectoryW
#define RemoveDirectoryW cedesktop_RemoveDirectoryW
#undef GetDiskFreeSpaceExW
#define GetDiskFreeSpaceExW cedesktop_GetDiskFreeSpaceExW
#undef _wfopen
#define _wfopen cedesktop_wfopen
#undef GetFileVersionInfoSizeW
#define GetFileVersionInfoSizeW cedesktop_GetFileVersionInfoSizeW
#undef GetFileVersionInfoW
#define GetFileVersionInfoW cedesktop_GetFileVersionInfoW
#undef SHGetFileInfo
#define SHGetFileInfo cedesktop_SHGetFileInfoW
#undef SHGetFileInfoW
#define SHGetFileInfoW cedesktop_SHGetFileInfoW
#undef ShellExecuteEx
#define ShellExecuteEx cedesktop_ShellExecuteExW
#undef ShellExecuteExW
#define ShellExecuteExW cedesktop_ShellExecuteExW
#undef FindFirstFileW
#define FindFirstFileW cedesktop_FindFirstFileW
#undef FindFirstFileExW
#define FindFirstFileExW cedesktop_FindFirstFileExW
#undef FindNextFileW
#define FindNextFileW cedesktop_FindNextFileW
#undef SHGetSpecialFolderPath
#define SHGetSpecialFolderPath cedesktop_SHGetSpecialFolderPathW
#undef SHGetSpecialFolderPathW
#define SHGetSpecialFolderPathW cedesktop_SHGetSpecialFolderPathW
#undef GetClassNameW
#define GetClassNameW cedesktop_GetClassNameW
#ifdef _WIN64
#undef GetWindowLongW
#define GetWindowLongW cedesktop_GetWindowLongW
#undef SetWindowLongW
#define SetWindowLongW cedesktop_SetWindowLongW
#endif
#endif

#endif

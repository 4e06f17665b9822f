// Modules and processes of the core library as the Windows CE SDK declares them: loading, export
// lookup, module handles and names, starting programs, and the optional entry points that not
// every device's core library exports.
#ifndef CESIM_FACE_LOADER_H
#define CESIM_FACE_LOADER_H

#include "sim/types.h"

// ---------------------------------------------------------------------------------------------
// Modules.

// DllMain reasons.
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

#define ERROR_BAD_EXE_FORMAT 193L

// Modules. The device's GetProcAddress is the wide form; GetProcAddressA takes an ASCII name.
// A name whose high-order bits are zero (MAKEINTRESOURCE) is an export ordinal.
CESIM_API HINSTANCE WINAPI LoadLibraryW(LPCWSTR lpLibFileName);
CESIM_API BOOL WINAPI FreeLibrary(HMODULE hLibModule);
CESIM_API FARPROC WINAPI GetProcAddressW(HMODULE hModule, LPCWSTR lpProcName);
CESIM_API FARPROC WINAPI GetProcAddressA(HMODULE hModule, LPCSTR lpProcName);
CESIM_API HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName);
CESIM_API DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);
CESIM_API BOOL WINAPI DisableThreadLibraryCalls(HMODULE hLibModule);
#define LoadLibrary LoadLibraryW
#define GetProcAddress GetProcAddressW
#define GetModuleHandle GetModuleHandleW
#define GetModuleFileName GetModuleFileNameW

// ---------------------------------------------------------------------------------------------
// Processes. The device takes the program's name and its arguments; the security attributes,
// handle inheritance, environment, current folder and start-up information are not supported
// there (callers pass null, FALSE and null).

#define DEBUG_PROCESS 0x00000001
#define DEBUG_ONLY_THIS_PROCESS 0x00000002
#define CREATE_SUSPENDED 0x00000004
#define CREATE_NEW_CONSOLE 0x00000010
#define INHERIT_CALLER_PRIORITY 0x00020000

struct STARTUPINFOW {
  DWORD cb;
  LPWSTR lpReserved;
  LPWSTR lpDesktop;
  LPWSTR lpTitle;
  DWORD dwX;
  DWORD dwY;
  DWORD dwXSize;
  DWORD dwYSize;
  DWORD dwXCountChars;
  DWORD dwYCountChars;
  DWORD dwFillAttribute;
  DWORD dwFlags;
  WORD wShowWindow;
  WORD cbReserved2;
  LPBYTE lpReserved2;
  HANDLE hStdInput;
  HANDLE hStdOutput;
  HANDLE hStdError;
};
typedef STARTUPINFOW* LPSTARTUPINFOW;

struct PROCESS_INFORMATION {
  HANDLE hProcess;
  HANDLE hThread;
  DWORD dwProcessId;
  DWORD dwThreadId;
};
typedef PROCESS_INFORMATION* PPROCESS_INFORMATION;
typedef PROCESS_INFORMATION* LPPROCESS_INFORMATION;

// pszImageName names the program (a plain name is looked for in \Windows, then in the root);
// pszCmdLine holds its arguments. The caller closes the handles it is given with CloseHandle.
CESIM_API BOOL WINAPI CreateProcessW(LPCWSTR pszImageName, LPCWSTR pszCmdLine, LPSECURITY_ATTRIBUTES psaProcess,
                                     LPSECURITY_ATTRIBUTES psaThread, BOOL fInheritHandles, DWORD fdwCreate,
                                     LPVOID pvEnvironment, LPWSTR pszCurDir, LPSTARTUPINFOW psiStartInfo,
                                     LPPROCESS_INFORMATION pProcInfo);
#define CreateProcess CreateProcessW

// ---------------------------------------------------------------------------------------------
// Optional core-library entry points: not every device exports these; callers look them up by
// name (GetProcAddressW on the core library) and do without them when they are absent. The
// gesture entry points (GetGestureInfo, CloseGestureInfoHandle) are declared with WM_GESTURE in
// sim/message.h.

#define LWA_COLORKEY 0x00000001
#define LWA_ALPHA 0x00000002

CESIM_API BOOL WINAPI SetLayeredWindowAttributes(HWND hwnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags);

#endif

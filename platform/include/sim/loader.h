// Modules of the core library as the Windows CE SDK declares them: loading, export lookup, module
// handles and names, and the optional entry points that not every device's core library exports.
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
// Optional core-library entry points: not every device exports these; callers look them up by
// name (GetProcAddressW on the core library) and do without them when they are absent.

CESIM_DECLARE_HANDLE(HGESTUREINFO);

struct GESTUREINFO {
  UINT cbSize;
  DWORD dwFlags;
  DWORD dwID;
  HWND hwndTarget;
  POINTS ptsLocation;
  DWORD dwInstanceID;
  DWORD dwSequenceID;
  ULONGLONG ullArguments;
  UINT cbExtraArguments;
};
typedef GESTUREINFO* PGESTUREINFO;
typedef const GESTUREINFO* PCGESTUREINFO;

CESIM_API BOOL WINAPI GetGestureInfo(HGESTUREINFO hGestureInfo, PGESTUREINFO pGestureInfo);

#define LWA_COLORKEY 0x00000001
#define LWA_ALPHA 0x00000002

CESIM_API BOOL WINAPI SetLayeredWindowAttributes(HWND hwnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags);

#endif

// The core library's own services as the Windows CE SDK declares them: the calling thread's last
// error, closing kernel handles, the heap (local and global memory, one heap on the device), the
// tick count and the comparison of texts as the user's locale sorts them.
#ifndef CESIM_FACE_CORE_H
#define CESIM_FACE_CORE_H

#include "sim/types.h"

// ---------------------------------------------------------------------------------------------
// The last error.

CESIM_API DWORD WINAPI GetLastError(void);
CESIM_API void WINAPI SetLastError(DWORD dwErrCode);

// ---------------------------------------------------------------------------------------------
// Kernel handles (the process and thread handles of a started program).

CESIM_API BOOL WINAPI CloseHandle(HANDLE hObject);

// ---------------------------------------------------------------------------------------------
// Memory.

#define ERROR_DISCARDED 157L
#define ERROR_NOT_LOCKED 158L

// Memory. The local and the global heap are one heap on the device.
#define LMEM_FIXED 0x0000
#define LMEM_MOVEABLE 0x0002
#define LMEM_ZEROINIT 0x0040
#define LMEM_MODIFY 0x0080
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)
#define NONZEROLPTR LMEM_FIXED
#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_NOCOMPACT 0x0010
#define GMEM_NODISCARD 0x0020
#define GMEM_ZEROINIT 0x0040
#define GMEM_MODIFY 0x0080
#define GMEM_DISCARDABLE 0x0100
#define GMEM_NOT_BANKED 0x1000
#define GMEM_LOWER GMEM_NOT_BANKED
#define GMEM_SHARE 0x2000
#define GMEM_DDESHARE 0x2000
#define GMEM_NOTIFY 0x4000
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

CESIM_API HLOCAL WINAPI LocalAlloc(UINT uFlags, SIZE_T uBytes);
CESIM_API HLOCAL WINAPI LocalFree(HLOCAL hMem);
CESIM_API HLOCAL WINAPI LocalReAlloc(HLOCAL hMem, SIZE_T uBytes, UINT uFlags);
CESIM_API SIZE_T WINAPI LocalSize(HLOCAL hMem);
CESIM_API HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
CESIM_API HGLOBAL WINAPI GlobalFree(HGLOBAL hMem);
CESIM_API HGLOBAL WINAPI GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags);
CESIM_API LPVOID WINAPI GlobalLock(HGLOBAL hMem);
CESIM_API BOOL WINAPI GlobalUnlock(HGLOBAL hMem);
CESIM_API SIZE_T WINAPI GlobalSize(HGLOBAL hMem);

// ---------------------------------------------------------------------------------------------
// The clock.

CESIM_API DWORD WINAPI GetTickCount(void);

// ---------------------------------------------------------------------------------------------
// Comparing texts in the locale's alphabetical order (a word sort: letters without case and
// accents first, then accents, then case; hyphens and apostrophes count last).

#define NORM_IGNORECASE 0x00000001
#define NORM_IGNORENONSPACE 0x00000002
#define NORM_IGNORESYMBOLS 0x00000004
#define SORT_STRINGSORT 0x00001000
#define NORM_IGNOREKANATYPE 0x00010000
#define NORM_IGNOREWIDTH 0x00020000

#define CSTR_LESS_THAN 1
#define CSTR_EQUAL 2
#define CSTR_GREATER_THAN 3

// CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN; 0 on failure (GetLastError). A negative count
// means a text up to its terminator.
CESIM_API int WINAPI CompareStringW(LCID Locale, DWORD dwCmpFlags, LPCWSTR lpString1, int cchCount1, LPCWSTR lpString2,
                                    int cchCount2);
// Less than, equal to or greater than zero, in the user's locale; lstrcmpiW without letter case.
CESIM_API int WINAPI lstrcmpW(LPCWSTR lpString1, LPCWSTR lpString2);
CESIM_API int WINAPI lstrcmpiW(LPCWSTR lpString1, LPCWSTR lpString2);

#endif

// The core library's own services as the Windows CE SDK declares them: the calling thread's last
// error, closing kernel handles, the heap (local and global memory, one heap on the device) and
// the tick count.
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

#endif

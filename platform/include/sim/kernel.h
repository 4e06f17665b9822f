// The core library's kernel services as the Windows CE SDK declares them: each part of cesim
// that implements a group of these calls keeps its declarations in a block of its own below.
#ifndef CESIM_FACE_KERNEL_H
#define CESIM_FACE_KERNEL_H

#include "sim/types.h"

// ---------------------------------------------------------------------------------------------
// Files and folder searches.

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_INROM 0x00000040
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100
#define FILE_ATTRIBUTE_SPARSE_FILE 0x00000200
#define FILE_ATTRIBUTE_REPARSE_POINT 0x00000400
#define FILE_ATTRIBUTE_COMPRESSED 0x00000800
#define FILE_ATTRIBUTE_ROMSTATICREF 0x00001000
#define FILE_ATTRIBUTE_ROMMODULE 0x00002000
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)

// The device's find record: no alternate (8.3) name, an object identifier instead.
struct WIN32_FIND_DATAW {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwOID;
  WCHAR cFileName[MAX_PATH];
};
typedef WIN32_FIND_DATAW* PWIN32_FIND_DATAW;
typedef WIN32_FIND_DATAW* LPWIN32_FIND_DATAW;
typedef WIN32_FIND_DATAW WIN32_FIND_DATA;
typedef WIN32_FIND_DATAW* PWIN32_FIND_DATA;
typedef WIN32_FIND_DATAW* LPWIN32_FIND_DATA;

enum FINDEX_INFO_LEVELS { FindExInfoStandard, FindExInfoMaxInfoLevel };
enum FINDEX_SEARCH_OPS {
  FindExSearchNameMatch,
  FindExSearchLimitToDirectories,
  FindExSearchLimitToDevices,
  FindExSearchMaxSearchOp
};

enum GET_FILEEX_INFO_LEVELS { GetFileExInfoStandard, GetFileExMaxInfoLevel };
struct WIN32_FILE_ATTRIBUTE_DATA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
};
typedef WIN32_FILE_ATTRIBUTE_DATA* LPWIN32_FILE_ATTRIBUTE_DATA;

CESIM_API DWORD WINAPI GetFileAttributesW(LPCWSTR lpFileName);
CESIM_API BOOL WINAPI GetFileAttributesExW(LPCWSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId,
                                           LPVOID lpFileInformation);
CESIM_API BOOL WINAPI SetFileAttributesW(LPCWSTR lpFileName, DWORD dwFileAttributes);
CESIM_API HANDLE WINAPI FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData);
CESIM_API HANDLE WINAPI FindFirstFileExW(LPCWSTR lpFileName, FINDEX_INFO_LEVELS fInfoLevelId,
                                         LPVOID lpFindFileData, FINDEX_SEARCH_OPS fSearchOp,
                                         LPVOID lpSearchFilter, DWORD dwAdditionalFlags);
CESIM_API BOOL WINAPI FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData);
CESIM_API BOOL WINAPI FindClose(HANDLE hFindFile);
CESIM_API BOOL WINAPI DeleteFileW(LPCWSTR lpFileName);
CESIM_API BOOL WINAPI CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes);
CESIM_API BOOL WINAPI RemoveDirectoryW(LPCWSTR lpPathName);

// End of files and folder searches.
// ---------------------------------------------------------------------------------------------

// ---------------------------------------------------------------------------------------------
// Modules, resources and memory.

// DllMain reasons.
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

#define ERROR_DISCARDED 157L
#define ERROR_NOT_LOCKED 158L
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

// Resources. Types and names are MAKEINTRESOURCE ordinals or strings ("#12" is ordinal 12).
#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_FONTDIR MAKEINTRESOURCE(7)
#define RT_FONT MAKEINTRESOURCE(8)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_MESSAGETABLE MAKEINTRESOURCE(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)
#define RT_VERSION MAKEINTRESOURCE(16)
#define RT_DLGINCLUDE MAKEINTRESOURCE(17)
#define RT_PLUGPLAY MAKEINTRESOURCE(19)
#define RT_VXD MAKEINTRESOURCE(20)
#define RT_ANICURSOR MAKEINTRESOURCE(21)
#define RT_ANIICON MAKEINTRESOURCE(22)
#define RT_HTML MAKEINTRESOURCE(23)

#define LANG_NEUTRAL 0x00
#define LANG_ENGLISH 0x09
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_SYS_DEFAULT 0x02
#define MAKELANGID(p, s) ((((WORD)(s)) << 10) | (WORD)(p))
#define PRIMARYLANGID(lgid) ((WORD)(lgid) & 0x3ff)
#define SUBLANGID(lgid) ((WORD)(lgid) >> 10)

CESIM_API HRSRC WINAPI FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType);
CESIM_API HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);
CESIM_API LPVOID WINAPI LockResource(HGLOBAL hResData);
CESIM_API DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);
CESIM_API BOOL WINAPI FreeResource(HGLOBAL hResData);
// With a null buffer the result is a pointer to the string in place (read-only, terminated only
// when the resource stores the terminator), which the caller casts back to LPCWSTR.
CESIM_API int WINAPI LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax);
#define FindResource FindResourceW
#define LoadString LoadStringW

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

// End of modules, resources and memory.
// ---------------------------------------------------------------------------------------------

#endif

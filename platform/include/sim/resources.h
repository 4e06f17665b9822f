// Resources of the core library as the Windows CE SDK declares them: resource types, languages,
// finding and loading a module's resources, and string tables.
#ifndef CESIM_FACE_RESOURCES_H
#define CESIM_FACE_RESOURCES_H

#include "sim/types.h"

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

CESIM_API HRSRC WINAPI FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType);
CESIM_API HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);
CESIM_API LPVOID WINAPI LockResource(HGLOBAL hResData);
CESIM_API DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);
CESIM_API BOOL WINAPI FreeResource(HGLOBAL hResData);
// With a null buffer the result is a pointer to the string in place (read-only, terminated only
// when the resource stores the terminator), which the caller casts back to LPCWSTR.
CESIM_API int WINAPI LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax);
// Image types (LoadImage, STM_SETIMAGE).
#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define IMAGE_CURSOR 2

#define FindResource FindResourceW
#define LoadString LoadStringW

#endif

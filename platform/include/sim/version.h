// Version resources of files as the Windows CE SDK declares them: the fixed file information with
// its flags and types, and the calls that find a file's version resource (RT_VERSION) and read
// values out of it. The device's declarations take the path and the sub-block as writable
// strings.
#ifndef CESIM_FACE_VERSION_H
#define CESIM_FACE_VERSION_H

#include "sim/resources.h"
#include "sim/types.h"

#define VS_VERSION_INFO 1
#define VS_USER_DEFINED 100
#define VS_FILE_INFO RT_VERSION

#define VS_FFI_SIGNATURE 0xFEEF04BDL
#define VS_FFI_STRUCVERSION 0x00010000L
#define VS_FFI_FILEFLAGSMASK 0x0000003FL

#define VS_FF_DEBUG 0x00000001L
#define VS_FF_PRERELEASE 0x00000002L
#define VS_FF_PATCHED 0x00000004L
#define VS_FF_PRIVATEBUILD 0x00000008L
#define VS_FF_INFOINFERRED 0x00000010L
#define VS_FF_SPECIALBUILD 0x00000020L

#define VOS_UNKNOWN 0x00000000L
#define VOS_DOS 0x00010000L
#define VOS_OS216 0x00020000L
#define VOS_OS232 0x00030000L
#define VOS_NT 0x00040000L
#define VOS_WINCE 0x00050000L
#define VOS__BASE 0x00000000L
#define VOS__WINDOWS16 0x00000001L
#define VOS__PM16 0x00000002L
#define VOS__PM32 0x00000003L
#define VOS__WINDOWS32 0x00000004L
#define VOS_NT_WINDOWS32 0x00040004L

#define VFT_UNKNOWN 0x00000000L
#define VFT_APP 0x00000001L
#define VFT_DLL 0x00000002L
#define VFT_DRV 0x00000003L
#define VFT_FONT 0x00000004L
#define VFT_VXD 0x00000005L
#define VFT_STATIC_LIB 0x00000007L

struct VS_FIXEDFILEINFO {
  DWORD dwSignature;
  DWORD dwStrucVersion;
  DWORD dwFileVersionMS;
  DWORD dwFileVersionLS;
  DWORD dwProductVersionMS;
  DWORD dwProductVersionLS;
  DWORD dwFileFlagsMask;
  DWORD dwFileFlags;
  DWORD dwFileOS;
  DWORD dwFileType;
  DWORD dwFileSubtype;
  DWORD dwFileDateMS;
  DWORD dwFileDateLS;
};

// The size of the file's version resource in bytes (0 and the reason as the last error when it
// has none); *lpdwHandle is set to 0.
CESIM_API DWORD WINAPI GetFileVersionInfoSizeW(LPWSTR lptstrFilename, LPDWORD lpdwHandle);
// Copies the version resource into lpData, at most dwLen bytes of it (dwHandle is ignored).
CESIM_API BOOL WINAPI GetFileVersionInfoW(LPWSTR lptstrFilename, DWORD dwHandle, DWORD dwLen, LPVOID lpData);
// A value of a version resource that GetFileVersionInfoW copied: the root "\\" gives the
// VS_FIXEDFILEINFO, "\\VarFileInfo\\Translation" the language and code page pairs, and
// "\\StringFileInfo\\<lang-codepage>\\<name>" a string. *lplpBuffer points into the block;
// *puLen is the value's length (bytes for binary values, characters for strings).
CESIM_API BOOL WINAPI VerQueryValueW(const LPVOID pBlock, LPWSTR lpSubBlock, LPVOID* lplpBuffer, PUINT puLen);
#define GetFileVersionInfoSize GetFileVersionInfoSizeW
#define GetFileVersionInfo GetFileVersionInfoW
#define VerQueryValue VerQueryValueW

#endif

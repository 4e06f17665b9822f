// The device's file and folder calls on desktop Windows: the same calls, with the paths that they
// are given taken as the device's (device_path.h).
#include "device_path.h"

HANDLE WINAPI cedesktop_CreateFileW(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                    DWORD creation, DWORD flags, HANDLE templateFile) {
  DesktopPath path(name);
  if (path.Refused()) return INVALID_HANDLE_VALUE;
  return CreateFileW(path.Get(), access, share, security, creation, flags, templateFile);
}

BOOL WINAPI cedesktop_DeleteFileW(LPCWSTR name) {
  DesktopPath path(name);
  if (path.Refused()) return FALSE;
  return DeleteFileW(path.Get());
}

BOOL WINAPI cedesktop_MoveFileW(LPCWSTR existing, LPCWSTR renamed) {
  DesktopPath from(existing);
  DesktopPath to(renamed);
  if (from.Refused() || to.Refused()) return FALSE;
  return MoveFileW(from.Get(), to.Get());
}

BOOL WINAPI cedesktop_CopyFileW(LPCWSTR existing, LPCWSTR copy, BOOL failIfExists) {
  DesktopPath from(existing);
  DesktopPath to(copy);
  if (from.Refused() || to.Refused()) return FALSE;
  return CopyFileW(from.Get(), to.Get(), failIfExists);
}

DWORD WINAPI cedesktop_GetFileAttributesW(LPCWSTR name) {
  DesktopPath path(name);
  if (path.Refused()) return INVALID_FILE_ATTRIBUTES;
  return GetFileAttributesW(path.Get());
}

BOOL WINAPI cedesktop_SetFileAttributesW(LPCWSTR name, DWORD attributes) {
  DesktopPath path(name);
  if (path.Refused()) return FALSE;
  return SetFileAttributesW(path.Get(), attributes);
}

BOOL WINAPI cedesktop_CreateDirectoryW(LPCWSTR name, LPSECURITY_ATTRIBUTES security) {
  DesktopPath path(name);
  if (path.Refused()) return FALSE;
  return CreateDirectoryW(path.Get(), security);
}

BOOL WINAPI cedesktop_RemoveDirectoryW(LPCWSTR name) {
  DesktopPath path(name);
  if (path.Refused()) return FALSE;
  return RemoveDirectoryW(path.Get());
}

BOOL WINAPI cedesktop_GetDiskFreeSpaceExW(LPCWSTR folder, PULARGE_INTEGER available, PULARGE_INTEGER total,
                                          PULARGE_INTEGER free) {
  DesktopPath path(folder);
  if (path.Refused()) return FALSE;
  return GetDiskFreeSpaceExW(path.Get(), available, total, free);
}

FILE* cedesktop_wfopen(const WCHAR* name, const WCHAR* mode) {
  DesktopPath path(name);
  if (path.Refused()) return NULL;
  return _wfopen(path.Get(), mode);
}

DWORD WINAPI cedesktop_GetFileVersionInfoSizeW(LPCWSTR name, LPDWORD handle) {
  DesktopPath path(name);
  if (path.Refused()) return 0;
  return GetFileVersionInfoSizeW(path.Get(), handle);
}

BOOL WINAPI cedesktop_GetFileVersionInfoW(LPCWSTR name, DWORD handle, DWORD size, LPVOID data) {
  DesktopPath path(name);
  if (path.Refused()) return FALSE;
  return GetFileVersionInfoW(path.Get(), handle, size, data);
}

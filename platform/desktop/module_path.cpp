// GetModuleFileNameW with the device's paths: the device has no drive letters, and "\" is the root
// of its one file system, which holds "\Windows". On the desktop the root of the system drive (the
// drive of the Windows folder) plays that part, so a path on that drive is given without its drive,
// as the device would write it.
#include "desktop/ce_desktop.h"

namespace {

WCHAR UpperCaseLetter(WCHAR c) { return (c >= L'a' && c <= L'z') ? static_cast<WCHAR>(c - L'a' + L'A') : c; }

bool IsDriveLetter(WCHAR c) {
  c = UpperCaseLetter(c);
  return c >= L'A' && c <= L'Z';
}

// The drive letter of the Windows folder, or 0 when it is not on a lettered drive.
WCHAR SystemDriveLetter() {
  WCHAR folder[MAX_PATH];
  UINT length = GetSystemWindowsDirectoryW(folder, MAX_PATH);
  if (length < 2 || length >= MAX_PATH || folder[1] != L':' || !IsDriveLetter(folder[0])) {
    return 0;
  }
  return UpperCaseLetter(folder[0]);
}

// Number of leading characters ("X:") that the device's form of the path leaves out.
size_t DrivePrefixLength(const WCHAR* path, size_t length) {
  if (length < 3 || path[1] != L':' || path[2] != L'\\' || !IsDriveLetter(path[0])) {
    return 0;
  }
  WCHAR system = SystemDriveLetter();
  return (system != 0 && UpperCaseLetter(path[0]) == system) ? 2 : 0;
}

}  // namespace

DWORD WINAPI cedesktop_GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
  // Module paths on the desktop may be longer than MAX_PATH; this buffer takes any path that a
  // caller with a MAX_PATH buffer could be given in full, plus its drive.
  WCHAR path[MAX_PATH * 4];
  DWORD length = GetModuleFileNameW(module, path, MAX_PATH * 4);
  if (length == 0) {
    return 0;
  }
  if (length >= MAX_PATH * 4) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return 0;
  }
  const size_t skip = DrivePrefixLength(path, length);
  const WCHAR* devicePath = path + skip;
  const DWORD deviceLength = static_cast<DWORD>(length - skip);
  if (fileName == NULL || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (deviceLength >= size) {
    // Cut and terminated, as the desktop does when the buffer is too small.
    memcpy(fileName, devicePath, (size - 1) * sizeof(WCHAR));
    fileName[size - 1] = L'\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  memcpy(fileName, devicePath, (deviceLength + 1) * sizeof(WCHAR));
  return deviceLength;
}

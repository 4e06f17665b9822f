// GetModuleFileNameW with the device's paths: the device has no drive letters, and "\" is the root
// of its one file system, which holds "\Windows". On the desktop the root of the system drive (the
// drive of the Windows folder) plays that part, so a path on that drive is given without its drive,
// as the device would write it.
#include "device_path.h"

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
  const size_t skip = DeviceFormSkip(path, length);
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

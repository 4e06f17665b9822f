// The device's registry calls on desktop Windows: access rights that the device ignores, and the
// one-call read of a value in a subkey through RegQueryValueExW's lpReserved.
#include "desktop/ce_desktop.h"

namespace {

const REGSAM kReadWrite = KEY_READ | KEY_WRITE;

// What to ask for when read and write access is refused: the rights given, or read access.
REGSAM FallbackAccess(REGSAM access) { return access != 0 ? access : KEY_READ; }

}  // namespace

LONG WINAPI cedesktop_RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result) {
  LONG status = RegOpenKeyExW(key, subKey, options, access | kReadWrite, result);
  if (status == ERROR_ACCESS_DENIED) {
    status = RegOpenKeyExW(key, subKey, options, FallbackAccess(access), result);
  }
  return status;
}

LONG WINAPI cedesktop_RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass,
                                      DWORD options, REGSAM access, LPSECURITY_ATTRIBUTES security,
                                      PHKEY result, LPDWORD disposition) {
  LONG status = RegCreateKeyExW(key, subKey, reserved, keyClass, options, access | kReadWrite, security,
                                result, disposition);
  if (status == ERROR_ACCESS_DENIED) {
    status = RegCreateKeyExW(key, subKey, reserved, keyClass, options, FallbackAccess(access), security,
                             result, disposition);
  }
  return status;
}

LONG WINAPI cedesktop_RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type,
                                       LPBYTE data, LPDWORD dataSize) {
  if (reserved == NULL) {
    return RegQueryValueExW(key, valueName, NULL, type, data, dataSize);
  }
  // The device reads the value of the named subkey; the desktop refuses a non-null lpReserved, so
  // the subkey is opened for the one read and closed again.
  const WCHAR* subKey = reinterpret_cast<const WCHAR*>(reserved);
  HKEY subKeyHandle = NULL;
  LONG status = RegOpenKeyExW(key, subKey, 0, KEY_QUERY_VALUE, &subKeyHandle);
  if (status != ERROR_SUCCESS) {
    return status;
  }
  status = RegQueryValueExW(subKeyHandle, valueName, NULL, type, data, dataSize);
  RegCloseKey(subKeyHandle);
  return status;
}

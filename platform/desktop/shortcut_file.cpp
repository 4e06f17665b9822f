// The device's SHCreateShortcut on desktop Windows: a shortcut is a small text file holding the
// number of the target's characters in decimal, "#" and the target, in the device's ANSI code
// page (Windows-1252), with no line break.
#include "device_path.h"

namespace {

// The device's target buffer holds 256 characters with its terminator.
const int kLongestTarget = 255;
const UINT kDeviceCodePage = 1252;

}  // namespace

DWORD WINAPI SHCreateShortcut(LPWSTR szShortcut, LPWSTR szTarget) {
  if (szShortcut == NULL || szTarget == NULL) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  int length = 0;
  while (length <= kLongestTarget && szTarget[length] != 0) ++length;
  if (length > kLongestTarget) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  char text[16 + 2 * (kLongestTarget + 1)];
  int count = _snprintf(text, 16, "%d#", length);
  int converted = 0;
  if (length > 0) {
    converted = WideCharToMultiByte(kDeviceCodePage, 0, szTarget, length, text + count,
                                    static_cast<int>(sizeof(text)) - count, NULL, NULL);
    if (converted <= 0) return FALSE;
  }
  DesktopPath path(szShortcut);
  if (path.Refused()) return FALSE;
  // A file of that name is never overwritten.
  HANDLE file = CreateFileW(path.Get(), GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return FALSE;
  DWORD written = 0;
  DWORD size = static_cast<DWORD>(count + converted);
  BOOL done = WriteFile(file, text, size, &written, NULL) && written == size;
  CloseHandle(file);
  if (!done) {
    DeleteFileW(path.Get());
    return FALSE;
  }
  return TRUE;
}

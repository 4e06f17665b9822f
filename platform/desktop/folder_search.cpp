// Folder searches as the device makes them: device paths as patterns, and none of the desktop's
// "." and ".." entries, which the device's file systems do not have.
#include "device_path.h"

namespace {

bool IsDotEntry(const WIN32_FIND_DATAW* found) {
  const WCHAR* name = found->cFileName;
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// A search whose first entry is in `found`, moved on past the dot entries. When nothing else
// matches, the search is closed and fails as the device's does when nothing matches.
HANDLE PastDotEntries(HANDLE search, LPWIN32_FIND_DATAW found) {
  if (search == INVALID_HANDLE_VALUE) return search;
  while (IsDotEntry(found)) {
    if (!FindNextFileW(search, found)) {
      DWORD error = GetLastError();
      FindClose(search);
      SetLastError(error == ERROR_NO_MORE_FILES ? ERROR_FILE_NOT_FOUND : error);
      return INVALID_HANDLE_VALUE;
    }
  }
  return search;
}

}  // namespace

HANDLE WINAPI cedesktop_FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW found) {
  DesktopPath path(pattern);
  if (path.Refused()) return INVALID_HANDLE_VALUE;
  return PastDotEntries(FindFirstFileW(path.Get(), found), found);
}

HANDLE WINAPI cedesktop_FindFirstFileExW(LPCWSTR pattern, FINDEX_INFO_LEVELS level, LPVOID found,
                                         FINDEX_SEARCH_OPS operation, LPVOID filter, DWORD flags) {
  DesktopPath path(pattern);
  if (path.Refused()) return INVALID_HANDLE_VALUE;
  // Both of the desktop's information levels fill a WIN32_FIND_DATAW.
  LPWIN32_FIND_DATAW data = static_cast<LPWIN32_FIND_DATAW>(found);
  return PastDotEntries(FindFirstFileExW(path.Get(), level, found, operation, filter, flags), data);
}

BOOL WINAPI cedesktop_FindNextFileW(HANDLE search, LPWIN32_FIND_DATAW found) {
  for (;;) {
    if (!FindNextFileW(search, found)) return FALSE;
    if (!IsDotEntry(found)) return TRUE;
  }
}

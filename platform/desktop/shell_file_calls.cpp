// The device shell's calls on files, on desktop Windows: the paths that they are given taken as the
// device's (device_path.h), and the special folders given back as the device writes paths.
#include "device_path.h"

namespace {

bool HasSeparator(LPCWSTR name) { return name != NULL && (wcschr(name, L'\\') != NULL || wcschr(name, L'/') != NULL); }

}  // namespace

DWORD_PTR WINAPI cedesktop_SHGetFileInfoW(LPCWSTR name, DWORD attributes, SHFILEINFOW* info, UINT infoSize,
                                          UINT flags) {
  // An item identifier list is no path.
  if ((flags & SHGFI_PIDL) != 0) return SHGetFileInfoW(name, attributes, info, infoSize, flags);
  DesktopPath path(name);
  if (path.Refused()) return 0;
  return SHGetFileInfoW(path.Get(), attributes, info, infoSize, flags);
}

BOOL WINAPI cedesktop_ShellExecuteExW(SHELLEXECUTEINFOW* info) {
  if (info == NULL) return ShellExecuteExW(info);
  const LPCWSTR file = info->lpFile;
  const LPCWSTR folder = info->lpDirectory;
  // A plain name is found as the desktop finds programs; an item identifier list carries no path.
  DesktopPath filePath(HasSeparator(file) && (info->fMask & SEE_MASK_IDLIST) == 0 ? file : NULL);
  DesktopPath folderPath(folder);
  if (filePath.Refused() || folderPath.Refused()) return FALSE;
  if (filePath.Get() != NULL) info->lpFile = filePath.Get();
  info->lpDirectory = folderPath.Get();
  BOOL started = ShellExecuteExW(info);
  const DWORD error = GetLastError();
  // The caller's record gets back its own texts and keeps what the shell wrote into it.
  info->lpFile = file;
  info->lpDirectory = folder;
  SetLastError(error);
  return started;
}

BOOL WINAPI cedesktop_SHGetSpecialFolderPathW(HWND owner, LPWSTR path, int folder, BOOL create) {
  if (!SHGetSpecialFolderPathW(owner, path, folder, create)) return FALSE;
  ToDeviceForm(path, wcslen(path));
  return TRUE;
}

// The device's paths on desktop Windows: the system drive's root stands for the device's root.
#include "device_path.h"

namespace {

WCHAR UpperCaseLetter(WCHAR c) { return (c >= L'a' && c <= L'z') ? static_cast<WCHAR>(c - L'a' + L'A') : c; }

bool IsDriveLetter(WCHAR c) {
  c = UpperCaseLetter(c);
  return c >= L'A' && c <= L'Z';
}

bool IsSeparator(WCHAR c) { return c == L'\\' || c == L'/'; }

bool HasDrive(LPCWSTR path) { return IsDriveLetter(path[0]) && path[1] == L':'; }

bool IsNetworkPath(LPCWSTR path) { return IsSeparator(path[0]) && IsSeparator(path[1]); }

// The length of a text that ends before `limit` characters, or `limit`.
size_t BoundedLength(LPCWSTR text, size_t limit) {
  size_t length = 0;
  while (length < limit && text[length] != L'\0') ++length;
  return length;
}

}  // namespace

WCHAR SystemDriveLetter() {
  WCHAR folder[MAX_PATH];
  UINT length = GetSystemWindowsDirectoryW(folder, MAX_PATH);
  if (length < 2 || length >= MAX_PATH || !HasDrive(folder)) return 0;
  return UpperCaseLetter(folder[0]);
}

size_t DeviceFormSkip(const WCHAR* path, size_t length) {
  if (length < 3 || !HasDrive(path) || path[2] != L'\\') return 0;
  WCHAR system = SystemDriveLetter();
  return (system != 0 && UpperCaseLetter(path[0]) == system) ? 2 : 0;
}

size_t ToDeviceForm(WCHAR* path, size_t length) {
  const size_t skip = DeviceFormSkip(path, length);
  if (skip == 0) return length;
  memmove(path, path + skip, (length - skip + 1) * sizeof(WCHAR));
  return length - skip;
}

DesktopPath::DesktopPath(LPCWSTR path) : path_(path), error_(ERROR_SUCCESS) {
  form_[0] = L'\0';
  if (path == NULL || path[0] == L'\0' || HasDrive(path) || IsNetworkPath(path)) return;
  const size_t length = BoundedLength(path, MAX_PATH);
  if (length >= MAX_PATH) {
    path_ = NULL;
    error_ = ERROR_FILENAME_EXCED_RANGE;
    return;
  }
  const WCHAR drive = SystemDriveLetter();
  if (drive == 0) {
    path_ = NULL;
    error_ = ERROR_PATH_NOT_FOUND;
    return;
  }
  // "C:", a separator unless the path starts with one, and the path.
  const bool rooted = IsSeparator(path[0]);
  const size_t desktopLength = 2 + (rooted ? 0 : 1) + length;
  const bool longForm = desktopLength >= MAX_PATH;
  size_t at = 0;
  if (longForm) {
    // The long form takes no forward slashes and no relative names; the device's paths have
    // none of the latter, and its forward slashes separate names as backslashes do.
    memcpy(form_, L"\\\\?\\", 4 * sizeof(WCHAR));
    at = 4;
  }
  form_[at++] = drive;
  form_[at++] = L':';
  if (!rooted) form_[at++] = L'\\';
  for (size_t i = 0; i < length; ++i) {
    form_[at++] = (longForm && path[i] == L'/') ? L'\\' : path[i];
  }
  form_[at] = L'\0';
  path_ = form_;
}

bool DesktopPath::Refused() const {
  if (error_ == ERROR_SUCCESS) return false;
  SetLastError(error_);
  return true;
}

// The Explorer settings store over the host's registry keys.
#include "host/settings.h"

#include "host/host_contract.h"

namespace {

LPCWSTR ColumnWidthValueName() {
  // Landscape (wider than high) keeps its own widths; a square screen counts as portrait.
  if (GetSystemMetrics(SM_CXSCREEN) > GetSystemMetrics(SM_CYSCREEN)) return TEXT("ClumnWidthLS");
  return TEXT("ClumnWidth");
}

DWORD ReadNumber(HKEY root, LPCWSTR subkey, LPCWSTR name) {
  // A missing or unreadable value reads as 0. A value too large for the number leaves the
  // buffer's contents undefined, so nothing of a failed read is used.
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (ReadSettingValue(root, subkey, name, &value, &size) != ERROR_SUCCESS) return 0;
  return value;
}

DWORD ReadExplorerNumber(LPCWSTR name) { return ReadNumber(HKEY_LOCAL_MACHINE, HOST_KEY_MACHINE, name); }

void WriteExplorerValue(LPCWSTR name, DWORD type, const BYTE* data, DWORD size) {
  // The key is expected to exist and is never created here; a failed write changes nothing.
  HKEY key = NULL;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, HOST_KEY_MACHINE, 0, 0, &key) != ERROR_SUCCESS) return;
  RegSetValueExW(key, name, 0, type, data, size);
  RegFlushKey(key);
  RegCloseKey(key);
}

void WriteExplorerNumber(LPCWSTR name, DWORD value) {
  WriteExplorerValue(name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

void ToggleExplorerNumber(LPCWSTR name) {
  WriteExplorerNumber(name, ReadExplorerNumber(name) == 0 ? 1 : 0);
}

}  // namespace

LONG ReadSettingValue(HKEY root, LPCWSTR subkey, LPCWSTR name, void* data, DWORD* size) {
  // The device's registry reads value V of subkey K when the subkey's name is passed in the
  // argument that is otherwise reserved: one call, no key opened or closed.
  return RegQueryValueExW(root, name, reinterpret_cast<LPDWORD>(const_cast<WCHAR*>(subkey)), NULL,
                          static_cast<LPBYTE>(data), size);
}

DWORD GetShowExt() { return ReadExplorerNumber(TEXT("ShowExt")); }
void ToggleShowExt() { ToggleExplorerNumber(TEXT("ShowExt")); }
DWORD GetPreview() { return ReadExplorerNumber(TEXT("Preview")); }
void TogglePreview() { ToggleExplorerNumber(TEXT("Preview")); }
DWORD GetViewAll() { return ReadExplorerNumber(TEXT("ViewAll")); }
DWORD GetListStyle() { return ReadExplorerNumber(TEXT("ListStyle")); }
void SetListStyle(DWORD style) { WriteExplorerNumber(TEXT("ListStyle"), style); }

BOOL LoadColumnWidths(BYTE* widths) {
  // A value longer than 8 bytes is not read and counts as missing; so is a shorter one, which
  // would leave part of the caller's widths unset.
  BYTE data[8];
  DWORD cb = sizeof(data);
  if (ReadSettingValue(HKEY_LOCAL_MACHINE, HOST_KEY_MACHINE, ColumnWidthValueName(), data, &cb) != ERROR_SUCCESS ||
      cb != sizeof(data)) {
    return FALSE;
  }
  for (int i = 0; i < 8; ++i) widths[i] = data[i];
  return TRUE;
}

void SaveColumnWidths(const BYTE* widths) {
  WriteExplorerValue(ColumnWidthValueName(), REG_BINARY, widths, 8);
}

BOOL ReadSettingPath(HKEY root, LPCWSTR subkey, LPCWSTR name, WCHAR* path) {
  // Read into a buffer of our own first: a value that fills all 260 characters without a
  // terminator, or that is not a string, must never leave the caller with an unterminated text,
  // and a value too long for the buffer is refused, never cut.
  WCHAR value[MAX_PATH];
  DWORD cb = sizeof(value);
  if (ReadSettingValue(root, subkey, name, value, &cb) != ERROR_SUCCESS) return FALSE;
  DWORD chars = cb / sizeof(WCHAR);
  DWORD length = 0;
  while (length < chars && value[length] != 0) ++length;
  if (length >= MAX_PATH) return FALSE;  // no terminator within 260 characters: unreadable
  for (DWORD i = 0; i < length; ++i) path[i] = value[i];
  path[length] = 0;
  return TRUE;
}

void GetLastLocation(WCHAR* path) {
  static const LPCWSTR kPathValues[] = {TEXT("LocalPath"), TEXT("StorageCardPath"), TEXT("NetWorkPath")};
  DWORD index = ReadNumber(HKEY_CURRENT_USER, HOST_KEY_USER, TEXT("LastLocation"));
  // An index outside the three known values names the device path, as a missing one does.
  if (index > 2) index = 0;
  ReadSettingPath(HKEY_CURRENT_USER, HOST_KEY_USER, kPathValues[index], path);
}
